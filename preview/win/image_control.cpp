#include "preview/win/image_control.h"

#include <windowsx.h>

namespace tessaly::win {

TImage::TImage(HWND parent) {
  // No background: the picture covers the window.
  Create(CreateParams::Child("TImage", parent, WS_CLIPSIBLINGS, nullptr));
}

void TImage::SetPicture(UniqueBitmap picture, UniquePalette palette) {
  picture_ = std::move(picture);
  palette_ = std::move(palette);
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TImage::SetBounds(int left, int top, int width, int height) {
  SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TImage::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      Paint(dc, ps.rcPaint);
      EndPaint(Handle(), &ps);
      if (OnPaint) OnPaint();
      return 0;
    }
    case WM_LBUTTONDOWN:
      // A click on the picture gives the keys to the scroll box around it.
      SetFocus(GetParent(Handle()));
      if (OnClick) OnClick(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      return 0;
    case WM_MOUSEMOVE:
      if (OnMouseMove) OnMouseMove(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      return 0;
  }
  return Window::HandleMessage(msg, wp, lp);
}

void TImage::Paint(HDC dc, const RECT& area) {
  if (!picture_) {
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    return;
  }
  HPALETTE previous = nullptr;
  if (palette_) {
    previous = SelectPalette(dc, palette_.Get(), FALSE);
    RealizePalette(dc);
  }
  UniqueMemoryDc memory(CreateCompatibleDC(dc));
  {
    SelectObjectScope select(memory.Get(), picture_.Get());
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memory.Get(), area.left,
           area.top, SRCCOPY);
  }
  if (previous) SelectPalette(dc, previous, FALSE);
}

}  // namespace tessaly::win
