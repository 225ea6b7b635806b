#pragma once
#include <map>
#include <set>
#include <string>

#include "bookmarks/bookmark_files.h"

namespace tessaly {

// Files held in memory, for tests of everything that reads and writes
// bookmark files. Failures can be arranged: a file that exists but cannot be
// opened, a file that cannot be replaced, and a write that fails after so many bytes.
class MemoryBookmarkFiles : public BookmarkFiles {
 public:
  std::map<std::string, std::string> files;
  std::set<std::string> unreadable;  // exist, but cannot be opened
  std::set<std::string> unwritable;  // cannot be replaced
  // A write fails once this many bytes went into the sink (-1: never).
  long long failWriteAfter = -1;
  // Read in pieces of this size, so that lines cross the pieces.
  std::size_t readPiece = 7;

  bool Exists(const std::string& path) override { return files.count(path) > 0; }
  std::unique_ptr<ByteSource> OpenRead(const std::string& path) override;
  bool Replace(const std::string& path, const std::function<void(ByteSink&)>& write) override;
};

// A source over bytes in memory, in pieces of at most piece bytes.
class MemoryByteSource : public ByteSource {
 public:
  explicit MemoryByteSource(std::string data, std::size_t piece = 65536) : data_(std::move(data)), piece_(piece) {}
  std::size_t Read(char* buffer, std::size_t size) override;

 private:
  std::string data_;
  std::size_t pos_ = 0;
  std::size_t piece_;
};

// A sink that keeps what it gets.
class StringByteSink : public ByteSink {
 public:
  std::string data;
  void Write(const char* bytes, std::size_t size) override { data.append(bytes, size); }
};

}  // namespace tessaly
