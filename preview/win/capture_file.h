#pragma once
#include <windows.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "framework/win/handles.h"
#include "preview/bitmap.h"
#include "preview/dib_access.h"
#include "preview/win/screen_copy.h"

namespace tessaly::win {

// The file layer's failure, with what the system said.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Writes the copy as a BMP file of its own depth, replacing any file there.
// Raises FileError "Cannot create file PATH" (or "Cannot write file PATH").
void WriteCaptureFile(const std::string& path, const ScreenCopy& copy);

// The capture file read back. A picture of 24 or 32 bits stays in the mapped
// file and is reduced from there; one of another depth is read into memory.
class CaptureFile {
 public:
  CaptureFile() = default;
  // Raises FileError "Cannot open file PATH" when the file cannot be read, or
  // names what is wrong with its contents.
  static CaptureFile Open(const std::string& path);

  bool IsOpen() const { return rows_.has_value() || bitmap_.HasPixels(); }
  int Width() const { return rows_ ? rows_->width : bitmap_.Width(); }
  int Height() const { return rows_ ? rows_->height : bitmap_.Height(); }
  // The rows where they lie in the file, for a picture of 24 or 32 bits.
  const std::optional<PixelRows>& Rows() const { return rows_; }
  // The picture as a bitmap of its own depth (a copy of the rows, if mapped).
  Bitmap Picture() const;
  void Close() { *this = CaptureFile(); }

 private:
  UniqueFile file_;
  UniqueKernelHandle mapping_;
  UniqueMappedView view_;
  std::size_t size_ = 0;
  std::optional<PixelRows> rows_;
  Bitmap bitmap_;
};

}  // namespace tessaly::win
