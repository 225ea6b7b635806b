#include "tests/wine/driver/window_find.h"

#include <algorithm>
#include <cctype>

#include "tests/wine/driver/args.h"

namespace tdriver {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

const DWORD kSendTimeoutMs = 5000;

}  // namespace

bool WindowPattern::Matches(HWND window) const {
  if (class_name != "*" && Lower(ClassOf(window)) != Lower(class_name)) return false;
  if (title.size() > 1 && title.back() == '*') {
    const std::string text = TextOf(window);
    if (text.compare(0, title.size() - 1, title, 0, title.size() - 1) != 0) return false;
  } else if (title != "*" && TextOf(window) != title) {
    return false;
  }
  return true;
}

std::string ClassOf(HWND window) {
  wchar_t buffer[256] = {};
  int length = GetClassNameW(window, buffer, 256);
  return ToUtf8(std::wstring(buffer, static_cast<size_t>(length > 0 ? length : 0)));
}

LRESULT SendWide(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, kSendTimeoutMs, &result))
    return 0;
  return static_cast<LRESULT>(result);
}

std::string TextOf(HWND window) {
  LRESULT length = SendWide(window, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return std::string();
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  LRESULT got = SendWide(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(std::max<LRESULT>(got, 0)));
  return ToUtf8(text);
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<HWND> MatchingTopLevel(const WindowPattern& pattern) {
  std::vector<HWND> found;
  for (HWND window : TopLevelWindows())
    if (pattern.Matches(window)) found.push_back(window);
  return found;
}

HWND FindTopLevel(const WindowPattern& pattern) {
  std::vector<HWND> found = MatchingTopLevel(pattern);
  for (HWND window : found)
    if (IsWindowVisible(window)) return window;
  return found.empty() ? nullptr : found.front();
}

std::vector<HWND> Descendants(HWND top) {
  std::vector<HWND> windows;
  EnumChildWindows(top, CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool IsKind(HWND window, ControlKind kind) {
  std::string name = Lower(ClassOf(window));
  auto has = [&name](const char* part) { return name.find(part) != std::string::npos; };
  switch (kind) {
    case ControlKind::kButton: return has("button");
    case ControlKind::kEdit: return has("edit");
    case ControlKind::kComboBox: return has("combo") && !has("lbox");
    case ControlKind::kListBox: return has("listbox");
    case ControlKind::kTabControl: return has("tabcontrol");
    case ControlKind::kStatic: return has("static") || has("label");
    case ControlKind::kTreeView: return has("treeview");
  }
  return false;
}

HWND NthDescendant(HWND top, ControlKind kind, long long index) {
  long long seen = 0;
  for (HWND window : Descendants(top)) {
    if (!IsKind(window, kind)) continue;
    if (seen++ == index) return window;
  }
  return nullptr;
}

bool WaitUntil(long long timeout_ms, const std::function<bool()>& condition) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    // Unsigned difference: correct across the tick counter's wrap-around.
    if (static_cast<long long>(GetTickCount() - start) >= timeout_ms) return false;
    Sleep(20);
  }
}

}  // namespace tdriver
