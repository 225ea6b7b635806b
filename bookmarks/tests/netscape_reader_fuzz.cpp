// libFuzzer target: any bytes as a bookmark file. Reading must end without a
// crash, a hang or runaway memory, and what it reads must settle: written and
// read back twice, the second writing equals the first (the first reading
// may still shorten captions and URLs, as the format does).
//
// The same bytes also build a tree of folders and bookmarks, which written
// and read back must be that tree again, for every title and address the
// format can hold: printable text without "<", ">" or a double quote (which
// end a title or an address), titles of at most 45 characters (longer ones
// are shortened), addresses not starting with a blank, "=" or a quote (which
// the reader skips) and not "Folder" (which marks a folder). Empty ones are
// included.
//
// Files read as ANSI (in Windows-1252) are written back as ANSI, those that
// name UTF-8 as UTF-8, as the bookmark component stores them.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "bookmarks/bookmark_entry.h"
#include "bookmarks/line_reader.h"
#include "bookmarks/memory_bookmark_files.h"
#include "bookmarks/netscape_reader.h"
#include "bookmarks/netscape_writer.h"
#include "framework/cp1252_code_page.h"
#include "framework/tree_walk.h"

namespace {

const tessaly::Cp1252CodePage kCodePage;

std::string ReadAndWrite(const std::string& file, std::size_t piece) {
  tessaly::MemoryByteSource source(file, piece);
  tessaly::LineReader lines(source);
  tessaly::MenuItem root;
  const tessaly::BookmarkEncoding encoding = tessaly::ReadNetscapeNode(lines, root, {}, kCodePage);
  tessaly::StringByteSink sink;
  tessaly::WriteNetscapeFile(sink, root, 0, "Fuzz", encoding, kCodePage);
  return sink.data;
}

// Takes bytes off the front of the input.
struct Input {
  const std::uint8_t* at;
  std::size_t left;
  std::uint8_t Byte() { return left ? (--left, *at++) : 0; }
};

std::string Text(Input& in, std::size_t most, bool address) {
  std::string text;
  const std::size_t length = in.Byte() % (most + 1);
  for (std::size_t i = 0; i < length && in.left; ++i) {
    char c = static_cast<char>(0x20 + in.Byte() % 95);
    if (c == '<' || c == '>' || c == '"') c = '_';
    if (address && text.empty() && (c == ' ' || c == '=' || c == '\'')) c = 'u';
    text += c;
  }
  return address && text == tessaly::kFolderHint ? text + "x" : text;
}

// Entries a byte at a time: a folder goes down, a close goes up, others are
// bookmarks.
void BuildTree(Input& in, tessaly::MenuItem& root) {
  tessaly::MenuItem* level = &root;
  for (int n = 0; n < 200 && in.left; ++n) {
    const std::uint8_t what = in.Byte() % 4;
    if (what == 0) {
      level = &level->Add(tessaly::NewFolderEntry(Text(in, 45, false)));
    } else if (what == 1 && level != &root) {
      level = level->Parent();
    } else {
      const std::string title = Text(in, 45, false);
      level->Add(tessaly::NewBookmarkEntry(title, Text(in, 300, true), {}));
    }
  }
}

std::string Shape(const tessaly::MenuItem& root) {
  std::string text;
  tessaly::WalkTree(root, 0, 0, [&text](const tessaly::MenuItem& item, int depth) -> std::optional<int> {
    text += std::to_string(depth) + (tessaly::IsFolder(item) ? " + " : " - ") + item.Caption + "|" + item.Hint + "\n";
    if (item.Count() > 0) return depth + 1;
    return std::nullopt;
  });
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  {
    Input in{data, size};
    tessaly::MenuItem tree;
    BuildTree(in, tree);
    tessaly::StringByteSink sink;
    tessaly::WriteNetscapeFile(sink, tree, 0, "Fuzz", tessaly::BookmarkEncoding::kAnsi, kCodePage);
    tessaly::MemoryByteSource source(sink.data, 1 + size % 17);
    tessaly::LineReader lines(source);
    tessaly::MenuItem back;
    tessaly::ReadNetscapeNode(lines, back, {}, kCodePage);
    if (Shape(back) != Shape(tree)) std::abort();
  }
  // Pieces of varying size, so that lines and line ends cross them.
  const std::string once = ReadAndWrite(input, 1 + size % 13);
  const std::string twice = ReadAndWrite(once, 65536);
  const std::string thrice = ReadAndWrite(twice, 65536);
  if (thrice != twice) std::abort();
  return 0;
}
