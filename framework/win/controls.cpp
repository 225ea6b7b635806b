#include "framework/win/controls.h"

#include <stdexcept>

#include "framework/win/form.h"
#include "framework/win/handles.h"
#include "framework/win/wide_text.h"

namespace tessaly::win {

Control::Control(Form& form, const char* windowClass, const std::string& caption, DWORD style,
                 Bounds b, DWORD exStyle)
    : form_(form), id_(form.NextControlId()) {
  // Wide-character windows, and subclassed with the wide calls so that they
  // stay so: an edit box then takes any character typed, and a text set or
  // read through the wide calls keeps every character. The ANSI messages the
  // program sends them are converted by the system, as ever.
  hwnd_ = CreateWindowExW(exStyle, Wide(windowClass).c_str(), Wide(caption).c_str(), WS_CHILD | WS_VISIBLE | style,
                          b.left, b.top, b.width, b.height, form.Handle(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) throw std::runtime_error(std::string("Error creating control ") + windowClass);
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(form.Font()), FALSE);
  // The standard controls leave GWLP_USERDATA to the program.
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  classProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
  form.RegisterControl(this);
}

Control::~Control() {
  form_.UnregisterControl(this);
  if (!hwnd_) return;
  // The class's own procedure again first: the messages of the window's
  // end must not reach a control that is going.
  HWND h = hwnd_;
  hwnd_ = nullptr;
  SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(classProc_));
  SetWindowLongPtrW(h, GWLP_USERDATA, 0);
  DestroyWindow(h);
}

LRESULT CALLBACK Control::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    // The window goes with its form before the control does.
    WNDPROC classProc = self->classProc_;
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(classProc));
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return CallWindowProcW(classProc, hwnd, msg, wp, lp);
  }
  return CallHandler([&] { return self->HandleMessage(msg, wp, lp); });
}

std::string Control::Text() const {
  const int n = GetWindowTextLengthW(hwnd_);
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  const int got = GetWindowTextW(hwnd_, &s[0], n + 1);
  return Utf8(s.data(), got);
}

void Control::SetText(const std::string& text) { SetWindowTextW(hwnd_, Wide(text).c_str()); }

Button::Button(Form& form, const std::string& caption, Bounds b, bool isDefault)
    : Control(form, "BUTTON", caption, WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), b) {
  if (isDefault) form.SetDefaultButton(Id());
}

CheckBox::CheckBox(Form& form, const std::string& caption, Bounds b)
    : Control(form, "BUTTON", caption, WS_TABSTOP | BS_AUTOCHECKBOX, b) {}

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

const char* Control::CommonControlClass(DWORD icc, const char* className) {
  INITCOMMONCONTROLSEX init{sizeof(init), icc};
  InitCommonControlsEx(&init);
  return className;
}

LRESULT Control::EraseWithFace(WPARAM dc) {
  RECT r{};
  GetClientRect(Handle(), &r);
  FillRect(reinterpret_cast<HDC>(dc), &r, GetSysColorBrush(COLOR_BTNFACE));
  return 1;
}

GroupBox::GroupBox(Form& form, const std::string& caption, Bounds b)
    : Control(form, "BUTTON", caption, BS_GROUPBOX | WS_CLIPSIBLINGS, b) {}

// A frame does not paint its inside; without this the area would keep
// whatever lay there before, since the siblings behind it are clipped.
LRESULT GroupBox::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  return msg == WM_ERASEBKGND ? EraseWithFace(wp) : Default(msg, wp, lp);
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

TabControl::TabControl(Form& form, Bounds b, const std::vector<std::string>& tabs)
    : Control(form, WC_TABCONTROLA, "", WS_TABSTOP | WS_CLIPSIBLINGS, b) {
  for (size_t i = 0; i < tabs.size(); ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(tabs[i].c_str());
    SendMessageA(Handle(), TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
}

int TabControl::TabIndex() const { return static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0)); }

void TabControl::SetTabIndex(int index) {
  SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

// What a click on the tab does: the parent may refuse the change, then hears
// of it.
void TabControl::SelectByUser(int index) {
  HWND parent = GetParent(Handle());
  NMHDR hdr{Handle(), static_cast<UINT_PTR>(Id()), static_cast<UINT>(TCN_SELCHANGING)};
  if (SendMessageA(parent, WM_NOTIFY, static_cast<WPARAM>(Id()), reinterpret_cast<LPARAM>(&hdr))) return;
  SetTabIndex(index);
  hdr.code = static_cast<UINT>(TCN_SELCHANGE);
  SendMessageA(parent, WM_NOTIFY, static_cast<WPARAM>(Id()), reinterpret_cast<LPARAM>(&hdr));
}

bool TabControl::FormKey(const MSG& msg) {
  // Ctrl+Tab and Ctrl+Shift+Tab turn the pages wherever the focus is, as in
  // the system's property sheets; the tab control does not do it itself.
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || GetKeyState(VK_CONTROL) >= 0) return false;
  const int count = static_cast<int>(SendMessageA(Handle(), TCM_GETITEMCOUNT, 0, 0));
  if (count < 2) return false;
  const int step = GetKeyState(VK_SHIFT) < 0 ? count - 1 : 1;
  SelectByUser((TabIndex() + step) % count);
  return true;
}

LRESULT TabControl::OnNotify(NMHDR* hdr) {
  if (hdr->code == static_cast<UINT>(TCN_SELCHANGE) && OnChange) OnChange();
  return 0;
}

}  // namespace tessaly::win
