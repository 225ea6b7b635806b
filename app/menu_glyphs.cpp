#include "app/menu_glyphs.h"

namespace tessaly {

namespace {

void Fill(HDC dc, int l, int t, int r, int b, COLORREF c) {
  RECT rc{l, t, r, b};
  win::UniqueBrush brush(CreateSolidBrush(c));
  FillRect(dc, &rc, brush.Get());
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF c) {
  win::UniquePen pen(CreatePen(PS_SOLID, 1, c));
  win::SelectObjectScope sel(dc, pen.Get());
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

void DrawFolder(HDC dc, int x) {
  const COLORREF edge = RGB(128, 128, 0), body = RGB(255, 255, 0), shade = RGB(192, 192, 0);
  Fill(dc, x + 1, 3, x + 7, 5, shade);  // tab
  Fill(dc, x + 1, 5, x + 14, 14, body);
  Line(dc, x + 1, 3, x + 7, 3, edge);
  Line(dc, x + 7, 3, x + 8, 5, edge);
  Line(dc, x + 1, 3, x + 1, 14, edge);
  Line(dc, x + 1, 13, x + 14, 13, edge);
  Line(dc, x + 13, 5, x + 13, 14, edge);
  Line(dc, x + 8, 5, x + 13, 5, edge);
}

void DrawPage(HDC dc, int x) {
  const COLORREF edge = RGB(0, 0, 0), paper = RGB(255, 255, 255), rule = RGB(0, 0, 160);
  Fill(dc, x + 3, 1, x + 12, 15, paper);
  Line(dc, x + 3, 1, x + 12, 1, edge);
  Line(dc, x + 3, 1, x + 3, 15, edge);
  Line(dc, x + 3, 14, x + 12, 14, edge);
  Line(dc, x + 11, 1, x + 11, 15, edge);
  for (int y = 4; y <= 11; y += 2) Line(dc, x + 5, y, x + 10, y, rule);
}

void DrawCheck(HDC dc, int x) {
  const COLORREF ink = RGB(0, 0, 0);
  for (int d = 0; d < 2; ++d) {
    Line(dc, x + 3, 7 + d, x + 6, 10 + d, ink);
    Line(dc, x + 6, 10 + d, x + 12, 4 + d, ink);
  }
  Line(dc, x + 3, 9, x + 6, 12, ink);
  Line(dc, x + 6, 12, x + 12, 6, ink);
}

}  // namespace

MenuGlyphs::MenuGlyphs() {
  bitmap_.Reset(win::CreateDib(4 * kCellWidth, kHeight, 24));
  win::UniqueMemoryDc dc = win::CreateMemoryDc();
  win::SelectObjectScope sel(dc.Get(), bitmap_.Get());
  Fill(dc.Get(), 0, 0, 4 * kCellWidth, kHeight, kTransparent);
  DrawFolder(dc.Get(), kFolder * kCellWidth);
  DrawPage(dc.Get(), kPage * kCellWidth);
  DrawCheck(dc.Get(), kCheck * kCellWidth);
}

}  // namespace tessaly
