#pragma once
#include "framework/code_page.h"

namespace tessaly::win {

// The system's ANSI code page (CP_ACP) through MultiByteToWideChar and
// WideCharToMultiByte.
class Win32CodePage : public CodePage {
 public:
  std::optional<std::string> ToUtf8(const std::string& bytes) const override;
  std::optional<std::string> FromUtf8(const std::string& text) const override;
};

}  // namespace tessaly::win
