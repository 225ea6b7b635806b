#include "framework/win/controls.h"

#include <commctrl.h>  // the tab control messages only; nothing is linked from it

#include <stdexcept>

#include "framework/win/form.h"
#include "framework/win/handles.h"

namespace tessaly::win {

Control::Control(Form& form, const char* windowClass, const std::string& caption, DWORD style,
                 Bounds b, DWORD exStyle)
    : id_(form.NextControlId()) {
  hwnd_ = CreateWindowExA(exStyle, windowClass, caption.c_str(), WS_CHILD | WS_VISIBLE | style, b.left,
                          b.top, b.width, b.height, form.Handle(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), GetModuleHandleA(nullptr),
                          nullptr);
  if (!hwnd_) throw std::runtime_error(std::string("Error creating control ") + windowClass);
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(form.Font()), FALSE);
  form.RegisterControl(this);
}

std::string Control::Text() const {
  int n = GetWindowTextLengthA(hwnd_);
  std::string s(static_cast<size_t>(n) + 1, '\0');
  int got = GetWindowTextA(hwnd_, &s[0], n + 1);
  s.resize(static_cast<size_t>(got < 0 ? 0 : got));
  return s;
}

Button::Button(Form& form, const std::string& caption, Bounds b, bool isDefault)
    : Control(form, "BUTTON", caption, WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), b) {}

Label::Label(Form& form, const std::string& caption, Bounds b, bool rightAligned)
    : Control(form, "STATIC", caption, (rightAligned ? SS_RIGHT : SS_LEFT) | SS_NOPREFIX, b) {
  // Labels size themselves to their text; a right-aligned one keeps its right edge.
  UniqueMemoryDc dc = CreateMemoryDc();
  SelectObjectScope sel(dc.Get(), form.Font());
  SIZE size{};
  GetTextExtentPoint32A(dc.Get(), caption.c_str(), static_cast<int>(caption.size()), &size);
  const int left = rightAligned ? b.left + b.width - size.cx : b.left;
  SetWindowPos(Handle(), nullptr, left, b.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {
// A frame does not paint its inside; without this the area would keep
// whatever lay there before, since the siblings behind it are clipped.
LRESULT CALLBACK GroupBoxProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (msg == WM_ERASEBKGND) {
    RECT r{};
    GetClientRect(hwnd, &r);
    FillRect(reinterpret_cast<HDC>(wp), &r, GetSysColorBrush(COLOR_BTNFACE));
    return 1;
  }
  return CallWindowProcA(previous, hwnd, msg, wp, lp);
}
}  // namespace

GroupBox::GroupBox(Form& form, const std::string& caption, Bounds b)
    : Control(form, "BUTTON", caption, BS_GROUPBOX | WS_CLIPSIBLINGS, b) {
  SetWindowLongPtrA(Handle(), GWLP_USERDATA, GetWindowLongPtrA(Handle(), GWLP_WNDPROC));
  SetWindowLongPtrA(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GroupBoxProc));
}

Edit::Edit(Form& form, Bounds b)
    : Control(form, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, b, WS_EX_CLIENTEDGE) {}

namespace {
// The text of a list item of a combo or list box (both answer -1 for none).
std::string ItemText(HWND box, UINT lengthMessage, UINT textMessage, int index) {
  LRESULT n = SendMessageA(box, lengthMessage, static_cast<WPARAM>(index), 0);
  if (n < 0) return {};
  std::string s(static_cast<size_t>(n) + 1, '\0');
  SendMessageA(box, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&s[0]));
  s.resize(static_cast<size_t>(n));
  return s;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string s;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) s += "\r\n";
    s += lines[i];
  }
  return s;
}
}  // namespace

Memo::Memo(Form& form, Bounds b, const std::vector<std::string>& lines)
    : Control(form, "EDIT", JoinLines(lines), ES_MULTILINE | ES_READONLY, b) {}

ComboBox::ComboBox(Form& form, Bounds b, const std::vector<std::string>& items)
    // The height given is the closed box's; the list drops below it.
    : Control(form, "COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
              Bounds{b.left, b.top, b.width, 200}) {
  for (const auto& item : items) Add(item);
}

void ComboBox::Clear() { SendMessageA(Handle(), CB_RESETCONTENT, 0, 0); }
void ComboBox::Add(const std::string& item) {
  SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}
int ComboBox::Count() const { return static_cast<int>(SendMessageA(Handle(), CB_GETCOUNT, 0, 0)); }
int ComboBox::ItemIndex() const { return static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0)); }
void ComboBox::SetItemIndex(int index) { SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }
std::string ComboBox::Item(int index) const {
  return ItemText(Handle(), CB_GETLBTEXTLEN, CB_GETLBTEXT, index);
}

ListBox::ListBox(Form& form, Bounds b)
    : Control(form, "LISTBOX", "", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, b,
              WS_EX_CLIENTEDGE) {}

void ListBox::Clear() { SendMessageA(Handle(), LB_RESETCONTENT, 0, 0); }
void ListBox::Add(const std::string& item) {
  SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}
void ListBox::Delete(int index) { SendMessageA(Handle(), LB_DELETESTRING, static_cast<WPARAM>(index), 0); }
void ListBox::SetItem(int index, const std::string& text) {
  Delete(index);
  SendMessageA(Handle(), LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
}
int ListBox::Count() const { return static_cast<int>(SendMessageA(Handle(), LB_GETCOUNT, 0, 0)); }
int ListBox::ItemIndex() const { return static_cast<int>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0)); }
void ListBox::SetItemIndex(int index) { SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0); }
std::string ListBox::Item(int index) const {
  return ItemText(Handle(), LB_GETTEXTLEN, LB_GETTEXT, index);
}
std::vector<std::string> ListBox::Items() const {
  std::vector<std::string> items;
  for (int i = 0, n = Count(); i < n; ++i) items.push_back(Item(i));
  return items;
}

namespace {
constexpr int kTabHeight = 20;
constexpr int kTabPadding = 6;
}  // namespace

const char* TabControl::RegisterClassOnce() {
  static const char* const name = [] {
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = "TTabControl";
    RegisterClassA(&wc);
    return "TTabControl";
  }();
  return name;
}

TabControl::TabControl(Form& form, Bounds b, const std::vector<std::string>& tabs)
    : Control(form, RegisterClassOnce(), "", WS_TABSTOP | WS_CLIPSIBLINGS, b), tabs_(tabs), font_(form.Font()) {
  SetWindowLongPtrA(Control::Handle(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  InvalidateRect(Control::Handle(), nullptr, TRUE);
}

LRESULT CALLBACK TabControl::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<TabControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
  return self->HandleMessage(msg, wp, lp);
}

LRESULT TabControl::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  HWND hwnd = Control::Handle();
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      Paint(dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN: {
      POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      int i = TabAt(pt);
      if (i >= 0) {
        ::SetFocus(hwnd);
        SelectByUser(i);
      }
      return 0;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_KEYDOWN:
      if (wp == VK_LEFT && index_ > 0) SelectByUser(index_ - 1);
      if (wp == VK_RIGHT && index_ + 1 < static_cast<int>(tabs_.size())) SelectByUser(index_ + 1);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case TCM_GETCURSEL:
      return index_;
    case TCM_GETITEMCOUNT:
      return static_cast<LRESULT>(tabs_.size());
    case TCM_SETCURFOCUS:  // as a user's choice: the form hears of it
      if (static_cast<int>(wp) >= 0 && static_cast<int>(wp) < static_cast<int>(tabs_.size()))
        SelectByUser(static_cast<int>(wp));
      return 0;
    case TCM_SETCURSEL: {
      int previous = index_;
      SetTabIndex(static_cast<int>(wp));
      return previous;
    }
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

RECT TabControl::TabRect(int index, HDC dc) const {
  // Tabs take their text's width; when the row would not fit, every tab
  // gives up the same share of its width.
  std::vector<int> widths;
  int total = 0;
  for (const std::string& tab : tabs_) {
    SIZE size{};
    GetTextExtentPoint32A(dc, tab.c_str(), static_cast<int>(tab.size()), &size);
    widths.push_back(size.cx + 2 * kTabPadding);
    total += widths.back();
  }
  RECT client{};
  GetClientRect(Control::Handle(), &client);
  const int room = client.right - 6;
  int x = 2;
  RECT r{};
  for (int i = 0; i <= index && i < static_cast<int>(widths.size()); ++i) {
    const int w = total > room ? widths[static_cast<size_t>(i)] * room / total : widths[static_cast<size_t>(i)];
    r = RECT{x, 2, x + w, kTabHeight};
    x = r.right;
  }
  return r;
}

int TabControl::TabAt(POINT pt) {
  UniqueMemoryDc dc = CreateMemoryDc();
  SelectObjectScope sel(dc.Get(), font_);
  for (int i = 0; i < static_cast<int>(tabs_.size()); ++i) {
    RECT r = TabRect(i, dc.Get());
    r.top = 0;
    if (PtInRect(&r, pt)) return i;
  }
  return -1;
}

void TabControl::Paint(HDC dc) {
  RECT client{};
  GetClientRect(Control::Handle(), &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  RECT page{client.left, kTabHeight, client.right, client.bottom};
  DrawEdge(dc, &page, EDGE_RAISED, BF_RECT);
  SelectObjectScope sel(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  for (int i = 0; i < static_cast<int>(tabs_.size()); ++i) {
    RECT r = TabRect(i, dc);
    const bool selected = i == index_;
    if (selected) InflateRect(&r, 2, 0), r.top -= 2, r.bottom += 1;
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &r, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT | BF_SOFT);
    RECT text = r;
    DrawTextA(dc, tabs_[i].c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (selected && GetFocus() == Control::Handle()) {
      RECT focus = r;
      InflateRect(&focus, -3, -3);
      DrawFocusRect(dc, &focus);
    }
  }
}

void TabControl::SetTabIndex(int index) {
  if (index < 0 || index >= static_cast<int>(tabs_.size()) || index == index_) return;
  index_ = index;
  InvalidateRect(Control::Handle(), nullptr, FALSE);
}

void TabControl::SelectByUser(int index) {
  if (index == index_) return;
  SetTabIndex(index);
  NMHDR hdr{Control::Handle(), static_cast<UINT_PTR>(Id()), static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageA(GetParent(Control::Handle()), WM_NOTIFY, static_cast<WPARAM>(Id()), reinterpret_cast<LPARAM>(&hdr));
}

LRESULT TabControl::OnNotify(NMHDR* hdr) {
  if (hdr->code == static_cast<UINT>(TCN_SELCHANGE) && OnChange) OnChange();
  return 0;
}

}  // namespace tessaly::win
