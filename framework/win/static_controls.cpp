#include "framework/win/static_controls.h"

#include "framework/win/form.h"

namespace tessaly::win {

FixedLabel::FixedLabel(Form& form, const std::string& caption, Bounds b, DWORD alignment)
    : Control(form, "STATIC", caption, alignment | SS_CENTERIMAGE | SS_NOPREFIX, b) {}

Panel::Panel(Form& form, Bounds b) : Control(form, "STATIC", "", SS_ETCHEDFRAME | WS_CLIPSIBLINGS, b) {}

// A frame does not paint its inside, and the form does not paint under its
// children: the panel fills its face itself.
LRESULT Panel::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  return msg == WM_ERASEBKGND ? EraseWithFace(wp) : Default(msg, wp, lp);
}

namespace {
// Gives the colour-table entry of the bottom-left pixel the face colour.
void MakeTransparent(HBITMAP bitmap) {
  DIBSECTION dib{};
  if (GetObjectA(bitmap, sizeof(dib), &dib) != sizeof(dib) || dib.dsBm.bmBitsPixel != 8 || !dib.dsBm.bmBits) return;
  const auto* bits = static_cast<const BYTE*>(dib.dsBm.bmBits);
  // A bottom-up bitmap (positive height) keeps its bottom row first.
  const BYTE* bottomRow = dib.dsBmih.biHeight > 0 ? bits : bits + (dib.dsBm.bmHeight - 1) * dib.dsBm.bmWidthBytes;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  RGBQUAD entry{GetBValue(face), GetGValue(face), GetRValue(face), 0};
  UniqueMemoryDc dc = CreateMemoryDc();
  SelectObjectScope select(dc.Get(), bitmap);
  SetDIBColorTable(dc.Get(), bottomRow[0], 1, &entry);
}
}  // namespace

Picture::Picture(Form& form, int resourceId, Bounds b, bool transparent)
    : Control(form, "STATIC", "", SS_BITMAP | SS_CENTERIMAGE | WS_CLIPSIBLINGS, b),
      bitmap_(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP,
                                              0, 0, LR_CREATEDIBSECTION))) {
  if (!bitmap_) return;
  if (transparent) MakeTransparent(bitmap_.Get());
  SendMessageA(Handle(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap_.Get()));
  // Setting a bitmap sizes the control to it; the picture keeps its bounds.
  SetWindowPos(Handle(), nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The control does not own its bitmap: it lets go of it before it is deleted.
Picture::~Picture() { SendMessageA(Handle(), STM_SETIMAGE, IMAGE_BITMAP, 0); }

LinkLabel::LinkLabel(Form& form, const std::string& caption, Bounds b)
    : Control(form, "STATIC", caption, SS_LEFT | SS_NOPREFIX | SS_NOTIFY, b) {
  LOGFONTA lf{};
  GetObjectA(form.Font(), sizeof(lf), &lf);
  lf.lfUnderline = TRUE;
  font_.Reset(CreateFontIndirectA(&lf));
  UniqueMemoryDc dc = CreateMemoryDc();
  SelectObjectScope sel(dc.Get(), font_.Get());
  SIZE size{};
  GetTextExtentPoint32A(dc.Get(), caption.c_str(), static_cast<int>(caption.size()), &size);
  SetWindowPos(Handle(), nullptr, b.left, b.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT LinkLabel::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SETCURSOR:
      SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
      return TRUE;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      RECT r{};
      GetClientRect(Handle(), &r);
      FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
      SelectObjectScope sel(dc, font_.Get());
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, RGB(0, 0, 255));
      const std::string text = Text();
      TextOutA(dc, 0, 0, text.c_str(), static_cast<int>(text.size()));
      EndPaint(Handle(), &ps);
      return 0;
    }
  }
  return Default(msg, wp, lp);
}

}  // namespace tessaly::win
