#include "framework/win/menu_probe.h"

#include <oleacc.h>

#include <string>

#include "framework/win/test_probe.h"

namespace tessaly::win::MenuProbe {

namespace {
std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, &out[0], n, nullptr, nullptr);
  for (char& c : out)
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  return out;
}

// The item's text as accessibility tools take it: an owner-drawn item's from
// the MSAAMENUINFO its data points to, any other item's from the menu.
std::wstring TextOf(HMENU menu, int position, const MENUITEMINFOW& info) {
  if ((info.fType & MFT_OWNERDRAW) && info.dwItemData) {
    const auto* accessible = reinterpret_cast<const MSAAMENUINFO*>(info.dwItemData);
    if (accessible->dwMSAASignature == static_cast<DWORD>(MSAA_MENU_SIG))
      return std::wstring(accessible->pszWText, accessible->cchWText);
  }
  wchar_t buffer[1024] = {};
  GetMenuStringW(menu, static_cast<UINT>(position), buffer, 1024, MF_BYPOSITION);
  return buffer;
}

std::string Describe(HWND window, HMENU menu, bool menuBar) {
  std::string out;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_DATA;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    RECT r{};
    GetMenuItemRect(menuBar ? window : nullptr, menu, static_cast<UINT>(i), &r);
    const char* kind = (info.fType & MFT_SEPARATOR) ? "separator" : info.hSubMenu ? "submenu" : "item";
    const bool enabled = !(info.fState & (MFS_GRAYED | MFS_DISABLED));
    out += std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + "\t" + kind + "\t" + (enabled ? "1" : "0") +
           ((info.fState & MFS_CHECKED) ? "c" : "") + "\t" +
           Utf8(TextOf(menu, i, info)) + "\n";
  }
  return out;
}
}  // namespace

UINT Message() {
  static const UINT message = TestProbe::Message("TessalyMenuProbe");
  return message;
}

bool Answer(HWND window, HMENU menu, bool menuBar, HWND replyTo) {
  return TestProbe::Reply(window, replyTo, Describe(window, menu, menuBar));
}

}  // namespace tessaly::win::MenuProbe
