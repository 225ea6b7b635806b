#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "controllers/window_platform.h"
#include "framework/dde_conversation.h"

namespace tessaly {

// The calls the Netscape Navigator controller makes besides its conversations'
// exchanges: windows, starting the browser, the message loop and messages.
class NetscapePlatform {
 public:
  virtual ~NetscapePlatform() = default;
  virtual std::unique_ptr<DdeConversation> CreateConversation() = 0;

  // Calls callback for the top-level windows, topmost first, until it returns 0.
  virtual void EnumTopLevelWindows(const std::function<int(WindowHandle)>& callback) = 0;
  // 0 when the handle names no window.
  virtual std::uint32_t GetWindowThreadProcessId(WindowHandle window) = 0;
  // The title, at most maxCount - 1 characters.
  virtual std::string ReadWindowText(WindowHandle window, int maxCount) = 0;
  virtual bool GetWindowPlacement(WindowHandle window, WindowPlacementRecord& record) = 0;
  virtual void ShowWindow(WindowHandle window, int showCommand) = 0;
  virtual void BringWindowToTop(WindowHandle window) = 0;

  // ShellExecute's result for opening file: above 32 when the start was accepted.
  virtual std::intptr_t ShellOpen(const std::string& file) = 0;
  virtual std::uint32_t TickCount() = 0;
  // Runs the messages waiting in the application's queue; false once the
  // program is ending.
  virtual bool ProcessMessages() = 0;
  // The application's message box; the button the user chose (1 = OK).
  virtual int ShowMessage(const std::string& text, const std::string& caption, std::uint32_t style) = 0;
  // The main window, and with it the application's hidden main window.
  virtual bool MainWindowVisible() = 0;
  virtual void ShowMainWindow(bool show) = 0;
};

}  // namespace tessaly
