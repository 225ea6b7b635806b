#include "bookmarks/line_reader.h"

#include <algorithm>
#include <cstring>

namespace tessaly {

namespace {
constexpr std::size_t kChunk = 64 * 1024;
}

LineReader::LineReader(ByteSource& source, std::size_t maxLine)
    : source_(source), maxLine_(maxLine), buffer_(kChunk) {}

bool LineReader::Fill() {
  if (ended_) return false;
  pos_ = 0;
  end_ = source_.Read(buffer_.data(), buffer_.size());
  if (end_ == 0) ended_ = true;
  return end_ > 0;
}

bool LineReader::Next(std::string& line) {
  line.clear();
  bool any = false;       // a byte of this line (or its line end) was taken
  bool cut = false;       // the line was longer than maxLine_
  for (;;) {
    if (pos_ == end_ && !Fill()) return any;
    any = true;
    const char* start = buffer_.data() + pos_;
    const std::size_t available = end_ - pos_;
    const char* feed = static_cast<const char*>(std::memchr(start, '\n', available));
    const std::size_t length = feed ? static_cast<std::size_t>(feed - start) : available;
    const std::size_t room = maxLine_ - line.size();
    if (length > room) cut = true;
    line.append(start, std::min(length, room));
    pos_ += length;
    if (feed) {
      ++pos_;
      if (!cut && !line.empty() && line.back() == '\r') line.pop_back();
      return true;
    }
  }
}

}  // namespace tessaly
