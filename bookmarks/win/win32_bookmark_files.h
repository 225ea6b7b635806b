#pragma once
#include <string>

#include "bookmarks/bookmark_files.h"

namespace tessaly::win {

// Bookmark files on disk, their paths UTF-8 (opened with the wide-character
// calls, so that a name in any language is found). A replacement is written to a file beside the old
// one ("<name>.new"), flushed, and moved over the old one in one step, so
// that a failure or a crash at any point leaves either the old file or the
// whole new one.
class Win32BookmarkFiles : public BookmarkFiles {
 public:
  bool Exists(const std::string& path) override;
  std::unique_ptr<ByteSource> OpenRead(const std::string& path) override;
  bool Replace(const std::string& path, const std::function<void(ByteSink&)>& write) override;
};

}  // namespace tessaly::win
