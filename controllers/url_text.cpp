#include "controllers/url_text.h"

namespace tessaly {

std::string UrlInCodePage(const std::string& url, const CodePage& codePage) {
  if (std::optional<std::string> bytes = codePage.FromUtf8(url)) return *bytes;
  static const char kHex[] = "0123456789ABCDEF";
  std::string ascii;
  for (char c : url) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      ascii += c;
    } else {
      ascii += '%';
      ascii += kHex[byte >> 4];
      ascii += kHex[byte & 0xF];
    }
  }
  return ascii;
}

}  // namespace tessaly
