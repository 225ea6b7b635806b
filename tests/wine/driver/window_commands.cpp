// Subcommands about top-level windows: finding, waiting, facts, closing, messages.
#include <windows.h>

#include <cstdio>
#include <map>
#include <memory>

#include "tests/wine/driver/command.h"
#include "tests/wine/driver/screen_capture.h"
#include "tests/wine/driver/window_find.h"

namespace tdriver {
namespace {

WindowPattern PatternOf(const Args& args) { return WindowPattern{args[0], args[1]}; }

std::string Flag(bool on) { return on ? "1" : "0"; }

std::string Hex(unsigned long long value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "0x%llx", value);
  return buffer;
}

std::string Numbers(long long a, long long b) {
  return std::to_string(a) + "," + std::to_string(b);
}

int Find(const Args& args) {
  HWND window = FindTopLevel(PatternOf(args));
  if (!window) return kNotFound;
  Line(HandleText(window));
  return kOk;
}

int Count(const Args& args) {
  Line(std::to_string(MatchingTopLevel(PatternOf(args)).size()));
  return kOk;
}

// Window rectangles (l,t,r,b) of the visible matches, one per line, in z-order.
int Rects(const Args& args) {
  for (HWND w : MatchingTopLevel(PatternOf(args))) {
    RECT r{};
    if (!IsWindowVisible(w) || !GetWindowRect(w, &r)) continue;
    Line(std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom));
  }
  return kOk;
}

// Every visible top-level window: handle, process id, class and title, one per
// line in z-order; what a failed test leaves on the screen, in words.
int Windows(const Args&) {
  for (HWND w : TopLevelWindows()) {
    if (!IsWindowVisible(w)) continue;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    Line(HandleText(w) + "\t" + std::to_string(pid) + "\t" + ClassOf(w) + "\t" + OneLine(TextOf(w)));
  }
  return kOk;
}

// The wait commands share one shape: poll a condition over the matching windows.
int WaitFor(const Args& args, bool (*condition)(const std::vector<HWND>&)) {
  long long timeout = 0;
  if (!ParseInt(args[2], timeout)) return kUsage;
  WindowPattern pattern = PatternOf(args);
  std::vector<HWND> last;
  bool met = WaitUntil(timeout, [&] {
    last = MatchingTopLevel(pattern);
    return condition(last);
  });
  if (!met) return kNotFound;
  for (HWND window : last) {
    if (IsWindowVisible(window)) {
      Line(HandleText(window));
      return kOk;
    }
  }
  if (!last.empty()) Line(HandleText(last.front()));
  return kOk;
}

bool AnyVisible(const std::vector<HWND>& windows) {
  for (HWND window : windows)
    if (IsWindowVisible(window)) return true;
  return false;
}

int WaitWindow(const Args& args) {
  return WaitFor(args, [](const std::vector<HWND>& w) { return !w.empty(); });
}
int WaitGone(const Args& args) {
  return WaitFor(args, [](const std::vector<HWND>& w) { return w.empty(); });
}
int WaitVisible(const Args& args) { return WaitFor(args, AnyVisible); }
int WaitHidden(const Args& args) {
  return WaitFor(args, [](const std::vector<HWND>& w) { return !w.empty() && !AnyVisible(w); });
}

int Info(const Args& args) {
  HWND window = FindTopLevel(PatternOf(args));
  if (!window) return kNotFound;
  RECT rect{}, client{};
  GetWindowRect(window, &rect);
  GetClientRect(window, &client);
  LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  LONG_PTR exstyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  HWND owner = GetWindow(window, GW_OWNER);
  Line("hwnd " + HandleText(window));
  Line("class " + ClassOf(window));
  Line("title " + TextOf(window));
  Line("rect " + Numbers(rect.left, rect.top) + "," + Numbers(rect.right, rect.bottom));
  Line("client " + Numbers(client.right - client.left, client.bottom - client.top));
  Line("style " + Hex(static_cast<unsigned long long>(style) & 0xffffffffULL));
  Line("exstyle " + Hex(static_cast<unsigned long long>(exstyle) & 0xffffffffULL));
  Line("visible " + Flag(IsWindowVisible(window)));
  Line("minimized " + Flag(IsIconic(window)));
  Line("topmost " + Flag((exstyle & WS_EX_TOPMOST) != 0));
  Line("enabled " + Flag(IsWindowEnabled(window)));
  Line("foreground " + Flag(GetForegroundWindow() == window));
  Line("owner " + HandleText(owner) + " " + (owner ? ClassOf(owner) : std::string("-")));
  return kOk;
}

int Active(const Args&) {
  HWND window = GetForegroundWindow();
  if (!window) return kNotFound;
  Line(HandleText(window) + "\t" + ClassOf(window) + "\t" + TextOf(window));
  return kOk;
}

int PostTo(const Args& args, UINT message, WPARAM wparam, LPARAM lparam) {
  HWND window = FindTopLevel(PatternOf(args));
  if (!window) return kNotFound;
  return PostMessageW(window, message, wparam, lparam) ? kOk : kNotFound;
}

int Close(const Args& args) { return PostTo(args, WM_CLOSE, 0, 0); }
int SysClose(const Args& args) { return PostTo(args, WM_SYSCOMMAND, SC_CLOSE, 0); }
int Minimize(const Args& args) { return PostTo(args, WM_SYSCOMMAND, SC_MINIMIZE, 0); }

int Foreground(const Args& args) {
  HWND window = FindTopLevel(PatternOf(args));
  if (!window) return kNotFound;
  SetForegroundWindow(window);
  bool done = WaitUntil(2000, [window] { return GetForegroundWindow() == window; });
  return done ? kOk : kNotFound;
}

// Ends the window's process the way the system would end it: nothing of its
// own runs, so a test's leftovers never outlive the test.
int Terminate(const Args& args) {
  HWND window = FindTopLevel(PatternOf(args));
  if (!window) return kNotFound;
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  std::unique_ptr<void, decltype(&CloseHandle)> process(
      OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id), &CloseHandle);
  if (!process) return kNotFound;
  bool ended = TerminateProcess(process.get(), 1) &&
               WaitForSingleObject(process.get(), 5000) == WAIT_OBJECT_0;
  return ended ? kOk : kNotFound;
}

// Ends every process owning a window of any of the patterns, and waits until
// none of those windows is left: one driver call where a test tidies up before
// and after itself. An ended process's windows linger a moment (longer on a
// busy machine); one still there on the next look is terminated again.
int EndAll(const Args& args) {
  long long timeout = 0;
  if (!ParseInt(args[0], timeout)) return kUsage;
  std::vector<WindowPattern> patterns;
  for (size_t i = 1; i + 1 < args.size(); i += 2) patterns.push_back(WindowPattern{args[i], args[i + 1]});
  return WaitUntil(timeout, [&] {
           bool any = false;
           for (const WindowPattern& pattern : patterns) {
             for (HWND window : MatchingTopLevel(pattern)) {
               any = true;
               DWORD id = 0;
               GetWindowThreadProcessId(window, &id);
               if (id == GetCurrentProcessId()) continue;
               std::unique_ptr<void, decltype(&CloseHandle)> process(
                   OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id), &CloseHandle);
               if (process && TerminateProcess(process.get(), 1))
                 WaitForSingleObject(process.get(), 2000);
             }
           }
           return !any;
         })
             ? kOk
             : kNotFound;
}

int Cursor(const Args&) {
  POINT point{};
  if (!GetCursorPos(&point)) return kNotFound;
  Line(std::to_string(point.x) + " " + std::to_string(point.y));
  return kOk;
}

int ShowWindowCommand(const Args& args) {
  static const std::map<std::string, int> kCommands = {
      {"hide", SW_HIDE}, {"show", SW_SHOW}, {"shownoactivate", SW_SHOWNOACTIVATE},
      {"minimize", SW_MINIMIZE}, {"restore", SW_RESTORE}, {"maximize", SW_MAXIMIZE}};
  auto command = kCommands.find(args[2]);
  if (command == kCommands.end()) return kUsage;
  HWND window = FindTopLevel(PatternOf(args));
  if (!window) return kNotFound;
  ShowWindowAsync(window, command->second);
  return kOk;
}

bool MessageNumber(const std::string& text, UINT& message) {
  static const std::map<std::string, UINT> kNames = {
      {"WM_CLOSE", WM_CLOSE}, {"WM_QUERYENDSESSION", WM_QUERYENDSESSION},
      {"WM_ENDSESSION", WM_ENDSESSION}, {"WM_SYSCOMMAND", WM_SYSCOMMAND},
      {"WM_COMMAND", WM_COMMAND}, {"WM_NULL", WM_NULL}};
  auto named = kNames.find(text);
  if (named != kNames.end()) {
    message = named->second;
    return true;
  }
  long long value = 0;
  if (!ParseInt(text, value)) return false;
  message = static_cast<UINT>(value);
  return true;
}

bool MessageArgs(const Args& args, UINT& message, WPARAM& wparam, LPARAM& lparam) {
  long long w = 0, l = 0;
  if (!MessageNumber(args[2], message) || !ParseInt(args[3], w) || !ParseInt(args[4], l))
    return false;
  wparam = static_cast<WPARAM>(w);
  lparam = static_cast<LPARAM>(l);
  return true;
}

int PostMessageCommand(const Args& args) {
  UINT message = 0;
  WPARAM wparam = 0;
  LPARAM lparam = 0;
  if (!MessageArgs(args, message, wparam, lparam)) return kUsage;
  return PostTo(args, message, wparam, lparam);
}

int SendMessageCommand(const Args& args) {
  UINT message = 0;
  WPARAM wparam = 0;
  LPARAM lparam = 0;
  if (!MessageArgs(args, message, wparam, lparam)) return kUsage;
  HWND window = FindTopLevel(PatternOf(args));
  if (!window) return kNotFound;
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, 10000, &result)) {
    Line("failed");
    return kNotFound;
  }
  Line(std::to_string(static_cast<long long>(result)));
  return kOk;
}

int Screen(const Args&) {
  Line(std::to_string(GetSystemMetrics(SM_CXSCREEN)) + " " +
       std::to_string(GetSystemMetrics(SM_CYSCREEN)));
  return kOk;
}

void PrintIcon(const RECT& rect, HWND window) {
  Line(Numbers((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2) + " " +
       Numbers(rect.left, rect.top) + "," + Numbers(rect.right, rect.bottom) + " " +
       HandleText(window));
}

// Notification icons fill slots from the right end of the task bar, the first
// icon added rightmost. Newer Wine gives each icon a child window; Wine 8 draws
// them into the task bar itself, so there a slot counts as taken when its pixels
// differ from the bar's background.
int TrayIcons(const Args&) {
  HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
  if (!tray) return kNotFound;
  int shown = 0;
  for (HWND icon : Descendants(tray)) {
    if (ClassOf(icon) != "__wine_tray_icon" || !IsWindowVisible(icon)) continue;
    RECT rect{};
    GetWindowRect(icon, &rect);
    PrintIcon(rect, icon);
    ++shown;
  }
  if (shown) return kOk;

  RECT bar{};
  GetWindowRect(tray, &bar);
  const int slot = GetSystemMetrics(SM_CXSMICON) + 4, height = bar.bottom - bar.top;
  Canvas pixels(slot, height);
  const DWORD background = GetSysColor(COLOR_WINDOW);
  // Screen pixels come back as 0x00RRGGBB, colour references as 0x00BBGGRR.
  const DWORD expected = (GetRValue(background) << 16) | (GetGValue(background) << 8) |
                         GetBValue(background);
  // The slots' border pixels show the background once the bar has been painted.
  if (!pixels.CopyScreen(bar.right - slot, bar.top) || pixels.pixel(0) != expected)
    return kNotFound;
  for (int left = bar.right - slot; left >= bar.left; left -= slot) {
    if (!pixels.CopyScreen(left, bar.top)) return kNotFound;
    bool taken = false;
    for (int i = 0; i < pixels.size() && !taken; ++i) taken = pixels.pixel(i) != expected;
    if (!taken) break;
    PrintIcon(RECT{left, bar.top, left + slot, bar.bottom}, tray);
    ++shown;
  }
  return shown ? kOk : kNotFound;
}

}  // namespace

std::vector<Command> WindowCommands() {
  return {
      {"find", 2, "CLASS TITLE", Find},
      {"count", 2, "CLASS TITLE", Count},
      {"windows", 0, "", Windows},
      {"rects", 2, "CLASS TITLE", Rects},
      {"wait-window", 3, "CLASS TITLE MS", WaitWindow},
      {"wait-gone", 3, "CLASS TITLE MS", WaitGone},
      {"wait-visible", 3, "CLASS TITLE MS", WaitVisible},
      {"wait-hidden", 3, "CLASS TITLE MS", WaitHidden},
      {"info", 2, "CLASS TITLE", Info},
      {"active", 0, "", Active},
      {"close", 2, "CLASS TITLE", Close},
      {"sysclose", 2, "CLASS TITLE", SysClose},
      {"minimize", 2, "CLASS TITLE", Minimize},
      {"foreground", 2, "CLASS TITLE", Foreground},
      {"show-window", 3, "CLASS TITLE hide|show|shownoactivate|minimize|restore|maximize",
       ShowWindowCommand},
      {"post-message", 5, "CLASS TITLE MSG WPARAM LPARAM", PostMessageCommand},
      {"send-message", 5, "CLASS TITLE MSG WPARAM LPARAM", SendMessageCommand},
      {"terminate", 2, "CLASS TITLE", Terminate},
      {"end-all", 3, "MS CLASS TITLE [CLASS TITLE...]", EndAll, true},
      {"screen", 0, "", Screen},
      {"cursor", 0, "", Cursor},
      {"tray-icons", 0, "", TrayIcons},
  };
}

}  // namespace tdriver
