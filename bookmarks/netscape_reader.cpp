#include "bookmarks/netscape_reader.h"

#include "bookmarks/bookmark_entry.h"
#include "framework/tree_walk.h"

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

namespace {

// The entries from index first on, to any depth, as UTF-8 and shortened.
void FinishEntries(MenuItem& parent, int first, BookmarkEncoding encoding, const CodePage& codePage) {
  WalkTree(parent, first, 0, [&](MenuItem& item, int) -> std::optional<int> {
    if (encoding == BookmarkEncoding::kAnsi) {
      item.Caption = AnsiToText(codePage, item.Caption);
      item.Hint = AnsiToText(codePage, item.Hint);
    }
    item.Caption = CheckLong(item.Caption);
    if (item.Count() > 0) return 0;
    return std::nullopt;
  });
}

}  // namespace

BookmarkEncoding ReadNetscapeNode(LineReader& lines, MenuItem& parent, const MenuItem::ClickHandler& onClick,
                                  const CodePage& codePage) {
  const int first = parent.Count();
  BookmarkEncoding encoding = BookmarkEncoding::kAnsi;
  MenuItem* level = &parent;
  std::string text;
  bool firstLine = true;
  while (lines.Next(text)) {
    if (firstLine && StartsWithUtf8Bom(text)) encoding = BookmarkEncoding::kUtf8;
    firstLine = false;
    NetscapeLine line = ParseNetscapeLine(text);
    bool closed = false;
    switch (line.kind) {
      case NetscapeLine::Kind::kFolder:
        level = &level->Add(NewFolderEntry(line.caption));
        break;
      case NetscapeLine::Kind::kEndOfFolder:
        if (level == &parent)
          closed = true;
        else
          level = level->Parent();
        break;
      case NetscapeLine::Kind::kBookmark:
        level->Add(NewBookmarkEntry(line.caption, line.url, onClick));
        break;
      case NetscapeLine::Kind::kOther:
        if (NamesUtf8Charset(text)) encoding = BookmarkEncoding::kUtf8;
        break;
    }
    if (closed) break;
  }
  FinishEntries(parent, first, encoding, codePage);
  return encoding;
}

}  // namespace tessaly
