#include "controllers/win/win32_netscape_platform.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "framework/win/application.h"
#include "framework/win/dde_client_conv.h"
#include "framework/win/form.h"

namespace tessaly::win {

namespace {
HWND ToHwnd(WindowHandle w) { return reinterpret_cast<HWND>(w); }

BOOL CALLBACK EnumWindowCallback(HWND window, LPARAM callback) {
  const auto& call = *reinterpret_cast<const std::function<int(WindowHandle)>*>(callback);
  return call(reinterpret_cast<WindowHandle>(window)) != 0;
}

// Between attempts to reach a browser that is starting, the wait sleeps until
// a message arrives or this time is up, so that it does not spin.
constexpr DWORD kIdleWaitMs = 50;
}  // namespace

std::unique_ptr<DdeConversation> Win32NetscapePlatform::CreateConversation() {
  return std::make_unique<DdeClientConv>();
}

void Win32NetscapePlatform::EnumTopLevelWindows(const std::function<int(WindowHandle)>& callback) {
  EnumWindows(EnumWindowCallback, reinterpret_cast<LPARAM>(&callback));
}

std::uint32_t Win32NetscapePlatform::GetWindowThreadProcessId(WindowHandle window) {
  return windows_.GetWindowThreadProcessId(window);
}

std::string Win32NetscapePlatform::ReadWindowText(WindowHandle window, int maxCount) {
  std::vector<char> text(static_cast<size_t>(maxCount) + 1, '\0');
  const int n = GetWindowTextA(ToHwnd(window), text.data(), maxCount);
  return std::string(text.data(), n > 0 ? static_cast<size_t>(n) : 0);
}

bool Win32NetscapePlatform::GetWindowPlacement(WindowHandle window, WindowPlacementRecord& record) {
  return windows_.GetWindowPlacement(window, record);
}

void Win32NetscapePlatform::ShowWindow(WindowHandle window, int showCommand) {
  ::ShowWindow(ToHwnd(window), showCommand);
}

void Win32NetscapePlatform::BringWindowToTop(WindowHandle window) { windows_.BringWindowToTop(window); }

std::intptr_t Win32NetscapePlatform::ShellOpen(const std::string& file) {
  return reinterpret_cast<std::intptr_t>(ShellExecuteA(nullptr, "open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

std::uint32_t Win32NetscapePlatform::TickCount() { return GetTickCount(); }

bool Win32NetscapePlatform::ProcessMessages() {
  Application::WaitForMessage(kIdleWaitMs);
  if (Application::Ending()) return false;
  return Application::ProcessPendingMessages();
}

int Win32NetscapePlatform::ShowMessage(const std::string& text, const std::string& caption, std::uint32_t style) {
  Application* app = Application::Instance();
  return Application::ShowMessageBox(app ? app->Handle() : nullptr, text, caption, style);
}

bool Win32NetscapePlatform::MainWindowVisible() {
  Application* app = Application::Instance();
  Form* main = app ? app->MainForm() : nullptr;
  return !main || main->Visible();
}

void Win32NetscapePlatform::ShowMainWindow(bool show) {
  Application* app = Application::Instance();
  Form* main = app ? app->MainForm() : nullptr;
  if (!main) return;
  ::ShowWindow(main->Handle(), show ? SW_SHOW : SW_HIDE);
  ::ShowWindow(app->Handle(), show ? SW_SHOW : SW_HIDE);
}

}  // namespace tessaly::win
