#include "framework/win/menu_painter.h"

#include <algorithm>

namespace tessaly::win {

namespace {
constexpr int kGlyphHeight = 16;
constexpr int kSeparatorHeight = 8;
constexpr COLORREF kTransparent = RGB(255, 0, 255);

HFONT CreateMenuFont(const std::string& face) {
  NONCLIENTMETRICSA ncm{};
  ncm.cbSize = sizeof(ncm);
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
  LOGFONTA lf = ncm.lfMenuFont;
  if (!face.empty()) lstrcpynA(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  return CreateFontIndirectA(&lf);
}

// Copies a cell of src to dst, leaving dst where src has the transparent
// colour: dst ^= src, then clear the opaque pixels, then ^= src again.
void DrawTransparent(HDC dst, int x, int y, int w, int h, HDC src, int sx, COLORREF transparent) {
  UniqueBitmap mask(CreateBitmap(w, h, 1, 1, nullptr));
  UniqueMemoryDc maskDc(CreateCompatibleDC(dst));
  SelectObjectScope sel(maskDc.Get(), mask.Get());
  const COLORREF oldSrcBk = SetBkColor(src, transparent);
  BitBlt(maskDc.Get(), 0, 0, w, h, src, sx, 0, SRCCOPY);  // 1 where transparent
  SetBkColor(src, oldSrcBk);
  const COLORREF oldBk = SetBkColor(dst, RGB(255, 255, 255));
  const COLORREF oldText = SetTextColor(dst, RGB(0, 0, 0));
  BitBlt(dst, x, y, w, h, src, sx, 0, SRCINVERT);
  BitBlt(dst, x, y, w, h, maskDc.Get(), 0, 0, SRCAND);
  BitBlt(dst, x, y, w, h, src, sx, 0, SRCINVERT);
  SetBkColor(dst, oldBk);
  SetTextColor(dst, oldText);
}
}  // namespace

HFONT MenuPainter::FontFor(const std::string& face) {
  UniqueFont& font = fonts_[face];
  if (!font) font.Reset(CreateMenuFont(face));
  return font.Get();
}

void MenuPainter::Measure(MenuItem& item, const std::wstring& caption, MenuRow row, MEASUREITEMSTRUCT& mis) {
  if (item.IsSeparator()) {
    mis.itemWidth = 0;
    mis.itemHeight = kSeparatorHeight;
    return;
  }
  MenuItemParams params;
  if (look_.OnGetItemParams) look_.OnGetItemParams(item, params);
  if (!measureDc_) measureDc_ = CreateMemoryDc();
  SIZE size{};
  {
    SelectObjectScope sel(measureDc_.Get(), FontFor(params.fontName));
    RECT r{0, 0, 0, 0};
    DrawTextW(measureDc_.Get(), caption.c_str(), -1, &r, DT_SINGLELINE | DT_CALCRECT);
    size.cx = r.right - r.left;
    size.cy = r.bottom - r.top;
  }
  if (row == MenuRow::Bar) {
    mis.itemWidth = static_cast<UINT>(size.cx);
    mis.itemHeight = static_cast<UINT>(size.cy + 4);
  } else {
    mis.itemWidth = static_cast<UINT>(look_.MarginWidth + look_.GlyphWidth + 10 + size.cx + 8);
    mis.itemHeight = static_cast<UINT>(std::max<int>(size.cy + 6, kGlyphHeight + 4));
  }
}

void MenuPainter::DrawMargin(HDC dc, const RECT& item) {
  RECT client{};
  HWND menuWindow = WindowFromDC(dc);
  if (!menuWindow || !GetClientRect(menuWindow, &client)) return;
  // The strip spans the whole menu; each item paints only its own rows of it.
  RECT margin{client.left, client.top, client.left + look_.MarginWidth, client.bottom};
  int saved = SaveDC(dc);
  IntersectClipRect(dc, margin.left, item.top, margin.right, item.bottom);
  look_.OnDrawMargin(dc, margin);
  RestoreDC(dc, saved);
}

void MenuPainter::Draw(MenuItem& item, const std::wstring& caption, MenuRow row, const DRAWITEMSTRUCT& dis) {
  HDC dc = dis.hDC;
  RECT r = dis.rcItem;
  const bool bar = row == MenuRow::Bar;
  if (row == MenuRow::Margin && look_.MarginWidth > 0) {
    if (look_.OnDrawMargin) DrawMargin(dc, r);
    r.left += look_.MarginWidth;
  }

  const bool selected = (dis.itemState & (ODS_SELECTED | ODS_HOTLIGHT)) != 0;
  const bool disabled = (dis.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0 || !item.Enabled;
  if (item.IsSeparator()) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_MENU));
    RECT line{r.left + 2, r.top + (r.bottom - r.top) / 2 - 1, r.right - 2, 0};
    line.bottom = line.top + 2;
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));

  MenuItemParams params;
  if (look_.OnGetItemParams) look_.OnGetItemParams(item, params);
  RECT text = r;
  if (!bar) {
    if (params.glyph >= 0 && look_.Glyphs) {
      UniqueMemoryDc mem(CreateCompatibleDC(dc));
      SelectObjectScope sel(mem.Get(), look_.Glyphs);
      int y = r.top + (r.bottom - r.top - kGlyphHeight) / 2;
      DrawTransparent(dc, r.left + 2, y, look_.GlyphWidth, kGlyphHeight, mem.Get(),
                      params.glyph * look_.GlyphWidth, kTransparent);
    }
    text.left += look_.GlyphWidth + 8;
  }
  SelectObjectScope sel(dc, FontFor(params.fontName));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  UINT flags = DT_SINGLELINE | DT_VCENTER | (bar ? DT_CENTER : DT_LEFT);
  if (dis.itemState & ODS_NOACCEL) flags |= DT_HIDEPREFIX;
  DrawTextW(dc, caption.c_str(), -1, &text, flags);
}

}  // namespace tessaly::win
