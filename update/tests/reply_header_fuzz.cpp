// libFuzzer target: the reply-header reader on any bytes, read once whole and
// once in pieces (of a size the input's length picks); both readings must
// agree and stay within the reader's bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "update/reply_header.h"

using tessaly::ReplyHeaderReader;

namespace {

ReplyHeaderReader ReadInPieces(const char* bytes, std::size_t size, std::size_t piece) {
  ReplyHeaderReader r;
  std::size_t taken = 0;
  while (r.Reading() && taken < size) {
    std::size_t n = size - taken < piece ? size - taken : piece;
    std::size_t used = r.Feed(bytes + taken, n);
    // It takes everything offered until the header ends, and never more.
    if (used > n || (used < n && r.Reading())) std::abort();
    taken += used;
  }
  r.End();
  return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  ReplyHeaderReader whole = ReadInPieces(bytes, size, size + 1);
  ReplyHeaderReader pieces = ReadInPieces(bytes, size, 1 + size % 61);
  if (whole.GetState() != pieces.GetState() || whole.Text() != pieces.Text() ||
      whole.ReplyNumber() != pieces.ReplyNumber() || whole.ContentLength() != pieces.ContentLength() ||
      whole.Location() != pieces.Location() || whole.Cookie() != pieces.Cookie())
    std::abort();
  const bool complete = whole.GetState() == ReplyHeaderReader::State::kComplete;
  if (whole.Text().size() > ReplyHeaderReader::kMaxSize || whole.Location().size() > ReplyHeaderReader::kMaxValue ||
      whole.Cookie().size() > ReplyHeaderReader::kMaxValue || whole.ContentLength() < 0 ||
      (complete && (whole.ReplyNumber() < 100 || whole.ReplyNumber() > 999)))
    std::abort();
  return 0;
}
