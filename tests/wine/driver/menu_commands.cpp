// Subcommands about menus: the open pop-up menus and a window's menu bar, item
// by item (rectangle, kind, state, text), so that tests choose items by caption.
//
// On Windows another process can read a menu itself (MN_GETHMENU on the menu
// window, GetMenuItemRect, GetMenuItemInfo, and oleacc for the text of
// owner-drawn items); Wine keeps menus per process, so none of that works from
// here. The driver asks the menu's owner instead: the program under test,
// started with TESSALY_TEST_MENUS set, answers the registered message
// "TessalyMenuProbe" by sending the items to a window of the driver's as
// WM_COPYDATA (framework/win/menu_probe.h).
#include <windows.h>

#include <string>

#include "tests/wine/driver/command.h"
#include "tests/wine/driver/probe.h"
#include "tests/wine/driver/window_find.h"

namespace tdriver {
namespace {

BOOL CALLBACK CollectThreadWindow(HWND window, LPARAM lparam) {
  reinterpret_cast<std::vector<HWND>*>(lparam)->push_back(window);
  return TRUE;
}

// The windows that may own a menu shown by this window: those of its thread.
std::vector<HWND> ThreadWindows(HWND window) {
  std::vector<HWND> windows;
  EnumThreadWindows(GetWindowThreadProcessId(window, nullptr), CollectThreadWindow,
                    reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// Asks each window until one owns the menu (null: the window's menu bar).
bool AskOwner(const std::vector<HWND>& windows, HMENU menu, std::string& answer) {
  for (HWND window : windows)
    if (AskProgram(window, L"TessalyMenuProbe", reinterpret_cast<WPARAM>(menu), answer)) return true;
  return false;
}

std::string RectText(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

// "menu HWND RECT COUNT", then COUNT lines "item RECT KIND ENABLED TEXT" (tabs
// between; ENABLED is 1 or 0, followed by "c" for a checked item); COUNT is -1
// when no window of the thread answered for the menu.
void PrintMenu(HWND window, HMENU menu, const std::vector<HWND>& owners) {
  RECT rect{};
  GetWindowRect(window, &rect);
  std::string answer;
  if (!AskOwner(owners, menu, answer)) {
    Line("menu\t" + HandleText(window) + "\t" + RectText(rect) + "\t-1");
    return;
  }
  std::vector<std::string> items;
  for (size_t start = 0; start < answer.size();) {
    size_t end = answer.find('\n', start);
    if (end == std::string::npos) end = answer.size();
    items.push_back(answer.substr(start, end - start));
    start = end + 1;
  }
  Line("menu\t" + HandleText(window) + "\t" + RectText(rect) + "\t" + std::to_string(items.size()));
  for (const std::string& item : items) Line("item\t" + item);
}

// Every open drop-down or pop-up menu, the outermost first.
int Menus(const Args&) {
  std::vector<HWND> open;
  for (HWND window : MatchingTopLevel(WindowPattern{"#32768", "*"}))
    if (IsWindowVisible(window)) open.insert(open.begin(), window);  // z-order: innermost on top
  if (open.empty()) return kNotFound;
  for (HWND window : open)
    PrintMenu(window, reinterpret_cast<HMENU>(SendWide(window, MN_GETHMENU, 0, 0)), ThreadWindows(window));
  return kOk;
}

// The menu bar of a window, in the same form (its rectangle the window's).
int MenuBar(const Args& args) {
  HWND window = FindTopLevel(WindowPattern{args[0], args[1]});
  if (!window) return kNotFound;
  PrintMenu(window, nullptr, {window});
  return kOk;
}

}  // namespace

std::vector<Command> MenuCommands() {
  return {
      {"menus", 0, "", Menus},
      {"menu-bar", 2, "CLASS TITLE", MenuBar},
  };
}

}  // namespace tdriver
