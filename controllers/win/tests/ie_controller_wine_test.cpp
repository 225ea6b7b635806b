// The Internet Explorer controller over real automation calls, against the
// test peer that stands in for Internet Explorer's automation server. Each
// test registers the peer as the InternetExplorer class's local server and
// puts the registration found back when it ends.
#include <windows.h>

#include <gtest/gtest.h>

#include "controllers/ie_controller.h"
#include "controllers/win/tests/peer_support.h"
#include "controllers/win/win32_automation_platform.h"

namespace {

using peers::CallLog;

const char kLocalServerKey[] = "Software\\Classes\\CLSID\\{0002DF01-0000-0000-C000-000000000046}\\LocalServer32";

// Any message would wait for a user: the tests expect none.
class NoMessagePlatform : public tessaly::win::Win32AutomationPlatform {
 public:
  void ShowMessage(const std::string& text, const std::string&, std::uint32_t) override {
    ADD_FAILURE() << "message: " << text;
  }
};

HWND BrowserWindow() { return FindWindowA("IEFrame", nullptr); }

class IEControllerOnWine : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string peer = peers::PeerPath("TIEPEER_EXE");
    ASSERT_FALSE(peer.empty()) << "TIEPEER_EXE names no peer";
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kLocalServerKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                              nullptr, &key_, nullptr),
              ERROR_SUCCESS);
    char old[1024] = {};
    DWORD size = sizeof old - 1;
    hadValue_ = RegQueryValueExA(key_, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS;
    oldValue_ = old;
    SetServer("\"" + peer + "\" --log \"" + log_.Path() + "\" --rect 70,50,500,350");
  }
  void TearDown() override {
    while (HWND window = BrowserWindow()) {
      PostMessageA(window, WM_CLOSE, 0, 0);
      peers::WaitUntil([window] { return !IsWindow(window); });
    }
    if (hadValue_)
      SetServer(oldValue_);
    else
      RegDeleteValueA(key_, nullptr);
    RegCloseKey(key_);
  }
  void SetServer(const std::string& commandLine) {
    RegSetValueExA(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(commandLine.c_str()),
                   static_cast<DWORD>(commandLine.size() + 1));
  }

  CallLog log_{"tiepeer"};
  NoMessagePlatform platform_;

 private:
  HKEY key_ = nullptr;
  bool hadValue_ = false;
  std::string oldValue_;
};

TEST_F(IEControllerOnWine, OpenUrlStartsABrowserAtHomeAndNavigates) {
  {
    tessaly::IEController c(platform_, "support@example.com");
    c.OpenUrl("http://example.com/page.htm");
  }
  // Navigate's four optional arguments arrive as 32-bit integers 0.
  EXPECT_EQ(log_.Calls(), (std::vector<std::string>{"server 0", "create", "put_Visible 1", "get_HWND", "GoHome",
                                                    "Navigate http://example.com/page.htm I4:0 I4:0 I4:0 I4:0",
                                                    "released"}));
  HWND window = BrowserWindow();
  ASSERT_TRUE(window) << "the browser closed with the controller";
  EXPECT_TRUE(IsWindowVisible(window));
  char title[128] = {};
  GetWindowTextA(window, title, sizeof title);
  EXPECT_STREQ(title, "http://example.com/page.htm - Test Browser");
}

TEST_F(IEControllerOnWine, ReadsThePlacementPageAndWindowOfTheBrowser) {
  tessaly::IEController c(platform_, "support@example.com");
  c.SetSize(600, 400);
  HWND window = BrowserWindow();
  ASSERT_TRUE(window);
  const RECT r = peers::WindowRectOf(window);
  EXPECT_EQ(tessaly::PlacementText(r.left, r.top, r.right, r.bottom), "70,50,670,450");
  EXPECT_EQ(c.GetPlacement(), "70,50,670,450");
  EXPECT_EQ(c.GetUrl(), "http://home.example/");
  EXPECT_EQ(c.GetTitle(), "Home Page");

  // The handle crosses processes in 32 bits: the rest of the variable stays 0.
  tessaly::ComResult result = -1;
  std::unique_ptr<tessaly::WebBrowserApp> app = platform_.CreateInternetExplorer(0x15, result);
  ASSERT_TRUE(app);
  EXPECT_EQ(result, 0);
  const HWND second = reinterpret_cast<HWND>(app->Hwnd());
  EXPECT_NE(second, window);
  EXPECT_EQ(second, FindWindowExA(nullptr, nullptr, "IEFrame", nullptr) == window
                        ? FindWindowExA(nullptr, window, "IEFrame", nullptr)
                        : FindWindowExA(nullptr, nullptr, "IEFrame", nullptr));
}

}  // namespace
