#include "preview/win/clipboard_picture.h"

#include <cstring>
#include <vector>

#include "framework/win/handles.h"
#include "preview/bmp_file.h"

namespace tessaly::win {

namespace {

constexpr std::size_t kFileHeaderSize = 14;  // a BMP file's header, which a DIB has not

class ClipboardScope {
 public:
  explicit ClipboardScope(HWND window) : open_(OpenClipboard(window) != FALSE) {}
  ~ClipboardScope() {
    if (open_) CloseClipboard();
  }
  ClipboardScope(const ClipboardScope&) = delete;
  ClipboardScope& operator=(const ClipboardScope&) = delete;
  bool Open() const { return open_; }

 private:
  bool open_;
};

}  // namespace

bool CopyPictureToClipboard(HWND window, const Bitmap& picture) {
  if (picture.Empty()) return false;
  const std::vector<std::uint8_t> headers = BmpHeaders(picture.Width(), picture.Height(), picture.BitsPerPixel(),
                                                       picture.Colors(), picture.Masks());
  const std::size_t infoSize = headers.size() - kFileHeaderSize;
  const std::size_t pixelSize = picture.Stride() * static_cast<std::size_t>(picture.Height());
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, infoSize + pixelSize);
  if (!memory) return false;
  UniqueGlobal owned(memory);
  auto* bytes = static_cast<std::uint8_t*>(GlobalLock(memory));
  if (!bytes) return false;
  std::memcpy(bytes, headers.data() + kFileHeaderSize, infoSize);
  // A DIB's rows run from the bottom up.
  for (int y = 0; y < picture.Height(); ++y)
    std::memcpy(bytes + infoSize + static_cast<std::size_t>(picture.Height() - 1 - y) * picture.Stride(),
                picture.Row(y), picture.Stride());
  GlobalUnlock(memory);
  ClipboardScope clipboard(window);
  if (!clipboard.Open() || !EmptyClipboard()) return false;
  if (!SetClipboardData(CF_DIB, memory)) return false;
  owned.Release();  // the clipboard owns it now
  return true;
}

}  // namespace tessaly::win
