#include "bookmarks/memory_bookmark_files.h"

#include <algorithm>
#include <cstring>

namespace tessaly {

namespace {
class LimitedSink : public ByteSink {
 public:
  explicit LimitedSink(long long limit) : limit_(limit) {}
  std::string data;
  void Write(const char* bytes, std::size_t size) override {
    if (limit_ >= 0 && static_cast<long long>(data.size() + size) > limit_) {
      data.append(bytes, static_cast<std::size_t>(limit_) - data.size());
      throw WriteFailed("disk full");
    }
    data.append(bytes, size);
  }

 private:
  long long limit_;
};
}  // namespace

std::size_t MemoryByteSource::Read(char* buffer, std::size_t size) {
  const std::size_t n = std::min({size, piece_, data_.size() - pos_});
  std::memcpy(buffer, data_.data() + pos_, n);
  pos_ += n;
  return n;
}

std::unique_ptr<ByteSource> MemoryBookmarkFiles::OpenRead(const std::string& path) {
  auto it = files.find(path);
  if (it == files.end() || unreadable.count(path)) return nullptr;
  return std::make_unique<MemoryByteSource>(it->second, readPiece);
}

bool MemoryBookmarkFiles::Replace(const std::string& path, const std::function<void(ByteSink&)>& write) {
  if (unwritable.count(path)) return false;
  LimitedSink sink(failWriteAfter);
  try {
    write(sink);
  } catch (const WriteFailed&) {
    return false;
  }
  files[path] = std::move(sink.data);
  return true;
}

}  // namespace tessaly
