#include "controllers/ie_controller.h"

namespace tessaly {

namespace {
constexpr const char* kCaption = "Framlet Notice...";
constexpr std::uint32_t kExclamationOk = 0x30;  // MB_OK | MB_ICONEXCLAMATION
// What GetPlacement reports when it cannot read the browser's position.
constexpr const char* kFallbackPlacement = "0,0,500,500";

// The operations' error numbers, as the messages name them.
enum ErrorNumber { kLaunch = 1, kOpenUrl, kGetUrl, kGetPlacement, kGetTitle, kSetSize };
}  // namespace

IEController::~IEController() {
  browser_.reset();
  if (com_ == ComState::Initialized) platform_.UninitializeCom();
}

void IEController::ShowError(int number) {
  platform_.ShowMessage("Error Helper #" + std::to_string(number) + ". Please e-mail " + supportAddress_ +
                            " with this problem",
                        kCaption, kExclamationOk);
}

bool IEController::IsBrowserAlive() {
  if (!browser_) return false;
  // A browser that has gone away answers nothing, which reads as width 0.
  if (browser_->Width() == 0) return false;
  platform_.BringWindowToTop(browser_->Hwnd());
  return true;
}

void IEController::LaunchBrowser() {
  browser_.reset();
  if (com_ == ComState::NotInitialized)
    com_ = platform_.InitializeCom() >= 0 ? ComState::Initialized : ComState::Failed;
  ComResult result = 0;
  browser_ = platform_.CreateInternetExplorer(kContextInprocLocalRemote, result);
  // Systems without remote activation refuse the remote flag outright.
  if (!browser_ && result == kComInvalidArg) browser_ = platform_.CreateInternetExplorer(kContextInprocLocal, result);
  if (!browser_) {
    ShowError(kLaunch);
    return;
  }
  browser_->SetVisible(1);
  platform_.BringWindowToTop(browser_->Hwnd());
  browser_->GoHome();
}

void IEController::EnsureBrowser() {
  if (!IsBrowserAlive()) LaunchBrowser();
}

bool IEController::BrowserFor(int errorNumber) {
  EnsureBrowser();
  if (!browser_) ShowError(errorNumber);
  return browser_ != nullptr;
}

void IEController::SetSize(int width, int height) {
  if (!BrowserFor(kSetSize)) return;
  browser_->SetWidth(width);
  browser_->SetHeight(height);
}

// Width and Height are the browser window's outer size, around the page.
void IEController::SetPageSize(int width, int height) {
  if (!BrowserFor(kSetSize)) return;
  const WindowHandle window = browser_->Hwnd();
  SizeToPageArea(
      width, height, [&](WindowLayout& layout) { return platform_.ReadWindowLayout(window, layout); },
      [this](const OuterSize& outer) {
        browser_->SetWidth(outer.width);
        browser_->SetHeight(outer.height);
      });
}

void IEController::OpenUrl(const std::string& url) {
  if (!BrowserFor(kOpenUrl)) return;
  browser_->Navigate(url);
}

std::string IEController::GetUrl() {
  if (!BrowserFor(kGetUrl)) return {};
  return browser_->LocationURL();
}

std::string IEController::GetTitle() {
  if (!BrowserFor(kGetTitle)) return {};
  return browser_->LocationName();
}

std::string IEController::GetPlacement() {
  if (!BrowserFor(kGetPlacement)) return kFallbackPlacement;
  const int width = browser_->Width();
  const int height = browser_->Height();
  const int top = browser_->Top();
  const int left = browser_->Left();
  return PlacementText(left, top, left + width, top + height);
}

}  // namespace tessaly
