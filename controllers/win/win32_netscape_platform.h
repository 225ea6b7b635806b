#pragma once
#include "controllers/netscape_platform.h"
#include "controllers/win/win32_window_platform.h"

namespace tessaly::win {

// DDE conversations, windows, the shell and the application's message loop
// on the real platform.
class Win32NetscapePlatform : public NetscapePlatform {
 public:
  std::unique_ptr<DdeConversation> CreateConversation() override;
  void EnumTopLevelWindows(const std::function<int(WindowHandle)>& callback) override;
  std::uint32_t GetWindowThreadProcessId(WindowHandle window) override;
  std::string ReadWindowText(WindowHandle window, int maxCount) override;
  bool GetWindowPlacement(WindowHandle window, WindowPlacementRecord& record) override;
  void ShowWindow(WindowHandle window, int showCommand) override;
  void BringWindowToTop(WindowHandle window) override;
  std::intptr_t ShellOpen(const std::string& file) override;
  std::uint32_t TickCount() override;
  bool ProcessMessages() override;
  int ShowMessage(const std::string& text, const std::string& caption, std::uint32_t style) override;
  bool MainWindowVisible() override;
  void ShowMainWindow(bool show) override;

 private:
  Win32WindowPlatform windows_;
};

}  // namespace tessaly::win
