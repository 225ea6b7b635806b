// Subcommands for the system's message boxes: read one, answer one.
#include <windows.h>

#include "tests/wine/driver/command.h"
#include "tests/wine/driver/icon_kind.h"
#include "tests/wine/driver/window_find.h"

namespace tdriver {
namespace {

const WindowPattern kDialog{"#32770", "*"};

HWND VisibleDialog() {
  for (HWND window : MatchingTopLevel(kDialog))
    if (IsWindowVisible(window)) return window;
  return nullptr;
}

HWND WaitDialog(const std::string& timeout_text) {
  long long timeout = 0;
  if (!ParseInt(timeout_text, timeout)) return nullptr;
  HWND dialog = nullptr;
  WaitUntil(timeout, [&dialog] { return (dialog = VisibleDialog()) != nullptr; });
  return dialog;
}

bool IsIconControl(HWND window) {
  return (GetWindowLongPtrW(window, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

std::vector<HWND> VisibleButtons(HWND dialog) {
  std::vector<HWND> buttons;
  for (HWND child : Descendants(dialog))
    if (IsKind(child, ControlKind::kButton) && IsWindowVisible(child)) buttons.push_back(child);
  return buttons;
}

int MessageBoxCommand(const Args& args) {
  long long timeout = 0;
  if (!ParseInt(args[0], timeout)) return kUsage;
  HWND dialog = WaitDialog(args[0]);
  if (!dialog) return kNotFound;
  // Let the box paint before its icon is read off the screen.
  RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(100);
  std::string text, icon = "none";
  for (HWND child : Descendants(dialog)) {
    if (!IsKind(child, ControlKind::kStatic) || !IsWindowVisible(child)) continue;
    if (IsIconControl(child)) {
      icon = IconKindOf(child);
    } else {
      std::string part = TextOf(child);
      if (!part.empty()) text += (text.empty() ? "" : "\n") + part;
    }
  }
  Line("caption " + TextOf(dialog));
  Line("text " + OneLine(text));
  Line("icon " + icon);
  for (HWND button : VisibleButtons(dialog)) Line("button " + WithoutAccelerator(TextOf(button)));
  return kOk;
}

// Answers through the dialog's own command, as the button's click would, and
// waits until the box has gone.
int Answer(const Args& args) {
  long long timeout = 0;
  if (!ParseInt(args[1], timeout)) return kUsage;
  HWND dialog = WaitDialog(args[1]);
  if (!dialog) return kNotFound;
  for (HWND button : VisibleButtons(dialog)) {
    std::string caption = TextOf(button);
    if (caption != args[0] && WithoutAccelerator(caption) != args[0]) continue;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(button)), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    bool gone = WaitUntil(timeout, [dialog] {
      return !IsWindow(dialog) || !IsWindowVisible(dialog);
    });
    return gone ? kOk : kNotFound;
  }
  return kNotFound;
}

}  // namespace

std::vector<Command> MessageBoxCommands() {
  return {
      {"msgbox", 1, "MS", MessageBoxCommand},
      {"answer", 2, "BUTTONCAPTION MS", Answer},
  };
}

}  // namespace tdriver
