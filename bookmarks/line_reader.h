#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "bookmarks/bookmark_files.h"

namespace tessaly {

// Splits a file into lines at line feeds, taking a carriage return before the
// line feed as part of the line end, so that CR LF and LF files read alike.
// A line is read whole whatever its length, up to kMaxLine characters; the
// rest of a longer line is dropped, so that no input makes memory grow
// without bound.
class LineReader {
 public:
  static constexpr std::size_t kMaxLine = std::size_t{1} << 20;

  explicit LineReader(ByteSource& source, std::size_t maxLine = kMaxLine);

  // The next line without its line end; false once the file is used up. A
  // last line without a line end is a line; an empty file has none.
  bool Next(std::string& line);

 private:
  bool Fill();

  ByteSource& source_;
  std::size_t maxLine_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0, end_ = 0;
  bool ended_ = false;
};

}  // namespace tessaly
