#include "bookmarks/netscape_reader.h"

#include "bookmarks/bookmark_entry.h"

namespace tessaly {

namespace {

constexpr auto npos = std::string::npos;

// The text after the first ">" of s up to the first "<" of s; empty when
// that "<" is missing or comes first.
std::string TextBetweenTags(const std::string& s, std::size_t gt) {
  const std::size_t lt = s.find('<');
  if (lt == npos || lt < gt) return {};
  return s.substr(gt + 1, lt - gt - 1);
}

bool IsSkippedBeforeUrl(char c) { return c == ' ' || c == '=' || c == '\'' || c == '"'; }

NetscapeLine FolderLine(const std::string& line, std::size_t h3) {
  NetscapeLine result;
  // From just after "<H", which drops any "<DT>" in front.
  const std::string rest = line.substr(h3 + 2);
  const std::size_t gt = rest.find('>');
  if (gt == npos) return result;
  result.kind = NetscapeLine::Kind::kFolder;
  result.caption = TextBetweenTags(rest, gt);
  return result;
}

// Whether HREF is followed (past blanks and "=") by an empty quoted value:
// the skipping below would run past its closing quote into the next
// attribute, and a bookmark without an address written as HREF="" would read
// back with the address "ADD_DATE=".
bool EmptyQuotedUrl(const std::string& line, std::size_t start) {
  while (start < line.size() && (line[start] == ' ' || line[start] == '=')) ++start;
  return line.compare(start, 2, "\"\"") == 0;
}

NetscapeLine BookmarkLine(const std::string& line, std::size_t href) {
  NetscapeLine result;
  // Blanks, "=" and quotes after HREF are skipped, never past the last character.
  std::size_t start = href + 4;
  const bool emptyUrl = EmptyQuotedUrl(line, start);
  while (start + 1 < line.size() && IsSkippedBeforeUrl(line[start])) ++start;
  const std::string cut = start < line.size() ? line.substr(start) : std::string();
  // Up to the next double quote; without one, all but the line's last character.
  std::size_t quote = cut.find('"');
  if (quote == npos) quote = cut.empty() ? 0 : cut.size() - 1;
  const std::size_t gt = cut.find('>');
  if (gt == npos) return result;
  result.kind = NetscapeLine::Kind::kBookmark;
  result.url = emptyUrl ? std::string() : cut.substr(0, quote);
  result.caption = TextBetweenTags(cut, gt);
  return result;
}

}  // namespace

NetscapeLine ParseNetscapeLine(const std::string& line) {
  const std::size_t h3 = line.find("<H3");
  if (h3 != npos) return FolderLine(line, h3);
  if (line.find("</DL") != npos) return NetscapeLine{NetscapeLine::Kind::kEndOfFolder, {}, {}};
  if (line.find("<A ") != npos) {
    const std::size_t href = line.find("HREF");
    if (href != npos) return BookmarkLine(line, href);
  }
  return {};
}

void ReadNetscapeNode(LineReader& lines, MenuItem& parent, const MenuItem::ClickHandler& onClick) {
  MenuItem* level = &parent;
  std::string text;
  while (lines.Next(text)) {
    NetscapeLine line = ParseNetscapeLine(text);
    switch (line.kind) {
      case NetscapeLine::Kind::kFolder:
        level = &level->Add(NewFolderEntry(CheckLong(line.caption)));
        break;
      case NetscapeLine::Kind::kEndOfFolder:
        if (level == &parent) return;
        level = level->Parent();
        break;
      case NetscapeLine::Kind::kBookmark:
        level->Add(NewBookmarkEntry(CheckLong(line.caption), line.url, onClick));
        break;
      case NetscapeLine::Kind::kOther:
        break;
    }
  }
}

}  // namespace tessaly
