#include "bookmarks/win/win32_bookmark_files.h"

#include <windows.h>

#include <vector>

#include "framework/win/handles.h"
#include "framework/win/wide_text.h"

namespace tessaly::win {

namespace {

class FileSource : public ByteSource {
 public:
  explicit FileSource(UniqueFile file) : file_(std::move(file)) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(size > 0x10000000 ? 0x10000000 : size);
    if (!ReadFile(file_.Get(), buffer, want, &got, nullptr)) return 0;
    return got;
  }

 private:
  UniqueFile file_;
};

class FileSink : public ByteSink {
 public:
  explicit FileSink(HANDLE file) : file_(file) {}
  void Write(const char* data, std::size_t size) override {
    while (size > 0) {
      const DWORD chunk = static_cast<DWORD>(size > 0x10000000 ? 0x10000000 : size);
      DWORD written = 0;
      if (!WriteFile(file_, data, chunk, &written, nullptr) || written == 0) throw WriteFailed("write failed");
      data += written;
      size -= written;
    }
  }

 private:
  HANDLE file_;
};

// The new file until it has taken the old one's place; deleted if it never does.
class PendingFile {
 public:
  explicit PendingFile(std::wstring path) : path_(std::move(path)) {}
  ~PendingFile() {
    if (!path_.empty()) DeleteFileW(path_.c_str());
  }
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;
  const std::wstring& Path() const { return path_; }
  void Placed() { path_.clear(); }

 private:
  std::wstring path_;
};

}  // namespace

bool Win32BookmarkFiles::Exists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::unique_ptr<ByteSource> Win32BookmarkFiles::OpenRead(const std::string& path) {
  UniqueFile file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return nullptr;
  return std::make_unique<FileSource>(std::move(file));
}

bool Win32BookmarkFiles::Replace(const std::string& path, const std::function<void(ByteSink&)>& write) {
  const std::wstring target = Wide(path);
  PendingFile pending(target + L".new");
  {
    UniqueFile file(
        CreateFileW(pending.Path().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
      pending.Placed();  // not ours: whatever holds that name stays
      return false;
    }
    FileSink sink(file.Get());
    try {
      write(sink);
    } catch (const WriteFailed&) {
      return false;
    }
    // On the disk before it replaces the old file, or a crash could leave a
    // complete name with incomplete contents.
    if (!FlushFileBuffers(file.Get())) return false;
  }
  if (!MoveFileExW(pending.Path().c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return false;
  pending.Placed();
  return true;
}

}  // namespace tessaly::win
