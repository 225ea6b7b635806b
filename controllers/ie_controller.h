#pragma once
#include "controllers/controller.h"

namespace tessaly {

// Internet Explorer, driven through its automation interface. Not connected
// yet: every operation does nothing and reports no placement.
class IEController : public Controller {
 public:
  void SetSize(int, int) override {}
  void OpenUrl(const std::string&) override {}
  std::string GetUrl() override { return {}; }
  std::string GetTitle() override { return {}; }
  std::string GetPlacement() override { return {}; }
};

}  // namespace tessaly
