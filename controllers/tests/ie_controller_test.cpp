#include "controllers/ie_controller.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace {

using tessaly::ComResult;
using tessaly::IEController;
using tessaly::WindowHandle;
using Calls = std::vector<std::string>;

constexpr const char* kSupport = "help@tessaly.example";
constexpr ComResult kClassNotRegistered = static_cast<ComResult>(0x80040154);

// One browser as the fake automation object sees it; shared with the test so
// that the test can close it.
struct BrowserState {
  int number = 0;
  bool answering = true;
  int left = 0, top = 0, width = 400, height = 300;
  std::string url = "http://home/", name = "Home";
};

class FakeAutomation : public tessaly::AutomationPlatform {
 public:
  Calls calls;
  ComResult initResult = 0;
  std::deque<ComResult> createResults;  // then success
  std::vector<std::shared_ptr<BrowserState>> browsers;

  class Browser : public tessaly::WebBrowserApp {
   public:
    Browser(FakeAutomation& owner, std::shared_ptr<BrowserState> state) : owner_(owner), state_(std::move(state)) {}
    ~Browser() override { Log("release"); }
    void GoHome() override { Log("GoHome"); }
    void Navigate(const std::string& url) override { Log("Navigate " + url); }
    int Left() override { return Read(state_->left); }
    int Top() override { return Read(state_->top); }
    int Width() override { return Read(state_->width); }
    int Height() override { return Read(state_->height); }
    void SetWidth(int width) override { Log("Width " + std::to_string(width)); }
    void SetHeight(int height) override { Log("Height " + std::to_string(height)); }
    std::string LocationURL() override { return state_->answering ? state_->url : std::string(); }
    std::string LocationName() override { return state_->answering ? state_->name : std::string(); }
    WindowHandle Hwnd() override { return state_->answering ? static_cast<WindowHandle>(100 + state_->number) : 0; }
    void SetVisible(int value) override { Log("Visible " + std::to_string(value)); }

   private:
    int Read(int value) const { return state_->answering ? value : 0; }
    void Log(const std::string& call) { owner_.calls.push_back(std::to_string(state_->number) + " " + call); }
    FakeAutomation& owner_;
    std::shared_ptr<BrowserState> state_;
  };

  ComResult InitializeCom() override {
    calls.push_back("CoInitialize");
    return initResult;
  }
  void UninitializeCom() override { calls.push_back("CoUninitialize"); }
  std::unique_ptr<tessaly::WebBrowserApp> CreateInternetExplorer(std::uint32_t context, ComResult& result) override {
    calls.push_back("create " + std::to_string(context));
    result = createResults.empty() ? 0 : createResults.front();
    if (!createResults.empty()) createResults.pop_front();
    if (result < 0) return nullptr;
    browsers.push_back(std::make_shared<BrowserState>());
    browsers.back()->number = static_cast<int>(browsers.size());
    return std::make_unique<Browser>(*this, browsers.back());
  }
  void BringWindowToTop(WindowHandle window) override { calls.push_back("top " + std::to_string(window)); }
  bool ReadWindowLayout(WindowHandle, tessaly::WindowLayout&) override { return false; }
  void ShowMessage(const std::string& text, const std::string& caption, std::uint32_t style) override {
    const std::string opening = "Error Helper #";
    const std::string rest = std::string(". Please e-mail ") + kSupport + " with this problem";
    EXPECT_EQ(caption, "Framlet Notice...");
    EXPECT_EQ(style, 0x30u);
    EXPECT_EQ(text.compare(0, opening.size(), opening), 0) << text;
    EXPECT_EQ(text.substr(opening.size() + 1), rest) << text;
    calls.push_back("message " + text.substr(opening.size(), 1));
  }
  Calls Take() { return std::exchange(calls, {}); }
};

TEST(IEController, InvalidArgumentRetriesWithoutRemoteServersOtherFailuresDoNot) {
  FakeAutomation com;
  com.createResults = {tessaly::kComInvalidArg};
  IEController c(com, kSupport);
  c.LaunchBrowser();
  EXPECT_EQ(com.Take(), (Calls{"CoInitialize", "create 21", "create 5", "1 Visible 1", "top 101", "1 GoHome"}));

  FakeAutomation other;
  other.createResults = {kClassNotRegistered};
  IEController d(other, kSupport);
  d.LaunchBrowser();
  EXPECT_EQ(other.Take(), (Calls{"CoInitialize", "create 21", "message 1"}));
}

TEST(IEController, WithoutABrowserEachOperationReportsTheStartThenItself) {
  struct Case {
    std::function<std::string(IEController&)> run;
    std::string number, result;
  };
  const std::vector<Case> cases = {
      {[](IEController& c) { c.SetSize(808, 580); return std::string("-"); }, "6", "-"},
      {[](IEController& c) { c.OpenUrl("http://example.com/"); return std::string("-"); }, "2", "-"},
      {[](IEController& c) { return c.GetUrl(); }, "3", ""},
      {[](IEController& c) { return c.GetPlacement(); }, "4", "0,0,500,500"},
      {[](IEController& c) { return c.GetTitle(); }, "5", ""},
  };
  for (const Case& k : cases) {
    FakeAutomation com;
    com.createResults = {kClassNotRegistered, kClassNotRegistered};
    IEController c(com, kSupport);
    EXPECT_EQ(k.run(c), k.result);
    EXPECT_EQ(com.Take(), (Calls{"CoInitialize", "create 21", "message 1", "message " + k.number}));
    // COM is initialised once; the next command tries to start a browser again.
    k.run(c);
    EXPECT_EQ(com.Take(), (Calls{"create 21", "message 1", "message " + k.number}));
  }
}

TEST(IEController, ClosedOrZeroWidthBrowserIsReleasedAndReplaced) {
  FakeAutomation com;
  IEController c(com, kSupport);
  c.OpenUrl("http://a/");
  com.Take();
  com.browsers[0]->answering = false;  // the user closed it
  c.OpenUrl("http://b/");
  EXPECT_EQ(com.Take(), (Calls{"1 release", "create 21", "2 Visible 1", "top 102", "2 GoHome", "2 Navigate http://b/"}));
  com.browsers[1]->width = 0;
  c.SetSize(640, 480);
  EXPECT_EQ(com.Take(), (Calls{"2 release", "create 21", "3 Visible 1", "top 103", "3 GoHome", "3 Width 640",
                               "3 Height 480"}));
}

TEST(IEController, DestructionReleasesTheBrowserAndUninitialisesOnlyWhatItInitialised) {
  for (ComResult init : {ComResult{0}, ComResult{1} /* S_FALSE: already initialised */,
                         static_cast<ComResult>(0x80010106) /* RPC_E_CHANGED_MODE */}) {
    FakeAutomation com;
    com.initResult = init;
    {
      IEController c(com, kSupport);
      c.LaunchBrowser();
      c.LaunchBrowser();
      com.Take();
    }
    Calls expected{"2 release"};
    if (init >= 0) expected.push_back("CoUninitialize");
    EXPECT_EQ(com.Take(), expected) << init;
  }
  FakeAutomation unused;
  { IEController c(unused, kSupport); }
  EXPECT_EQ(unused.Take(), Calls{});
}

}  // namespace
