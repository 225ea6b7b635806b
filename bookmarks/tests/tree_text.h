// Helpers of the bookmark tests: a file read into a tree, and a tree shown as
// indented text ("+ " a folder, "- " a bookmark as "title | url").
#pragma once
#include <string>

#include "bookmarks/bookmark_entry.h"
#include "bookmarks/line_reader.h"
#include "bookmarks/memory_bookmark_files.h"
#include "bookmarks/netscape_reader.h"
#include "bookmarks/netscape_writer.h"
#include "framework/cp1252_code_page.h"
#include "framework/menu_item.h"
#include "framework/tree_walk.h"

namespace tessaly::testing {

// The ANSI code page of the tests.
inline const CodePage& TestCodePage() {
  static const Cp1252CodePage codePage;
  return codePage;
}

inline BookmarkEncoding ReadInto(MenuItem& root, const std::string& file, std::size_t piece = 5) {
  MemoryByteSource source(file, piece);
  LineReader lines(source);
  return ReadNetscapeNode(lines, root, [](MenuItem&) {}, TestCodePage());
}

// Shows children from index first on, each on its own line.
inline std::string TreeText(const MenuItem& root, int first = 0) {
  std::string text;
  WalkTree(root, first, std::size_t{0}, [&text](const MenuItem& item, std::size_t depth) -> std::optional<std::size_t> {
    text += std::string(2 * depth, ' ');
    text += IsFolder(item) ? "+ " + item.Caption : "- " + item.Caption + " | " + item.Hint;
    text += '\n';
    if (item.Count() > 0) return depth + 1;
    return std::nullopt;
  });
  return text;
}

inline std::string ReadText(const std::string& file) {
  MenuItem root;
  ReadInto(root, file);
  return TreeText(root);
}

inline std::string Written(const MenuItem& root, int first = 0, const std::string& appName = "Tessaly",
                           BookmarkEncoding encoding = BookmarkEncoding::kAnsi) {
  StringByteSink sink;
  WriteNetscapeFile(sink, root, first, appName, encoding, TestCodePage());
  return sink.data;
}

}  // namespace tessaly::testing
