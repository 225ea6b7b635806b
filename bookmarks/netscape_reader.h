#pragma once
#include <string>

#include "bookmarks/bookmark_text.h"
#include "bookmarks/line_reader.h"
#include "framework/code_page.h"
#include "framework/menu_item.h"

namespace tessaly {

// What one line of a Netscape bookmark file stands for. The reader is a line
// scanner, not an HTML parser: each line is tested, in this order, for a
// folder ("<H3"), the end of a folder ("</DL") and a bookmark ("<A " with
// "HREF"), by case-sensitive substring searches; every other line is skipped.
struct NetscapeLine {
  enum class Kind { kOther, kFolder, kEndOfFolder, kBookmark };
  Kind kind = Kind::kOther;
  std::string caption;  // folder name or bookmark title, as written
  std::string url;      // bookmarks only
};

NetscapeLine ParseNetscapeLine(const std::string& line);

// Reads lines and appends the entries they hold to parent, folders with
// their contents, until the line that closes parent's level or the end of
// the file. Captions are shortened by CheckLong; bookmarks get onClick.
// Folders nest through the items' parents rather than through calls, so no
// depth of nesting reaches the call stack.
//
// Returns the encoding the lines read say the file has (bookmark_text.h).
// The entries are UTF-8: those of a file in the ANSI code page are converted
// once the whole level is read, since the line that names UTF-8 may come
// anywhere; a UTF-8 file's bytes are taken as they stand.
BookmarkEncoding ReadNetscapeNode(LineReader& lines, MenuItem& parent, const MenuItem::ClickHandler& onClick,
                                  const CodePage& codePage);

}  // namespace tessaly
