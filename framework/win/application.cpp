#include "framework/win/application.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "framework/win/form.h"
#include "framework/win/modal_scope.h"

namespace tessaly::win {

Application* Application::instance_ = nullptr;

namespace {
// Windows picks the image of the icon resource nearest the size and scales it.
HICON LoadProgramIcon(const char* icon, int widthMetric, int heightMetric) {
  if (!icon) return nullptr;
  return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), icon, IMAGE_ICON, GetSystemMetrics(widthMetric),
                                       GetSystemMetrics(heightMetric), LR_DEFAULTCOLOR));
}
}  // namespace

Application::Application(const char* icon)
    : icon_(LoadProgramIcon(icon, SM_CXICON, SM_CYICON)), smallIcon_(LoadProgramIcon(icon, SM_CXSMICON, SM_CYSMICON)) {
  if (instance_) throw std::logic_error("only one application object");
  instance_ = this;
  // The forms use the platform's own controls, the tab control among them.
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TAB_CLASSES};
  InitCommonControlsEx(&icc);
  int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
  CreateParams p;
  p.className = "TApplication";
  p.title = "";
  p.style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
  p.x = x;
  p.y = y;
  p.width = 0;
  p.height = 0;
  p.icon = icon_.Get();
  p.smallIcon = smallIcon_.Get();
  Create(p);
  SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.Get()));
  SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
}

Application::~Application() {
  DestroyHandle();
  instance_ = nullptr;
}

void Application::SetTitle(const std::string& title) {
  title_ = title;
  SetWindowTextA(Handle(), title.c_str());
}

void Application::RemoveForm(Form* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
  if (mainForm_ == form) mainForm_ = nullptr;
}

void Application::Run(Form& mainForm) {
  mainForm_ = &mainForm;
  if (ShowMainForm) mainForm.Show();
  MSG msg;
  while (mainForm_ && HandleOneMessage(msg)) {
  }
}

bool Application::HandleOneMessage(MSG& msg) {
  // The wide-character calls: taken with the ANSI ones, a character typed
  // that the ANSI code page lacks would reach an edit box as "?". Windows
  // converts the messages of the program's ANSI windows as it dispatches them.
  if (GetMessageW(&msg, nullptr, 0, 0) <= 0) return false;
  // Keyboard navigation (Tab, arrows, Enter) between a form's controls.
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  for (Form* f : forms_) {
    if (f->Handle() != root || !root) continue;
    if (f->PreTranslateKey(msg) || IsDialogMessageW(root, &msg)) return true;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

void Application::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
    if (msg.message == WM_QUIT) return;  // leave it for the main loop
    // The quit can also come while a message is being taken: a message sent
    // meanwhile (the end of the session) may end the program. It is left for
    // the main loop too, which would otherwise never end.
    if (!HandleOneMessage(msg)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
  }
}

bool Application::ProcessPendingMessages() {
  MSG msg;
  if (Application* app = Instance()) {
    app->ProcessMessages();
  } else {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return !Ending();
}

void Application::Execute(const std::function<void()>& body) {
  try {
    body();
  } catch (const std::exception& e) {
    ShowException(e);
  }
}

void Application::ShowException(const std::exception& e) {
  std::string text = e.what();
  if (!text.empty() && text.back() != '.') text += '.';
  Application* app = instance_;
  std::string caption = app ? app->title_ : std::string("Error");
  HWND owner = GetActiveWindow();
  if (!owner && app) owner = app->Handle();
  ShowMessageBox(owner, text, caption, MB_OK | MB_ICONSTOP);
}

int Application::ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
  // The box disables its owner itself and enables it again before it goes,
  // so that the owner takes the front back: the scope leaves it alone.
  ModalScope scope(owner);
  return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

void Application::Minimize() {
  hiddenByMinimize_.clear();
  for (Form* f : forms_) {
    if (IsWindowVisible(f->Handle())) {
      hiddenByMinimize_.push_back(f->Handle());
      ShowWindow(f->Handle(), SW_HIDE);
    }
  }
  ShowWindow(Handle(), SW_MINIMIZE);
}

void Application::Restore() {
  ShowWindow(Handle(), SW_RESTORE);
  for (HWND h : hiddenByMinimize_)
    if (IsWindow(h)) ShowWindow(h, SW_SHOW);
  hiddenByMinimize_.clear();
  if (mainForm_ && IsWindowVisible(mainForm_->Handle())) SetForegroundWindow(mainForm_->Handle());
}

LRESULT Application::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SYSCOMMAND:
      switch (wp & 0xFFF0) {
        case SC_MINIMIZE:
          Minimize();
          return 0;
        case SC_RESTORE:
          Restore();
          return 0;
      }
      break;
    case WM_CLOSE:
      if (mainForm_) mainForm_->Close();
      return 0;
    case WM_ACTIVATE:
      // The application window itself has nothing to show: hand the focus on.
      if (LOWORD(wp) != WA_INACTIVE && mainForm_ && IsWindowVisible(mainForm_->Handle()) &&
          !IsIconic(Handle()))
        SetFocus(mainForm_->Handle());
      return 0;
  }
  return Window::HandleMessage(msg, wp, lp);
}

}  // namespace tessaly::win
