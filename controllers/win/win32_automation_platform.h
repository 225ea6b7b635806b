#pragma once
#include "controllers/automation_platform.h"

namespace tessaly::win {

// The component object model and Internet Explorer's automation interface on
// the real platform.
class Win32AutomationPlatform : public AutomationPlatform {
 public:
  ComResult InitializeCom() override;
  void UninitializeCom() override;
  std::unique_ptr<WebBrowserApp> CreateInternetExplorer(std::uint32_t context, ComResult& result) override;
  void BringWindowToTop(WindowHandle window) override;
  bool ReadWindowLayout(WindowHandle window, WindowLayout& layout) override;
  void ShowMessage(const std::string& text, const std::string& caption, std::uint32_t style) override;
};

}  // namespace tessaly::win
