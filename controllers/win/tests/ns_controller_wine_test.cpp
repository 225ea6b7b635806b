// The Netscape Navigator controller over real DDE conversations, against the
// test peer that serves Netscape's DDE topics over a window of its own.
#include <windows.h>

#include <gtest/gtest.h>

#include "controllers/ns_controller.h"
#include "controllers/win/tests/peer_support.h"
#include "controllers/win/win32_netscape_platform.h"
#include "framework/win/win32_code_page.h"

namespace {

using peers::CallLog;
using Calls = std::vector<std::string>;

// Any message would wait for a user: the tests expect none.
class NoMessagePlatform : public tessaly::win::Win32NetscapePlatform {
 public:
  int ShowMessage(const std::string& text, const std::string&, std::uint32_t) override {
    ADD_FAILURE() << "message: " << text;
    return IDCANCEL;
  }
};

class NSControllerOnWine : public ::testing::Test {
 protected:
  void SetUp() override {
    tessaly::NetscapeFrameState() = {};
    const std::string peer = peers::PeerPath("TNSPEER_EXE");
    ASSERT_FALSE(peer.empty()) << "TNSPEER_EXE names no peer";
    // The active window is frame 9 of browser window 7.
    std::string command = "\"" + peer + "\" --log \"" + log_.Path() +
                          "\" --id 7 --frame 9 --title \"Peer Page\" --rect 150,120,500,400";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &peer_));
    CloseHandle(peer_.hThread);
    ASSERT_TRUE(peers::WaitUntil([this] { return log_.Has("ready"); }));
    window_ = FindWindowA("TNetscapePeer", "Peer Page - Netscape");
    ASSERT_TRUE(window_);
  }
  void TearDown() override {
    if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
    if (peer_.hProcess) {
      if (WaitForSingleObject(peer_.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(peer_.hProcess, 1);
      CloseHandle(peer_.hProcess);
    }
  }

  CallLog log_{"tnspeer"};
  NoMessagePlatform platform_;
  tessaly::win::Win32CodePage codePage_;
  PROCESS_INFORMATION peer_{};
  HWND window_ = nullptr;
};

TEST_F(NSControllerOnWine, OpenUrlAndPlacementReachTheBrowserWindowAboveTheActiveFrame) {
  tessaly::NSController c(platform_, codePage_);
  c.OpenUrl("http://example.com/b.htm");
  EXPECT_EQ(log_.Calls(),
            (Calls{"ready", "request WWW_Activate 0xFFFFFFFF,0x0", "request WWW_GetFrameParent 9x0",
                   "request WWW_GetFrameParent 7x0", "request WWW_Activate 7x0,0x0", "request WWW_GetWindowInfo 7x0",
                   "request WWW_OpenURL http://example.com/b.htm,,7x0,0x0"}));
  EXPECT_EQ(tessaly::NetscapeFrameState().frameWindow, reinterpret_cast<tessaly::WindowHandle>(window_));
  EXPECT_EQ(c.GetPlacement(), "150,120,650,520");
}

}  // namespace
