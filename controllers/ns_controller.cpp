#include "controllers/ns_controller.h"

#include <cstdint>

#include "controllers/url_text.h"
#include "framework/comma_text.h"
#include "framework/notice.h"

namespace tessaly {

namespace {
constexpr const char* kService = "Netscape";
constexpr const char* kLoadQuestion = "Netscape needs to be loaded. Would you like me to attempt to load it now?";
constexpr const char* kLoadFailed = "Netscape could not be loaded.";
constexpr std::uint32_t kQuestionOkCancel = 0x21;  // MB_OKCANCEL | MB_ICONQUESTION
constexpr std::uint32_t kStopOk = 0x10;            // MB_OK | MB_ICONSTOP
constexpr int kAnswerOk = 1;                       // IDOK
constexpr int kRequestTimeoutMs = 10000;
constexpr std::uint32_t kLaunchWaitMs = 20000;
constexpr int kShowRestore = 9;     // SW_RESTORE
constexpr int kTitleMaxCount = 110;  // the title's characters and its terminating zero
constexpr std::intptr_t kShellStarted = 32;  // ShellExecute results above this are a start
// Frames nest only a few levels deep; a Netscape that keeps naming parents
// (a chain that loops back) must not hold the program here for ever.
constexpr int kMaxFrameParents = 32;

constexpr int kModeTitle = 1;
constexpr int kModeBareNetscape = 2;

std::uint16_t WidenedByte(const std::string& bytes, size_t index) {
  const char byte = index < bytes.size() ? bytes[index] : '\0';
  return static_cast<std::uint16_t>(static_cast<std::int16_t>(static_cast<signed char>(byte)));
}
}  // namespace

std::string WindowIdText(const std::string& reply) {
  return std::to_string(WidenedByte(reply, 0)) + "x" + std::to_string(WidenedByte(reply, 1));
}

NetscapeFrame& NetscapeFrameState() {
  static NetscapeFrame frame;
  return frame;
}

NSController::NSController(NetscapePlatform& platform, const CodePage& codePage)
    : platform_(platform), codePage_(codePage), statusConv_(platform.CreateConversation()), commandConv_(platform.CreateConversation()) {}

bool NSController::OpenLink(DdeConversation& conversation, const char* topic) {
  return conversation.OpenLink(kService, topic);
}

std::optional<std::string> NSController::RequestItem(DdeConversation& conversation, const std::string& item) {
  if (!conversation.IsOpen()) return std::nullopt;
  std::optional<std::string> reply = conversation.Request(item, kRequestTimeoutMs);
  // Replies are read as text too: the zero byte ends them.
  if (reply) reply->push_back('\0');
  return reply;
}

bool NSController::EnsureConnection() { return VerifyNetscapeWindow() || ConnectNetscape(true); }

bool NSController::ConnectNetscape(bool askToLaunch) {
  if (OpenLink(*statusConv_, "WWW_Activate")) {
    if (!windowId_.empty()) return false;
    if (std::optional<std::string> reply = RequestItem(*statusConv_, "0xFFFFFFFF,0x0")) {
      windowId_ = WindowIdText(*reply);
      FollowFrameParents();
    }
    return VerifyNetscapeWindow();
  }
  if (!askToLaunch) return false;
  if (!AskToLaunch()) return false;
  WaitForNetscape();
  return VerifyNetscapeWindow();
}

// The active window may be a frame: its outermost frame parent is the browser
// window to act on.
void NSController::FollowFrameParents() {
  for (int step = 0; step < kMaxFrameParents; ++step) {
    OpenLink(*statusConv_, "WWW_GetFrameParent");
    std::optional<std::string> reply = RequestItem(*statusConv_, windowId_);
    if (!reply) return;
    const std::string parent = WindowIdText(*reply);
    if (parent == windowId_) return;  // a window that is its own parent has none above it
    windowId_ = parent;
  }
}

bool NSController::AskToLaunch() {
  // The question needs a visible program behind it, also when it lives in the tray.
  const bool hidden = !platform_.MainWindowVisible();
  if (hidden) platform_.ShowMainWindow(true);
  const int answer = platform_.ShowMessage(kLoadQuestion, kNoticeCaption, kQuestionOkCancel);
  if (hidden) platform_.ShowMainWindow(false);
  if (answer != kAnswerOk) return false;
  if (platform_.ShellOpen("netscape.exe") <= kShellStarted) {
    platform_.ShowMessage(kLoadFailed, kNoticeCaption, kStopOk);
    windowId_.clear();
    return false;
  }
  return true;
}

// Tries to connect until Netscape answers, keeping the program's messages
// running; one more attempt follows the end of the wait. A command that runs
// in the meantime works on the same state: once it has found Netscape's window
// the wait is over too.
void NSController::WaitForNetscape() {
  const std::uint32_t start = platform_.TickCount();
  bool over = false;
  while (!ConnectNetscape(false)) {
    if (over || !windowId_.empty()) return;
    if (platform_.TickCount() - start > kLaunchWaitMs) over = true;
    if (!platform_.ProcessMessages()) return;  // the program is ending
  }
}

bool NSController::VerifyNetscapeWindow() {
  if (!OpenLink(*statusConv_, "WWW_Activate")) {
    windowId_.clear();
    return false;
  }
  if (windowId_.empty()) return false;
  std::optional<std::string> reply = RequestItem(*statusConv_, windowId_ + ",0x0");
  if (!reply || WindowIdText(*reply) != windowId_) {
    windowId_.clear();
    return false;
  }
  OpenLink(*statusConv_, "WWW_GetWindowInfo");
  std::optional<std::string> info = RequestItem(*statusConv_, windowId_);
  // The reply is zero-terminated text: address, then title.
  const std::vector<std::string> items = info ? SplitCommaText(info->c_str()) : std::vector<std::string>{};
  int mode = kModeBareNetscape;
  if (items.size() > 1 && !items[1].empty()) {
    NetscapeFrameState().frameTitle = items[1];
    mode = kModeTitle;
  }
  platform_.EnumTopLevelWindows([this, mode](WindowHandle window) { return FindFrameWindow(window, mode); });
  return true;
}

int NSController::FindFrameWindow(WindowHandle window, int mode) {
  if (platform_.GetWindowThreadProcessId(window) == 0) return 0;
  const std::string title = platform_.ReadWindowText(window, kTitleMaxCount);
  NetscapeFrame& frame = NetscapeFrameState();
  const bool matches =
      mode == kModeTitle ? title.find(frame.frameTitle) != std::string::npos && title.find(kService) != std::string::npos
                         : mode == kModeBareNetscape && title == kService;
  if (!matches) return 1;
  frame.frameWindow = window;
  return 0;
}

void NSController::RememberFramePosition() {
  NetscapeFrame& frame = NetscapeFrameState();
  WindowPlacementRecord placement;
  placement.length = 44;
  if (!platform_.GetWindowPlacement(frame.frameWindow, placement)) return;
  frame.frameLeft = std::to_string(placement.left);
  frame.frameTop = std::to_string(placement.top);
  platform_.ShowWindow(frame.frameWindow, kShowRestore);
  platform_.BringWindowToTop(frame.frameWindow);
}

void NSController::SetSize(int width, int height) {
  if (!EnsureConnection()) return;
  RememberFramePosition();
  if (!OpenLink(*commandConv_, "WWW_WindowChange")) {
    windowId_.clear();
    return;
  }
  const NetscapeFrame& frame = NetscapeFrameState();
  const std::string item = windowId_ + ",0x00000001," + frame.frameLeft + "," + frame.frameTop + "," +
                           std::to_string(width) + "," + std::to_string(height);
  // The data is the item text again, with its terminating zero.
  commandConv_->PokeAsync(item, item + '\0');
}

void NSController::OpenUrl(const std::string& url) {
  if (!EnsureConnection()) return;
  if (!OpenLink(*commandConv_, "WWW_OpenURL")) {
    windowId_.clear();
    return;
  }
  RequestItem(*commandConv_, UrlInCodePage(url, codePage_) + ",," + windowId_ + ",0x0");
}

std::string NSController::GetPlacement() {
  if (!EnsureConnection()) return {};
  const NetscapeFrame& frame = NetscapeFrameState();
  WindowPlacementRecord placement;
  placement.length = 44;
  if (!platform_.GetWindowPlacement(frame.frameWindow, placement)) return {};
  platform_.BringWindowToTop(frame.frameWindow);
  return PlacementText(placement.left, placement.top, placement.right, placement.bottom);
}

}  // namespace tessaly
