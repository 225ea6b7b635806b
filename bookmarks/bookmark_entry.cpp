#include "bookmarks/bookmark_entry.h"

#include "framework/utf8_text.h"

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
  // Counted and cut by characters, never inside one: in UTF-8 a character
  // may take up to four bytes. A text in a single-byte code page, decoded,
  // has as many characters as it had bytes, and is cut where it always was.
  if (text.size() <= kLongest || CountUtf8Chars(text) <= kLongest) return text;
  return FirstUtf8Chars(text, kKept) + "..." + LastUtf8Chars(text, kKept);
}

}  // namespace tessaly
