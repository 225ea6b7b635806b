#include "app/bookmark_opening.h"

#include <cctype>

namespace tessaly {

namespace {
bool StartsWithLetterCaseAside(const std::string& text, const char* prefix) {
  std::size_t i = 0;
  for (; prefix[i]; ++i)
    if (i >= text.size() || std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  return true;
}
}  // namespace

bool OpensInDefaultBrowser(const std::string& url) {
  return StartsWithLetterCaseAside(url, "http://") || StartsWithLetterCaseAside(url, "https://") ||
         StartsWithLetterCaseAside(url, "file:");
}

}  // namespace tessaly
