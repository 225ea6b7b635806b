#pragma once
#include <cstddef>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

namespace tessaly {

// Bytes of a file opened for reading, in the order they stand.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Up to size bytes into buffer; 0 at the end of the file or on a read error.
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

// Where a file being written takes its bytes. Raises WriteFailed when they
// cannot be written.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual void Write(const char* data, std::size_t size) = 0;
};

class WriteFailed : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The files the bookmark component reads and writes: the bookmark file and
// the bookmark files it imports.
class BookmarkFiles {
 public:
  virtual ~BookmarkFiles() = default;

  // Whether a file (not a directory) of that name exists.
  virtual bool Exists(const std::string& path) = 0;
  // The file opened for reading, or null when it cannot be opened.
  virtual std::unique_ptr<ByteSource> OpenRead(const std::string& path) = 0;
  // Replaces the file by what write puts into the sink, all or nothing: the
  // file is either left as it was or holds everything written. False when
  // the file could not be written (no message). An exception that write
  // raises passes on, with the file left as it was.
  virtual bool Replace(const std::string& path, const std::function<void(ByteSink&)>& write) = 0;
};

}  // namespace tessaly
