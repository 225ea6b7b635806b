#pragma once
#include <memory>
#include <string>
#include <utility>

#include "controllers/automation_platform.h"
#include "controllers/controller.h"

namespace tessaly {

// Internet Explorer, driven through its automation interface. The controller
// starts an instance of its own when a command first needs one and acts on it
// as long as it answers; a closed browser is replaced by a new one at the next
// command. Every failure is reported in a message of its own.
class IEController : public Controller {
 public:
  // supportAddress: where the error messages ask the user to write.
  IEController(AutomationPlatform& platform, std::string supportAddress)
      : platform_(platform), supportAddress_(std::move(supportAddress)) {}
  // Releases the browser (which stays open), then the automation library if
  // this controller initialised it.
  ~IEController() override;
  IEController(const IEController&) = delete;
  IEController& operator=(const IEController&) = delete;

  // Whether the browser still answers; when it does, it comes to the top.
  bool IsBrowserAlive();
  // Replaces the browser by a newly started, visible instance at its home page.
  void LaunchBrowser();

  void SetSize(int width, int height) override;
  void OpenUrl(const std::string& url) override;
  std::string GetUrl() override;
  std::string GetTitle() override;
  std::string GetPlacement() override;
  void SetPageSize(int width, int height) override;

 private:
  enum class ComState { NotInitialized, Initialized, Failed };

  void EnsureBrowser();
  // EnsureBrowser for an operation: false, after the operation's own error
  // message (which follows the start's), when no browser could be started.
  bool BrowserFor(int errorNumber);
  void ShowError(int number);

  AutomationPlatform& platform_;
  std::string supportAddress_;
  std::unique_ptr<WebBrowserApp> browser_;
  ComState com_ = ComState::NotInitialized;
};

}  // namespace tessaly
