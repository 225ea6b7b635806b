// Subcommands about hot-key controls: reading the combination one shows, and
// putting one in as if it had been typed.
#include <windows.h>
#include <commctrl.h>

#include "tests/wine/driver/command.h"
#include "tests/wine/driver/window_find.h"

namespace tdriver {
namespace {

HWND HotKeyOf(const Args& args) {
  long long index = 0;
  if (!ParseInt(args[2], index)) return nullptr;
  HWND top = FindTopLevel(WindowPattern{args[0], args[1]});
  return top ? NthDescendant(top, ControlKind::kHotKey, index) : nullptr;
}

// The value as the program reads it: virtual key, HOTKEYF_ flags above it.
int HotKeyGet(const Args& args) {
  HWND control = HotKeyOf(args);
  if (!control) return kNotFound;
  Line(std::to_string(LOWORD(SendWide(control, HKM_GETHOTKEY, 0, 0))));
  return kOk;
}

// A combination that cannot be typed into the control (another program's
// hotkey is taken by the system before the control sees it), or 0 to empty it.
int HotKeySet(const Args& args) {
  long long value = 0;
  if (!ParseInt(args[3], value) || value < 0 || value > 0xFFFF) return kUsage;
  HWND control = HotKeyOf(args);
  if (!control) return kNotFound;
  SendWide(control, HKM_SETHOTKEY, static_cast<WPARAM>(value), 0);
  return LOWORD(SendWide(control, HKM_GETHOTKEY, 0, 0)) == value ? kOk : kNotFound;
}

}  // namespace

std::vector<Command> HotKeyCommands() {
  return {
      {"hotkey-get", 3, "CLASS TITLE INDEX", HotKeyGet},
      {"hotkey-set", 4, "CLASS TITLE INDEX VALUE", HotKeySet},
  };
}

}  // namespace tdriver
