#include "framework/comma_text.h"

namespace tessaly {

namespace {
bool IsSeparatorChar(char c) { return static_cast<unsigned char>(c) <= ' '; }
}  // namespace

std::vector<std::string> SplitCommaText(const std::string& text) {
  std::vector<std::string> items;
  const size_t n = text.size();
  size_t i = 0;
  // Leading blanks and control characters are skipped, as between items.
  while (i < n && IsSeparatorChar(text[i])) ++i;
  while (i < n) {
    std::string item;
    if (text[i] == '"') {
      ++i;
      while (i < n) {
        if (text[i] == '"') {
          if (i + 1 < n && text[i + 1] == '"') {
            item += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        item += text[i++];
      }
    } else {
      while (i < n && text[i] != ',' && !IsSeparatorChar(text[i])) item += text[i++];
    }
    items.push_back(item);
    while (i < n && IsSeparatorChar(text[i])) ++i;
    // Blanks after a comma are skipped too; a comma at the very end adds nothing,
    // but two commas in a row delimit an empty item.
    if (i < n && text[i] == ',') {
      ++i;
      while (i < n && IsSeparatorChar(text[i])) ++i;
    }
  }
  return items;
}

}  // namespace tessaly
