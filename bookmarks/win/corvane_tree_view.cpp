#include "bookmarks/win/corvane_tree_view.h"

#include <cstdlib>

namespace tessaly {

namespace {
constexpr int kDragBand = 20;  // pixels at the top and the bottom where a drag scrolls
constexpr int kBarAllowance = 16;

bool ScrollRangeEmpty(HWND window, int bar) {
  int low = 0, high = 0;
  GetScrollRange(window, bar, &low, &high);
  return high <= low;
}

SIZE WindowSize(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

int PointerX(LPARAM lp) { return static_cast<short>(LOWORD(lp)); }
int PointerY(LPARAM lp) { return static_cast<short>(HIWORD(lp)); }
}  // namespace

TCorvaneTreeView::TCorvaneTreeView(win::Form& form, win::Bounds b)
    : Control(form, CommonControlClass(ICC_TREEVIEW_CLASSES, WC_TREEVIEWA), "",
              WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS, b,
              WS_EX_CLIENTEDGE) {}

void TCorvaneTreeView::DoAutoScroll(int x, int y) {
  if (!AutoScroll) return;
  HWND h = Handle();
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0)), sizeof(font), &font);
  const int margin = std::abs(static_cast<int>(font.lfHeight)) / 2;
  const int hbar = ScrollRangeEmpty(h, SB_HORZ) ? 0 : kBarAllowance;
  const int vbar = ScrollRangeEmpty(h, SB_VERT) ? 0 : kBarAllowance;
  const SIZE size = WindowSize(h);
  if (y < margin) SendMessageA(h, WM_VSCROLL, SB_LINEUP, 0);
  if (y > size.cy - vbar - margin) SendMessageA(h, WM_VSCROLL, SB_LINEDOWN, 0);
  if (x < margin) SendMessageA(h, WM_HSCROLL, SB_PAGELEFT, 0);
  if (x > size.cx - hbar - margin) SendMessageA(h, WM_HSCROLL, SB_PAGERIGHT, 0);
}

void TCorvaneTreeView::BeginDrag(HTREEITEM item) {
  // The node being dragged is the selected one, which the drop moves.
  SendMessageA(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  dragging_ = true;
  SetCapture(Handle());
  POINT p{};
  GetCursorPos(&p);
  ScreenToClient(Handle(), &p);
  DragOver(p.x, p.y);
}

bool TCorvaneTreeView::Accepts(int x, int y) const {
  RECT area{};
  GetWindowRect(Handle(), &area);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&area), 2);
  const POINT p{x, y};
  return PtInRect(&area, p) && OnDragOver && OnDragOver(x, y);
}

void TCorvaneTreeView::DragOver(int x, int y) {
  const bool accepted = Accepts(x, y);
  SetCursor(LoadCursorA(nullptr, accepted ? IDC_ARROW : IDC_NO));
  HTREEITEM target = nullptr;
  if (accepted) {
    TVHITTESTINFO hit{};
    hit.pt = POINT{x, y};
    target = reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  }
  SendMessageA(Handle(), TVM_SELECTITEM, TVGN_DROPHILITE, reinterpret_cast<LPARAM>(target));
  if (!accepted) return;
  // One line per move of the pointer near the top or the bottom edge of the
  // rows: the client area's, so that the band stays over the rows when a
  // horizontal scroll bar takes the control's bottom edge.
  RECT client{};
  GetClientRect(Handle(), &client);
  const int height = client.bottom;
  if (height - kDragBand < y && y < height)
    PostMessageA(Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  else if (y < kDragBand)
    PostMessageA(Handle(), WM_VSCROLL, SB_LINEUP, 0);
}

void TCorvaneTreeView::EndDrag(bool drop, int x, int y) {
  dragging_ = false;
  SendMessageA(Handle(), TVM_SELECTITEM, TVGN_DROPHILITE, 0);
  if (GetCapture() == Handle()) ReleaseCapture();
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  if (drop && Accepts(x, y) && OnDragDrop) OnDragDrop(x, y);
}

LRESULT TCorvaneTreeView::OnNotify(NMHDR* header) {
  if (header->code == static_cast<UINT>(TVN_BEGINDRAGA) || header->code == static_cast<UINT>(TVN_BEGINDRAGW)) {
    BeginDrag(reinterpret_cast<NMTREEVIEWA*>(header)->itemNew.hItem);
    return 0;
  }
  return OnTreeNotify ? OnTreeNotify(header) : 0;
}

bool TCorvaneTreeView::FormKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  // Escape ends a drag instead of reaching the form as Cancel.
  if (dragging_ && msg.wParam == VK_ESCAPE) {
    EndDrag(false, 0, 0);
    return true;
  }
  // Enter and Escape end a label's editing rather than press the form's buttons.
  HWND editor = reinterpret_cast<HWND>(SendMessageA(Handle(), TVM_GETEDITCONTROL, 0, 0));
  if (!editor || msg.hwnd != editor || (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE)) return false;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);  // taken with the wide calls (application.cpp)
  return true;
}

LRESULT TCorvaneTreeView::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_MOUSEMOVE:
      if (dragging_) {
        DragOver(PointerX(lp), PointerY(lp));
        return 0;
      }
      DoAutoScroll(PointerX(lp), PointerY(lp));
      break;
    case WM_LBUTTONUP:
      if (dragging_) {
        EndDrag(true, PointerX(lp), PointerY(lp));
        return 0;
      }
      break;
    case WM_RBUTTONDOWN:
      if (dragging_) {
        EndDrag(false, 0, 0);
        return 0;
      }
      break;
    case WM_CAPTURECHANGED:
      if (dragging_ && reinterpret_cast<HWND>(lp) != Handle()) EndDrag(false, 0, 0);
      break;
    case WM_KEYUP:
      if (OnKeyUp) OnKeyUp(static_cast<WORD>(wp));
      break;
  }
  return Default(msg, wp, lp);
}

}  // namespace tessaly
