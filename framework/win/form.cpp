#include "framework/win/form.h"

#include "framework/win/application.h"
#include "framework/win/controls.h"
#include "framework/win/modal_scope.h"
#include "framework/win/text_probe.h"

namespace tessaly::win {

namespace {
// MS Sans Serif 8 pt at 96 dots per inch, or another face of that size.
HFONT CreateDialogFont(const char* face = "MS Sans Serif") {
  return CreateFontA(-MulDiv(8, 96, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

}  // namespace

Form::Form() : font_(CreateDialogFont()) {}

HFONT Form::TextFont() {
  if (!textFont_) textFont_.Reset(CreateDialogFont("Microsoft Sans Serif"));
  return textFont_.Get();
}

Form::~Form() {
  if (Application* app = Application::Instance()) app->RemoveForm(this);
  DestroyHandle();
}

Form::FormParams Form::DialogParams(const char* className, std::string caption, int clientWidth,
                                   int clientHeight, bool stayOnTop) {
  FormParams fp;
  fp.className = className;
  fp.caption = std::move(caption);
  fp.clientWidth = clientWidth;
  fp.clientHeight = clientHeight;
  fp.centered = true;
  fp.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN;
  fp.exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  const Application* app = Application::Instance();
  const Form* main = app ? app->MainForm() : nullptr;
  if (stayOnTop || (main && (GetWindowLongPtrA(main->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST)))
    fp.exStyle |= WS_EX_TOPMOST;
  return fp;
}

void Form::CreateForm(const FormParams& fp) {
  RECT r{0, 0, fp.clientWidth, fp.clientHeight};
  AdjustWindowRectEx(&r, fp.style, fp.hasMenuBar, fp.exStyle);
  int w = r.right - r.left, h = r.bottom - r.top;
  int x = fp.left, y = fp.top;
  if (fp.centered) {
    x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  }
  Application* app = Application::Instance();
  CreateParams p;
  p.className = fp.className;
  p.title = fp.caption.c_str();
  p.style = fp.style;
  p.exStyle = fp.exStyle;
  p.x = x;
  p.y = y;
  p.width = w;
  p.height = h;
  p.parent = fp.owner ? fp.owner : app ? app->Handle() : nullptr;
  p.icon = app ? app->Icon() : nullptr;
  p.smallIcon = app ? app->SmallIcon() : nullptr;
  Create(p);
  if (app) app->AddForm(this);
}

void Form::RegisterControl(Control* c) { controls_[c->Id()] = c; }

void Form::UnregisterControl(Control* c) {
  auto it = controls_.find(c->Id());
  if (it != controls_.end() && it->second == c) controls_.erase(it);
}

bool Form::PreTranslateKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  if (KeyPreview(msg)) return true;
  for (auto& [id, control] : controls_)
    if (control->FormKey(msg)) return true;
  return false;
}

void Form::Show() {
  // The application window carries the task-bar button while a form shows;
  // it is shown first and without activation, so that the form ends in front.
  if (Application* app = Application::Instance())
    if (app->MainForm() == this) ShowWindow(app->Handle(), SW_SHOWNA);
  ShowWindow(Handle(), SW_SHOW);
}

void Form::SetStayOnTop(bool onTop) {
  const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  if (onTop) {
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, flags);
    return;
  }
  // Wine keeps an owned window top-most through HWND_NOTOPMOST; without its
  // owner for the moment of the change, the window lets go.
  HWND owner = GetWindow(Handle(), GW_OWNER);
  if (owner) SetWindowLongPtrA(Handle(), GWLP_HWNDPARENT, 0);
  SetWindowPos(Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, flags);
  if (owner) SetWindowLongPtrA(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
}

void Form::SetPosition(int left, int top) {
  SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT Form::WindowRect() const {
  RECT r{};
  GetWindowRect(Handle(), &r);
  return r;
}

void Form::Close() {
  if (!CloseQuery()) return;
  FormClose();
  if (modal_) {
    if (modalResult_ == 0) modalResult_ = IDCANCEL;
    return;
  }
  Application* app = Application::Instance();
  if (app && app->MainForm() == this) {
    app->RemoveForm(this);
    DestroyHandle();
    PostQuitMessage(0);
  } else {
    Hide();
  }
}

int Form::ShowModal() {
  Application* app = Application::Instance();
  bool quit = false;
  {
    ModalScope scope(Handle());
    modal_ = true;
    modalResult_ = 0;
    FormShow();
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    if (activeControl_) SetFocus(activeControl_);
    MSG msg;
    while (modalResult_ == 0) {
      if (!app || !app->HandleOneMessage(msg)) {
        quit = true;
        break;
      }
    }
  }
  // Hidden once the other windows are enabled again: hiding the active
  // window while they were disabled would hand the front to another program.
  ShowWindow(Handle(), SW_HIDE);
  modal_ = false;
  if (quit) PostQuitMessage(0);
  return modalResult_;
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT routed = 0;
  if (menus_.Route(Handle(), msg, wp, lp, routed)) return routed;
  if (msg != 0 && msg == TextProbe::Message()) return TextProbe::Answer(Handle(), reinterpret_cast<HWND>(lp));
  switch (msg) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_ACTIVATE:
      // As a dialog does: remember the focused control, and give it the focus
      // back when the form is activated again (through WM_SETFOCUS below).
      if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) activeControl_ = focus;
      }
      break;
    case WM_SETFOCUS: {
      HWND target = activeControl_;
      if (!target || !IsWindow(target) || !IsWindowVisible(target) || !IsWindowEnabled(target))
        target = GetNextDlgTabItem(Handle(), nullptr, FALSE);
      if (target) ::SetFocus(target);
      return 0;
    }
    case DM_GETDEFID:
      // Asked by the dialog keys on Enter: they then click this button.
      return defaultButton_ ? MAKELRESULT(defaultButton_, DC_HASDEFID) : 0;
    case WM_COMMAND: {
      int id = LOWORD(wp);
      WORD code = HIWORD(wp);
      if (!lp) {
        // Escape comes from the dialog keys as IDCANCEL without a control.
        if (id != IDCANCEL || !cancelButton_) break;
        id = cancelButton_;
        code = BN_CLICKED;
      }
      auto it = controls_.find(id);
      if (it != controls_.end()) it->second->OnCommand(code);
      return 0;
    }
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(lp);
      auto it = controls_.find(static_cast<int>(hdr->idFrom));
      if (it != controls_.end()) return it->second->OnNotify(hdr);
      break;
    }
    case WM_CTLCOLORSTATIC: {
      // Labels and frames sit on the form's face colour.
      HDC dc = reinterpret_cast<HDC>(wp);
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
  }
  return Window::HandleMessage(msg, wp, lp);
}

}  // namespace tessaly::win
