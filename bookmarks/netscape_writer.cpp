#include "bookmarks/netscape_writer.h"

#include "bookmarks/bookmark_entry.h"
#include "framework/tree_walk.h"

namespace tessaly {

namespace {

// Collects the text, turning each line feed into CR LF, and hands it on in
// large blocks.
class TextOut {
 public:
  explicit TextOut(ByteSink& sink) : sink_(sink) { buffer_.reserve(kBlock + 1024); }

  TextOut& operator<<(const std::string& text) {
    for (char c : text) {
      if (c == '\n') buffer_ += '\r';
      buffer_ += c;
    }
    if (buffer_.size() >= kBlock) Flush();
    return *this;
  }

  void Flush() {
    if (!buffer_.empty()) sink_.Write(buffer_.data(), buffer_.size());
    buffer_.clear();
  }

 private:
  static constexpr std::size_t kBlock = 64 * 1024;
  ByteSink& sink_;
  std::string buffer_;
};

const std::string kFolderStart = "<DT><H3 ADD_DATE=\"908811773\">";
const std::string kFolderEnd = "</H3>\n<DL><p>\n";
const std::string kListEnd = "</DL><p>\n";
const std::string kBookmarkStart = "<DT><A HREF=\"";
const std::string kBookmarkMiddle = "\" ADD_DATE=\"908811773\" LAST_VISIT=\"0\" LAST_MODIFIED=\"0\">";
const std::string kBookmarkEnd = "</A>\n";

}  // namespace

void WriteNetscapeFile(ByteSink& sink, const MenuItem& root, int first, const std::string& appName,
                       BookmarkEncoding encoding, const CodePage& codePage) {
  const bool ansi = encoding == BookmarkEncoding::kAnsi;
  const auto text = [&](const std::string& utf8) {
    if (!ansi) return utf8;
    std::optional<std::string> bytes = TextToAnsi(codePage, utf8);
    if (!bytes) throw NotInCodePage("a text the ANSI code page cannot hold");
    return *bytes;
  };
  TextOut out(sink);
  out << "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n";
  if (!ansi) out << kUtf8MetaLine << "\n";
  out << "<!-- This is an automatically generated file.\n"
         "It will be read and overwritten.\nDo Not Edit! -->\n<TITLE>Bookmarks for "
      << text(appName) << "</TITLE>\n<H1>Bookmarks for " << text(appName) << "</H1>\n\n<DL><p>\n";

  // A folder opens a list, empty or not; leaving a level closes its list, the
  // file's own last.
  WalkTree(
      root, first, 0,
      [&](const MenuItem& item, int) -> std::optional<int> {
        if (IsFolder(item)) {
          out << kFolderStart << text(item.Caption) << kFolderEnd;
          return 0;
        }
        out << kBookmarkStart << text(item.Hint) << kBookmarkMiddle << text(item.Caption) << kBookmarkEnd;
        return std::nullopt;
      },
      [&out](int) { out << kListEnd; });
  out.Flush();
}

}  // namespace tessaly
