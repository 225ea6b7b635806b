#include "preview/win/scroll_box.h"

#include <climits>  // UINT_MAX, in WHEEL_PAGESCROLL

#ifndef WM_MOUSEHWHEEL
#define WM_MOUSEHWHEEL 0x020E  // tilt wheels, announced from Windows Vista on
#endif

namespace tessaly::win {

namespace {
constexpr int kBarOf[2] = {SB_HORZ, SB_VERT};

int WheelLines() {
  UINT lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  return lines == WHEEL_PAGESCROLL ? -1 : static_cast<int>(lines);
}

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }
}  // namespace

TScrollBox::TScrollBox(HWND parent) {
  Create(CreateParams::Child("TScrollBox", parent, WS_TABSTOP | WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL,
                             static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))));
  UpdateBars();
}

void TScrollBox::SetContent(HWND child, int width, int height) {
  content_ = child;
  axes_[0] = ScrollAxis{width, axes_[0].view, 0};
  axes_[1] = ScrollAxis{height, axes_[1].view, 0};
  UpdateBars();
  PlaceContent();
}

void TScrollBox::SetBounds(int left, int top, int width, int height) {
  SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TScrollBox::UpdateBars() {
  if (updating_) return;  // showing or hiding a bar sizes the client area again
  updating_ = true;
  RECT outer{};
  GetWindowRect(Handle(), &outer);
  const int boxWidth = outer.right - outer.left, boxHeight = outer.bottom - outer.top;
  const int barWidth = GetSystemMetrics(SM_CXVSCROLL), barHeight = GetSystemMetrics(SM_CYHSCROLL);
  const ScrollBarsNeeded bars =
      NeededScrollBars(axes_[0].content, axes_[1].content, boxWidth, boxHeight, barWidth, barHeight);
  axes_[0].view = boxWidth - (bars.vertical ? barWidth : 0);
  axes_[1].view = boxHeight - (bars.horizontal ? barHeight : 0);
  for (int axis = 0; axis < 2; ++axis) {
    ScrollAxis& a = axes_[axis];
    a.position = a.Clamp(a.position);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = a.content > 0 ? a.content - 1 : 0;
    // A page at least as long as the range hides the bar.
    info.nPage = static_cast<UINT>(a.view > 0 ? a.view : 0);
    info.nPos = a.position;
    SetScrollInfo(Handle(), kBarOf[axis], &info, TRUE);
  }
  updating_ = false;
  PlaceContent();
}

void TScrollBox::PlaceContent() {
  if (!content_) return;
  SetWindowPos(content_, nullptr, -axes_[0].position, -axes_[1].position, axes_[0].content, axes_[1].content,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TScrollBox::ScrollTo(int x, int y) {
  ScrollAxisTo(0, x);
  ScrollAxisTo(1, y);
}

void TScrollBox::ScrollAxisTo(int axis, int position) {
  ScrollAxis& a = axes_[axis];
  position = a.Clamp(position);
  if (position == a.position) return;
  a.position = position;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_POS;
  info.nPos = position;
  SetScrollInfo(Handle(), kBarOf[axis], &info, TRUE);
  PlaceContent();
}

void TScrollBox::OnScrollBar(int axis, WORD request) {
  switch (request) {
    case SB_LINEUP:
      return Scroll(axis, ScrollAction::LineBack);
    case SB_LINEDOWN:
      return Scroll(axis, ScrollAction::LineForward);
    case SB_PAGEUP:
      return Scroll(axis, ScrollAction::PageBack);
    case SB_PAGEDOWN:
      return Scroll(axis, ScrollAction::PageForward);
    case SB_TOP:
      return Scroll(axis, ScrollAction::Start);
    case SB_BOTTOM:
      return Scroll(axis, ScrollAction::End);
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The 32-bit track position: the message's own is 16 bits.
      SCROLLINFO info{};
      info.cbSize = sizeof(info);
      info.fMask = SIF_TRACKPOS;
      if (GetScrollInfo(Handle(), kBarOf[axis], &info)) ScrollAxisTo(axis, info.nTrackPos);
      return;
    }
  }
}

void TScrollBox::OnWheel(int axis, int rotation) {
  const int pixels = wheels_[axis].Pixels(rotation, WheelLines(), axes_[axis].view);
  if (pixels) ScrollAxisTo(axis, axes_[axis].position + pixels);
}

bool TScrollBox::OnKey(WPARAM key) {
  const bool control = KeyDown(VK_CONTROL), shift = KeyDown(VK_SHIFT);
  switch (key) {
    case VK_UP:
      Scroll(1, ScrollAction::LineBack);
      return true;
    case VK_DOWN:
      Scroll(1, ScrollAction::LineForward);
      return true;
    case VK_LEFT:
      Scroll(0, ScrollAction::LineBack);
      return true;
    case VK_RIGHT:
      Scroll(0, ScrollAction::LineForward);
      return true;
    case VK_PRIOR:
      Scroll(control ? 0 : 1, ScrollAction::PageBack);
      return true;
    case VK_NEXT:
      Scroll(control ? 0 : 1, ScrollAction::PageForward);
      return true;
    case VK_SPACE:
      Scroll(1, shift ? ScrollAction::PageBack : ScrollAction::PageForward);
      return true;
    case VK_HOME:
      if (control) Scroll(0, ScrollAction::Start);
      Scroll(1, ScrollAction::Start);
      return true;
    case VK_END:
      if (control) Scroll(0, ScrollAction::End);
      Scroll(1, ScrollAction::End);
      return true;
  }
  return false;
}

LRESULT TScrollBox::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      UpdateBars();
      return 0;
    case WM_HSCROLL:
      OnScrollBar(0, LOWORD(wp));
      return 0;
    case WM_VSCROLL:
      OnScrollBar(1, LOWORD(wp));
      return 0;
    case WM_MOUSEWHEEL:
      // Shift turns the wheel sideways, as in most viewers.
      OnWheel((GET_KEYSTATE_WPARAM(wp) & MK_SHIFT) ? 0 : 1, GET_WHEEL_DELTA_WPARAM(wp));
      return 0;
    case WM_MOUSEHWHEEL:
      OnWheel(0, -GET_WHEEL_DELTA_WPARAM(wp));  // tilted right means forward
      return 0;
    case WM_KEYDOWN:
      if (OnKey(wp)) return 0;
      break;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
      SetFocus(Handle());
      return 0;
  }
  return Window::HandleMessage(msg, wp, lp);
}

}  // namespace tessaly::win
