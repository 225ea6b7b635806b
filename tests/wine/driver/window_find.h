// Finding and reading windows of other processes.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tdriver {

// "*" for either part matches anything; the class compares without regard to case
// (as Windows does), the title exactly, or by its start when it ends in "*"
// ("Tessaly 2 Setup*": an installer whose caption names the page shown).
struct WindowPattern {
  std::string class_name;
  std::string title;
  bool Matches(HWND window) const;
};

std::string ClassOf(HWND window);
// The window's text as its own process reports it (WM_GETTEXT, marshalled by
// the system), so edit boxes give their content, not a stale caption.
std::string TextOf(HWND window);

// Top-level windows in z-order, hidden ones included.
std::vector<HWND> TopLevelWindows();
std::vector<HWND> MatchingTopLevel(const WindowPattern& pattern);
// The first visible match, else the first hidden one, else null.
HWND FindTopLevel(const WindowPattern& pattern);

// All descendants, depth first in z-order (EnumChildWindows).
std::vector<HWND> Descendants(HWND top);

// Kinds of control recognised by their class name, so that superclassed
// controls ("TComboBox") are found as well as the system ones ("ComboBox").
enum class ControlKind { kButton, kEdit, kComboBox, kListBox, kTabControl, kStatic, kTreeView };
bool IsKind(HWND window, ControlKind kind);
// The index-th descendant of that kind, or null.
HWND NthDescendant(HWND top, ControlKind kind, long long index);

// Polls every few milliseconds until the condition holds or the time is up.
bool WaitUntil(long long timeout_ms, const std::function<bool()>& condition);

// Sends with a time-out so that a hung or dying target never hangs a test.
LRESULT SendWide(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace tdriver
