// libFuzzer target: any bytes as a bookmark file. Reading must end without a
// crash, a hang or runaway memory, and what it reads must settle: written and
// read back twice, the second writing equals the first (the first reading
// may still shorten captions and URLs, as the format does).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "bookmarks/line_reader.h"
#include "bookmarks/memory_bookmark_files.h"
#include "bookmarks/netscape_reader.h"
#include "bookmarks/netscape_writer.h"

namespace {

std::string ReadAndWrite(const std::string& file, std::size_t piece) {
  tessaly::MemoryByteSource source(file, piece);
  tessaly::LineReader lines(source);
  tessaly::MenuItem root;
  tessaly::ReadNetscapeNode(lines, root, {});
  tessaly::StringByteSink sink;
  tessaly::WriteNetscapeFile(sink, root, 0, "Fuzz");
  return sink.data;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  // Pieces of varying size, so that lines and line ends cross them.
  const std::string once = ReadAndWrite(input, 1 + size % 13);
  const std::string twice = ReadAndWrite(once, 65536);
  const std::string thrice = ReadAndWrite(twice, 65536);
  if (thrice != twice) std::abort();
  return 0;
}
