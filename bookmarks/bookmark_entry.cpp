#include "bookmarks/bookmark_entry.h"

namespace tessaly {

namespace {
constexpr std::size_t kLongest = 45;
constexpr std::size_t kKept = 21;
}  // namespace

std::unique_ptr<MenuItem> NewFolderEntry(const std::string& name) {
  auto item = std::make_unique<MenuItem>(name, MenuItem::ClickHandler{}, MenuItem::kTagBookmarkEntry);
  item->Hint = kFolderHint;
  return item;
}

std::unique_ptr<MenuItem> NewBookmarkEntry(const std::string& title, const std::string& url,
                                           MenuItem::ClickHandler onClick) {
  auto item = std::make_unique<MenuItem>(title, std::move(onClick), MenuItem::kTagBookmarkEntry);
  item->Hint = url;
  return item;
}

std::string CheckLong(const std::string& text) {
  if (text.size() <= kLongest) return text;
  return text.substr(0, kKept) + "..." + text.substr(text.size() - kKept);
}

}  // namespace tessaly
