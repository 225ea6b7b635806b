#pragma once
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "framework/win/handles.h"
#include "framework/win/window.h"

namespace tessaly::win {

class Form;

// The application object: its hidden window of class "TApplication" carries the
// task-bar button and owns the forms; it runs the message loop.
class Application : public Window {
 public:
  // icon: the executable's icon resource that the windows and the tray show,
  // or null for none.
  explicit Application(const char* icon = nullptr);
  ~Application() override;

  // The one application object of the process, or null before it exists.
  static Application* Instance() { return instance_; }

  void SetTitle(const std::string& title);
  const std::string& Title() const { return title_; }
  // The program's icon at the sizes the system uses for large and small icons.
  HICON Icon() const { return icon_.Get(); }
  HICON SmallIcon() const { return smallIcon_.Get(); }

  bool ShowMainForm = true;

  // Shows the main form (when ShowMainForm) and runs the message loop until the
  // main form has closed.
  void Run(Form& mainForm);
  void ProcessMessages();
  Form* MainForm() const { return mainForm_; }

  // For work that keeps the message loop turning while it waits (a browser
  // that is starting, a transfer): runs the messages waiting now, through the
  // application object when there is one, and leaves a quit message for the
  // loop that runs the program. False once the program is ending.
  static bool ProcessPendingMessages();
  // Whether the program is ending: its quit message waits for the main loop.
  static bool Ending() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
  }
  // Sleeps until a message arrives or the time is up.
  static void WaitForMessage(DWORD ms) { MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_ALLINPUT); }

  // Dispatches one message; false once WM_QUIT arrived.
  bool HandleOneMessage(MSG& msg);

  // Runs the program's start and its message loop. An exception that escapes
  // is shown in the standard exception box while the application window is
  // still there to own it and title it; then the program ends.
  void Execute(const std::function<void()>& body);

  // The standard exception message box, owned by the active window.
  static void ShowException(const std::exception& e);
  // A message box owned by the application window; the program's other
  // windows take no input until it is answered. Returns the button chosen.
  int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags) {
    return ShowMessageBox(Handle(), text, caption, flags);
  }
  // The same with another owner (null: none), for a box that belongs to a
  // form. Every message box of the program goes through here: it is a modal
  // window like the forms (modal_scope.h).
  static int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags);

  void AddForm(Form* form) { forms_.push_back(form); }
  void RemoveForm(Form* form);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Minimize();
  void Restore();

  static Application* instance_;
  std::string title_;
  UniqueIcon icon_;
  UniqueIcon smallIcon_;
  Form* mainForm_ = nullptr;
  std::vector<Form*> forms_;
  std::vector<HWND> hiddenByMinimize_;
};

}  // namespace tessaly::win
