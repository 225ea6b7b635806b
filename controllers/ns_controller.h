#pragma once
#include <memory>
#include <optional>
#include <string>

#include "controllers/controller.h"
#include "controllers/netscape_platform.h"
#include "framework/code_page.h"

namespace tessaly {

// Netscape's id of a browser window as the controller writes it back to
// Netscape: the reply's first two bytes, each a signed byte widened to 16 bits
// without sign ("7x0" for 07 00, "65480x1" for C8 01).
std::string WindowIdText(const std::string& reply);

// The Netscape frame window last found, one for the whole program: its
// restored top-left corner (decimal text), the page title Netscape last
// reported and the window whose title matched.
struct NetscapeFrame {
  std::string frameLeft = "50";
  std::string frameTop = "50";
  std::string frameTitle;
  WindowHandle frameWindow = 0;
};
NetscapeFrame& NetscapeFrameState();

// Netscape Navigator, driven over its DDE interface (service "Netscape", one
// topic per verb). It acts on the browser window Netscape reports as active
// and finds that window's frame by its title; with no Netscape answering it
// offers to start one and waits for it.
class NSController : public Controller {
 public:
  // codePage: the ANSI code page, which Netscape takes its addresses in.
  NSController(NetscapePlatform& platform, const CodePage& codePage);

  // Finds Netscape's active browser window and verifies it; may start Netscape.
  bool ConnectNetscape(bool askToLaunch);
  // Whether the known window still answers; refreshes the frame window.
  bool VerifyNetscapeWindow();
  // Notes the frame window's restored corner and brings it up.
  void RememberFramePosition();
  // The reply to a request for item: its bytes and a zero byte, or nothing.
  std::optional<std::string> RequestItem(DdeConversation& conversation, const std::string& item);
  // The window-enumeration callback: 0 ends the enumeration. Mode 1 looks for
  // the page title and "Netscape", mode 2 for the title "Netscape" alone.
  int FindFrameWindow(WindowHandle window, int mode);

  const std::string& WindowId() const { return windowId_; }

  void SetSize(int width, int height) override;
  // url: UTF-8, sent in the code page (url_text.h).
  void OpenUrl(const std::string& url) override;
  std::string GetUrl() override { return {}; }
  std::string GetTitle() override { return {}; }
  std::string GetPlacement() override;

 private:
  bool EnsureConnection();
  bool OpenLink(DdeConversation& conversation, const char* topic);
  void FollowFrameParents();
  bool AskToLaunch();
  void WaitForNetscape();

  NetscapePlatform& platform_;
  const CodePage& codePage_;
  std::string windowId_;
  std::unique_ptr<DdeConversation> statusConv_;
  std::unique_ptr<DdeConversation> commandConv_;
};

}  // namespace tessaly
