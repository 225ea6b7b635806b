# Source this file: sets up (once) and starts a Wine prefix for Tessaly.
#   wine_env_start DIR [headless|display]
# headless: a private Xvfb display; display: the caller's $DISPLAY.
# Exports WINEPREFIX, WINEARCH, WINEDEBUG, WINEDLLOVERRIDES, DISPLAY, and
# TESSALY_WOW64=1 when the prefix runs 32-bit programs too (wine32 installed
# on a machine that executes 32-bit code), else 0.
# wine_env_stop ends the Wine server and the private X server.

_wine_env_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

wine_env_start() {
  local dir=$1 mode=${2:-headless}
  mkdir -p "$dir"
  export WINEPREFIX="$dir/prefix" WINEARCH=win64 WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [ "$mode" = headless ] || [ -z "${DISPLAY:-}" ]; then
    # Several environments may start at once (parallel builds, other checkouts):
    # when another X server takes the number first, ours exits and the next
    # free number is tried.
    local n=90 i
    while :; do
      while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      WINE_ENV_XVFB_PID=$!
      for i in $(seq 1 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        kill -0 "$WINE_ENV_XVFB_PID" 2>/dev/null || break
        sleep 0.1
      done
      sleep 0.2
      kill -0 "$WINE_ENV_XVFB_PID" 2>/dev/null && break
      n=$((n + 1))
    done
    export DISPLAY=":$n"
  fi
  # A prefix made before wine32 was installed is 64-bit only and cannot run
  # 32-bit programs (and with wine32 present, not even start): the prefix
  # records which kind it is and is made again when that changes.
  local kind=win64
  TESSALY_WOW64=0
  if dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed' &&
     bash "$_wine_env_here/probe-ia32.sh"; then
    kind=wow64
    TESSALY_WOW64=1
  fi
  export TESSALY_WOW64
  if [ "$(cat "$WINEPREFIX/.tessaly-ready" 2>/dev/null)" != "$kind" ]; then
    rm -rf "$WINEPREFIX"
    timeout 300 wineboot -i >/dev/null 2>&1 || true
    timeout 120 wineserver -w || true
    timeout 60 wine regedit /S "$_wine_env_here/wine-prefix.reg" >/dev/null 2>&1
    timeout 60 wineserver -w || true
    echo "$kind" >"$WINEPREFIX/.tessaly-ready"
  fi
  # Wine's own fonts where programs look for them. Without them Wine draws
  # "MS Sans Serif", the program's font, in a wider host face (DejaVu Sans:
  # "TaskBar:" 50 pixels, against 43 in MS Sans Serif 8 pt), and the main
  # menu bar wraps. sserife.fon is Wine's bitmap MS Sans Serif, with the
  # metrics of Windows' own at 8 pt (13 pixels high, 5 wide on average); in the
  # Fonts folder it is the face GDI picks, text measures as on Windows, and it
  # fits the layout that was made for that font.
  cp -u /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/sserife.fon "$WINEPREFIX/drive_c/windows/Fonts/" \
    2>/dev/null || true
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  # A persistent server brings a process start from about 1 s down to 0.1 s.
  wineserver -p 600
  # Start Wine's own services and the virtual desktop now, detached from any
  # caller's output: started by a test, they would hold its output pipe open.
  timeout 60 wine regedit /S "$_wine_env_here/wine-prefix.reg" </dev/null >/dev/null 2>&1 || true
}

wine_env_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${WINE_ENV_XVFB_PID:-}" ]; then
    kill "$WINE_ENV_XVFB_PID" 2>/dev/null || true
    wait "$WINE_ENV_XVFB_PID" 2>/dev/null || true
    unset WINE_ENV_XVFB_PID
  fi
}
