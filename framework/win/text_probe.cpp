#include "framework/win/text_probe.h"

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/win/handles.h"
#include "framework/win/test_probe.h"

namespace tessaly::win::TextProbe {

namespace {

std::string RectText(RECT r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

// The size of the text as the control draws it: one line, in its font.
SIZE Extent(HWND control, const std::string& text) {
  SIZE size{};
  WindowDc dc(control);
  auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  SelectObjectScope selected(dc.Get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
  GetTextExtentPoint32A(dc.Get(), text.data(), static_cast<int>(text.size()), &size);
  return size;
}

std::string Line(const char* kind, HWND control, DWORD style, RECT r, const std::string& text) {
  const SIZE size = Extent(control, text);
  char styleText[16];
  std::snprintf(styleText, sizeof styleText, "%lx", static_cast<unsigned long>(style));
  std::string line = std::string(kind) + "\t";
  char name[64] = {};
  GetClassNameA(control, name, sizeof name);
  line += std::string(name) + "\t" + styleText + "\t" + RectText(r) + "\t" + std::to_string(size.cx) + "," +
          std::to_string(size.cy) + "\t";
  for (char c : text) line += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
  return line + "\n";
}

std::string TextOf(HWND control) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(control)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(control, &text[0], static_cast<int>(text.size()))));
  return text;
}

BOOL CALLBACK Collect(HWND child, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(child);
  return TRUE;
}

std::string Describe(HWND window) {
  std::vector<HWND> children;
  EnumChildWindows(window, Collect, reinterpret_cast<LPARAM>(&children));
  std::string out;
  for (HWND child : children) {
    if (!IsWindowVisible(child)) continue;
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(child, GWL_STYLE));
    out += Line("control", child, style, r, TextOf(child));
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, WC_TABCONTROLA) != 0) continue;
    const int tabs = static_cast<int>(SendMessageA(child, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < tabs; ++i) {
      char text[256] = {};
      TCITEMA item{};
      item.mask = TCIF_TEXT;
      item.pszText = text;
      item.cchTextMax = sizeof text;
      SendMessageA(child, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
      RECT tab{};
      SendMessageA(child, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tab));
      MapWindowPoints(child, window, reinterpret_cast<POINT*>(&tab), 2);
      out += Line("tab", child, style, tab, text);
    }
  }
  return out;
}

}  // namespace

UINT Message() {
  static const UINT message = TestProbe::Message("TessalyTextProbe");
  return message;
}

bool Answer(HWND window, HWND replyTo) { return TestProbe::Reply(window, replyTo, Describe(window)); }

}  // namespace tessaly::win::TextProbe
