#include "framework/cp1252_code_page.h"

#include "framework/utf8_text.h"

namespace tessaly {

namespace {
// 0x80 to 0x9F; 0 where the code page defines nothing. The rest of the bytes
// are the Unicode code points of the same number.
constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t CodePointOf(unsigned char byte) { return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte; }
}  // namespace

std::optional<std::string> Cp1252CodePage::ToUtf8(const std::string& bytes) const {
  std::string text;
  for (char b : bytes) {
    const char32_t c = CodePointOf(static_cast<unsigned char>(b));
    if (c == 0 && b != 0) return std::nullopt;
    AppendUtf8(text, c);
  }
  return text;
}

std::optional<std::string> Cp1252CodePage::FromUtf8(const std::string& text) const {
  if (!IsValidUtf8(text)) return std::nullopt;
  std::string bytes;
  for (std::size_t at = 0; at < text.size(); at += Utf8CharLength(text, at)) {
    const char32_t c = Utf8CodePointAt(text, at);
    bool found = false;
    for (unsigned b = 0; b < 256 && !found; ++b) {
      if (CodePointOf(static_cast<unsigned char>(b)) == c && (c != 0 || b == 0)) {
        bytes += static_cast<char>(b);
        found = true;
      }
    }
    if (!found) return std::nullopt;
  }
  return bytes;
}

}  // namespace tessaly
