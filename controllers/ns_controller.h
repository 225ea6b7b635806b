#pragma once
#include "controllers/controller.h"

namespace tessaly {

// Netscape Navigator, driven over DDE. Not connected yet: every operation
// does nothing and reports no placement.
class NSController : public Controller {
 public:
  void SetSize(int, int) override {}
  void OpenUrl(const std::string&) override {}
  std::string GetUrl() override { return {}; }
  std::string GetTitle() override { return {}; }
  std::string GetPlacement() override { return {}; }
};

}  // namespace tessaly
