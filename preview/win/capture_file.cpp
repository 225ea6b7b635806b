#include "preview/win/capture_file.h"

#include <vector>

#include "framework/win/system_error.h"
#include "preview/bmp_file.h"

namespace tessaly::win {

namespace {

// The system's text for an error code, prefixed by ". ".
std::string Reason(DWORD error) {
  const std::string text = SystemErrorText(error);
  return text.empty() ? std::string() : ". " + text;
}

[[noreturn]] void Fail(const char* what, const std::string& path) {
  const DWORD error = GetLastError();
  throw FileError(std::string(what) + " " + path + Reason(error));
}

}  // namespace

void WriteCaptureFile(const std::string& path, const ScreenCopy& copy) {
  UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) Fail("Cannot create file", path);
  const std::vector<std::uint8_t> headers =
      BmpHeaders(copy.width, copy.height, copy.bitsPerPixel, copy.colors, DefaultMasks(copy.bitsPerPixel));
  const std::size_t pixelBytes = Bitmap::StrideFor(copy.width, copy.bitsPerPixel) * static_cast<std::size_t>(copy.height);
  auto write = [&](const void* data, std::size_t size) {
    DWORD written = 0;
    if (!WriteFile(file.Get(), data, static_cast<DWORD>(size), &written, nullptr) || written != size)
      Fail("Cannot write file", path);
  };
  write(headers.data(), headers.size());
  write(copy.bits, pixelBytes);
}

CaptureFile CaptureFile::Open(const std::string& path) {
  CaptureFile capture;
  capture.file_.Reset(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!capture.file_) Fail("Cannot open file", path);
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(capture.file_.Get(), &size)) Fail("Cannot open file", path);
  if (size.QuadPart == 0) throw FileError("Cannot open file " + path + ". The file is empty");
  // Mapped rather than read: the reduction reads the pixels where they lie.
  capture.mapping_.Reset(CreateFileMappingA(capture.file_.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!capture.mapping_) Fail("Cannot open file", path);
  capture.view_.Reset(MapViewOfFile(capture.mapping_.Get(), FILE_MAP_READ, 0, 0, 0));
  if (!capture.view_) Fail("Cannot open file", path);
  capture.size_ = static_cast<std::size_t>(size.QuadPart);
  const auto* data = static_cast<const std::uint8_t*>(capture.view_.Get());
  try {
    capture.rows_ = BmpPixelRows(data, capture.size_);
    if (!capture.rows_) {
      capture.bitmap_ = ReadBmp(data, capture.size_);
      capture.view_.Reset();
      capture.mapping_.Reset();
      capture.file_.Reset();
    }
  } catch (const BmpError& e) {
    throw FileError("Cannot open file " + path + ". " + e.what());
  }
  return capture;
}

Bitmap CaptureFile::Picture() const {
  if (!rows_) return bitmap_;
  return ReadBmp(static_cast<const std::uint8_t*>(view_.Get()), size_);
}

}  // namespace tessaly::win
