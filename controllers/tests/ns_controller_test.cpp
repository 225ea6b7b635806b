#include "controllers/ns_controller.h"

#include "framework/cp1252_code_page.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <utility>
#include <vector>

namespace {

using tessaly::NSController;
using tessaly::WindowHandle;
using tessaly::WindowIdText;
using tessaly::WindowPlacementRecord;
using Calls = std::vector<std::string>;
using Reply = std::optional<std::string>;

const tessaly::Cp1252CodePage kCodePage;
const std::string kInfo = "\"http://example.com/\",\"Example Page\"";

// The reply bytes that carry an id text ("7x0" is 07 00).
std::string BytesOf(const std::string& id) {
  const size_t x = id.find('x');
  return {static_cast<char>(std::stoi(id.substr(0, x))), static_cast<char>(std::stoi(id.substr(x + 1)))};
}

struct FakeWindow {
  WindowHandle handle;
  std::string title;
  int left = 0, top = 0, right = 0, bottom = 0;
  bool alive = true;
};

// Netscape behind its DDE service, the desktop's windows and the program's
// message loop, all recording into one list of calls.
class FakeNetscape : public tessaly::NetscapePlatform {
 public:
  Calls calls;
  bool running = true;
  std::set<std::string> refusedTopics;
  std::string active = "7x0";                 // the window Netscape reports as active
  std::set<std::string> windowIds = {"7x0"};  // the windows that answer
  Reply windowInfo = kInfo;
  std::function<Reply(const std::string& item)> frameParent = [](const std::string&) { return Reply(); };
  std::string lastPokeData;
  int activateLinks = 0;
  std::vector<FakeWindow> windows;  // topmost first
  std::intptr_t shellResult = 42;
  std::uint32_t ticks = 1000;
  std::function<bool()> onPump = [] { return true; };
  int pumps = 0;

  Reply Answer(const std::string& topic, const std::string& item) {
    const size_t comma = item.find(',');
    const std::string id = item.substr(0, comma);
    if (topic == "WWW_Activate" && item == "0xFFFFFFFF,0x0") return BytesOf(active);
    if (topic == "WWW_Activate" && item == id + ",0x0" && windowIds.count(id)) return BytesOf(id);
    if (topic == "WWW_GetFrameParent") return frameParent(item);
    if (topic == "WWW_GetWindowInfo" && windowIds.count(item)) return windowInfo;
    if (topic == "WWW_OpenURL") return BytesOf(active);
    return Reply();
  }

  class Conversation : public tessaly::DdeConversation {
   public:
    explicit Conversation(FakeNetscape& netscape) : netscape_(netscape) {}
    bool OpenLink(const std::string& service, const std::string& topic) override {
      netscape_.activateLinks += topic == "WWW_Activate";
      topic_ = netscape_.running && service == "Netscape" && !netscape_.refusedTopics.count(topic) ? topic : "";
      return IsOpen();
    }
    bool IsOpen() const override { return !topic_.empty(); }
    Reply Request(const std::string& item, int timeoutMs) override {
      EXPECT_EQ(timeoutMs, 10000);
      netscape_.calls.push_back("request " + topic_ + " " + item);
      return netscape_.Answer(topic_, item);
    }
    void PokeAsync(const std::string& item, const std::string& data) override {
      netscape_.calls.push_back("poke " + topic_ + " " + item);
      netscape_.lastPokeData = data;
    }

   private:
    FakeNetscape& netscape_;
    std::string topic_;
  };

  std::unique_ptr<tessaly::DdeConversation> CreateConversation() override {
    return std::make_unique<Conversation>(*this);
  }
  void EnumTopLevelWindows(const std::function<int(WindowHandle)>& callback) override {
    for (const FakeWindow& w : windows)
      if (!callback(w.handle)) return;
  }
  const FakeWindow* Find(WindowHandle h) const {
    for (const FakeWindow& w : windows)
      if (w.handle == h) return &w;
    return nullptr;
  }
  std::uint32_t GetWindowThreadProcessId(WindowHandle window) override {
    return Find(window) && Find(window)->alive ? 5 : 0;
  }
  std::string ReadWindowText(WindowHandle window, int maxCount) override {
    return Find(window)->title.substr(0, static_cast<size_t>(maxCount - 1));
  }
  bool GetWindowPlacement(WindowHandle window, WindowPlacementRecord& r) override {
    const FakeWindow* w = Find(window);
    if (!w || r.length != 44) return false;
    r.left = w->left, r.top = w->top, r.right = w->right, r.bottom = w->bottom;
    return true;
  }
  void ShowWindow(WindowHandle window, int command) override {
    calls.push_back("show " + std::to_string(window) + " " + std::to_string(command));
  }
  void BringWindowToTop(WindowHandle window) override { calls.push_back("top " + std::to_string(window)); }
  std::intptr_t ShellOpen(const std::string& file) override {
    calls.push_back("shell " + file);
    return shellResult;
  }
  std::uint32_t TickCount() override { return ticks; }
  bool ProcessMessages() override {
    ++pumps;
    ticks += 1000;
    return onPump();
  }
  int ShowMessage(const std::string& text, const std::string& caption, std::uint32_t style) override {
    EXPECT_EQ(caption, "Tessaly Notice...");
    calls.push_back("message " + std::to_string(style) + " " + text);
    return 1;  // OK
  }
  bool MainWindowVisible() override { return true; }
  void ShowMainWindow(bool) override {}
  Calls Take() { return std::exchange(calls, {}); }
};

class NSControllerTest : public ::testing::Test {
 protected:
  void SetUp() override { tessaly::NetscapeFrameState() = {}; }
  FakeNetscape ns;
};

const std::string kQuestion =
    "message 33 Netscape needs to be loaded. Would you like me to attempt to load it now?";

TEST(WindowIdText, FirstTwoBytesAsSignedBytesWidenedToSixteenBits) {
  EXPECT_EQ(WindowIdText(std::string("\x07\x00\x00\x00", 4)), "7x0");
  EXPECT_EQ(WindowIdText(std::string("\x03\x00", 2)), "3x0");
  EXPECT_EQ(WindowIdText("\xC8\x01"), "65480x1");
  EXPECT_EQ(WindowIdText("\x7F\x80"), "127x65408");
  EXPECT_EQ(WindowIdText("\xFF\xFF"), "65535x65535");
  // Short replies: the missing bytes count as zero.
  EXPECT_EQ(WindowIdText("\x05"), "5x0");
  EXPECT_EQ(WindowIdText(""), "0x0");
}

TEST_F(NSControllerTest, FirstPresetFindsTheActiveWindowItsFrameAndPokesTheSize) {
  ns.windows = {{1, "Example Page - Other"}, {2, "Example Page - Netscape", 120, 80, 700, 500},
                {3, "Example Page - Netscape"}};
  NSController c(ns, kCodePage);
  c.SetPresetSize(1, 0, 0);
  const std::string item = "7x0,0x00000001,120,80,648,488";
  EXPECT_EQ(ns.Take(), (Calls{"request WWW_Activate 0xFFFFFFFF,0x0", "request WWW_GetFrameParent 7x0",
                              "request WWW_Activate 7x0,0x0", "request WWW_GetWindowInfo 7x0", "show 2 9", "top 2",
                              "poke WWW_WindowChange " + item}));
  EXPECT_EQ(ns.lastPokeData, item + '\0');
  EXPECT_EQ(tessaly::NetscapeFrameState().frameTitle, "Example Page");
  EXPECT_EQ(c.WindowId(), "7x0");

  // Known window: verified again, no new search for the active window.
  ns.windows[1].left = 30;
  c.SetSize(1024, 768);
  EXPECT_EQ(ns.Take(), (Calls{"request WWW_Activate 7x0,0x0", "request WWW_GetWindowInfo 7x0", "show 2 9", "top 2",
                              "poke WWW_WindowChange 7x0,0x00000001,30,80,1024,768"}));
}

TEST_F(NSControllerTest, FrameParentsAreFollowedToTheTopWithABound) {
  // The active frame 9 lies in frame 3, which lies in browser window 7.
  ns.active = "9x0";
  ns.windowIds = {"9x0", "3x0", "7x0"};
  ns.frameParent = [](const std::string& item) {
    return item == "9x0" ? Reply(BytesOf("3x0")) : item == "3x0" ? Reply(BytesOf("7x0")) : Reply();
  };
  NSController c(ns, kCodePage);
  EXPECT_TRUE(c.ConnectNetscape(false));
  EXPECT_EQ(ns.Take(), (Calls{"request WWW_Activate 0xFFFFFFFF,0x0", "request WWW_GetFrameParent 9x0",
                              "request WWW_GetFrameParent 3x0", "request WWW_GetFrameParent 7x0",
                              "request WWW_Activate 7x0,0x0", "request WWW_GetWindowInfo 7x0"}));
  // A known window is not looked for again.
  EXPECT_FALSE(c.ConnectNetscape(false));
  EXPECT_EQ(ns.Take(), Calls{});

  // A Netscape that names parents for ever (two frames naming each other).
  ns.frameParent = [](const std::string& item) { return Reply(BytesOf(item == "9x0" ? "3x0" : "9x0")); };
  NSController looping(ns, kCodePage);
  EXPECT_TRUE(looping.ConnectNetscape(false));
  int parentRequests = 0;
  for (const std::string& call : ns.Take()) parentRequests += call.find("WWW_GetFrameParent") != std::string::npos;
  EXPECT_EQ(parentRequests, 32);

  // A window named as its own parent ends the walk at once.
  ns.frameParent = [](const std::string& item) { return Reply(BytesOf(item)); };
  NSController selfParent(ns, kCodePage);
  EXPECT_TRUE(selfParent.ConnectNetscape(false));
  EXPECT_EQ(selfParent.WindowId(), "9x0");
  EXPECT_EQ(ns.Take()[1], "request WWW_GetFrameParent 9x0");
}

TEST_F(NSControllerTest, FrameWindowIsMatchedByTitleTopmostFirst) {
  auto& frame = tessaly::NetscapeFrameState();
  NSController c(ns, kCodePage);
  ns.windows = {{1, "example page - Netscape"}, {2, "Example Page - netscape"}, {3, "Example Page - Netscape"},
                {4, "Example Page - Netscape"}};
  ASSERT_TRUE(c.ConnectNetscape(false));
  EXPECT_EQ(frame.frameTitle, "Example Page");
  EXPECT_EQ(frame.frameWindow, 3u);  // both tests are case-sensitive

  // A reply without a title looks for a window titled just "Netscape".
  ns.windows = {{5, "Netscape - Page"}, {6, "Netscape"}};
  for (const Reply& info : {Reply("\"http://a/\",\"\""), Reply("\"http://a/\""), Reply()}) {
    frame.frameWindow = 0;
    ns.windowInfo = info;
    EXPECT_TRUE(c.VerifyNetscapeWindow());
    EXPECT_EQ(frame.frameWindow, 6u) << info.value_or("(none)");
  }

  // No match, or a window gone before the match, keeps the frame found last.
  ns.windowInfo = kInfo;
  ns.windows = {{8, "Other"}};
  EXPECT_TRUE(c.VerifyNetscapeWindow());
  EXPECT_EQ(frame.frameWindow, 6u);
  ns.windows = {{8, "Other"}, {9, "Gone"}, {10, "Example Page - Netscape"}};
  ns.windows[1].alive = false;
  EXPECT_TRUE(c.VerifyNetscapeWindow());
  EXPECT_EQ(frame.frameWindow, 6u);
}

TEST_F(NSControllerTest, CornerIsFiftyFiftyBeforeAnyFrameAndPlacementNeedsOne) {
  NSController c(ns, kCodePage);
  EXPECT_EQ(c.GetPlacement(), "");
  c.SetSize(800, 600);
  EXPECT_EQ(ns.calls.back(), "poke WWW_WindowChange 7x0,0x00000001,50,50,800,600");
  c.OpenUrl("http://example.com/a.htm");
  EXPECT_EQ(ns.calls.back(), "request WWW_OpenURL http://example.com/a.htm,,7x0,0x0");
  // Netscape reads the code page: what it holds goes as its bytes, anything
  // else percent-encoded as UTF-8.
  c.OpenUrl("http://caf\xC3\xA9.example/men\xC3\xBC");
  EXPECT_EQ(ns.calls.back(), "request WWW_OpenURL http://caf\xE9.example/men\xFC,,7x0,0x0");
  c.OpenUrl("http://example.com/\xCE\xA9/caf\xC3\xA9");
  EXPECT_EQ(ns.calls.back(), "request WWW_OpenURL http://example.com/%CE%A9/caf%C3%A9,,7x0,0x0");
}

TEST_F(NSControllerTest, LinksThatDoNotOpenOrAnotherActiveWindowForgetTheWindow) {
  NSController c(ns, kCodePage);
  c.SetSize(800, 600);
  ns.refusedTopics = {"WWW_WindowChange"};
  ns.Take();
  c.SetSize(640, 480);
  EXPECT_EQ(c.WindowId(), "");
  EXPECT_EQ(ns.Take().back(), "request WWW_GetWindowInfo 7x0");  // and no poke

  // The next command asks for the active window anew; Netscape now names another one.
  ns.refusedTopics.clear();
  ns.active = "8x0";
  ns.windowIds = {"8x0"};
  c.SetSize(640, 480);
  EXPECT_EQ(ns.calls.front(), "request WWW_Activate 0xFFFFFFFF,0x0");
  EXPECT_EQ(ns.Take().back(), "poke WWW_WindowChange 8x0,0x00000001,50,50,640,480");
  ns.windowIds.clear();  // window 8 is gone: its id no longer answers
  EXPECT_FALSE(c.VerifyNetscapeWindow());
  EXPECT_EQ(c.WindowId(), "");
}

TEST_F(NSControllerTest, NetscapeThatCannotStartIsReported) {
  ns.running = false;
  ns.shellResult = 2;  // file not found
  NSController c(ns, kCodePage);
  c.SetSize(800, 600);
  EXPECT_EQ(ns.Take(), (Calls{kQuestion, "shell netscape.exe", "message 16 Netscape could not be loaded."}));
}

TEST_F(NSControllerTest, WaitEndsOneAttemptAfterTwentySeconds) {
  ns.running = false;
  int attemptsBeforeLastRound = 0;
  ns.onPump = [&] {
    attemptsBeforeLastRound = ns.activateLinks;
    return true;
  };
  NSController c(ns, kCodePage);
  EXPECT_EQ(c.GetPlacement(), "");
  // From tick 1000, 1000 more per round: the round at 22000 marks the end,
  // then one more attempt and the final verification.
  EXPECT_EQ(ns.pumps, 22);
  EXPECT_EQ(ns.activateLinks, attemptsBeforeLastRound + 2);
  EXPECT_EQ(ns.calls.back(), "shell netscape.exe");
}

TEST_F(NSControllerTest, CommandDuringTheWaitConnectsAndEndsTheWait) {
  ns.running = false;
  NSController c(ns, kCodePage);
  ns.onPump = [&] {
    if (ns.pumps == 2) {
      ns.running = true;
      c.SetSize(300, 200);  // a tray command that ran meanwhile
    }
    return true;
  };
  c.SetSize(800, 600);
  EXPECT_EQ(ns.pumps, 2);
  Calls pokes;
  for (const std::string& call : ns.calls)
    if (call.rfind("poke", 0) == 0) pokes.push_back(call);
  EXPECT_EQ(pokes, (Calls{"poke WWW_WindowChange 7x0,0x00000001,50,50,300,200",
                          "poke WWW_WindowChange 7x0,0x00000001,50,50,800,600"}));
}

TEST_F(NSControllerTest, ProgramEndingDuringTheWaitEndsIt) {
  ns.running = false;
  ns.onPump = [] { return false; };
  NSController c(ns, kCodePage);
  c.SetSize(800, 600);
  EXPECT_EQ(ns.pumps, 1);
  EXPECT_EQ(ns.calls.back(), "shell netscape.exe");
}

}  // namespace
