# Source this file from a benchmark script: installs what is missing, builds the
# win64 configuration, starts the benchmarks' own Wine environment (ended when
# the script exits) with no Tessaly settings in it, and prints the load
# average, without which the figures mean little.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/deps.sh
scripts/build.sh win64 >/dev/null
# shellcheck source=wine-env.sh
source scripts/wine-env.sh
wine_env_start "$root/build/wine-bench" headless
trap wine_env_stop EXIT
# A clean start: the window shows at start when no settings say otherwise.
timeout 30 wine reg delete 'HKLM\Software\Corvane' /f </dev/null >/dev/null 2>&1 || true
echo "load: $(uptime | sed 's/.*load average/load average/')"
