#pragma once
#include "framework/code_page.h"

namespace tessaly {

// Windows-1252 (Western European) as the Unicode Consortium's table gives it:
// the five bytes it leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) are no
// text. For the portable logic's tests, where there is no Windows to ask.
class Cp1252CodePage : public CodePage {
 public:
  std::optional<std::string> ToUtf8(const std::string& bytes) const override;
  std::optional<std::string> FromUtf8(const std::string& text) const override;
};

}  // namespace tessaly
