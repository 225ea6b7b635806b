#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace tessaly {

// The screen area a preview copies: the target's placement rectangle without its
// top rows (the caption bar), in screen pixels.
struct CaptureArea {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const CaptureArea& a, const CaptureArea& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
  }
};

// Rows at the top of the placement rectangle that are never captured.
constexpr int kCaptionRows = 24;

// Bounds on what a capture may be: a side longer than the coordinate range every
// Windows version's GDI accepts, or more pixels than an 8K display has (a copy of
// that is already 128 MiB at 32 bits per pixel), is no window a user looks at.
constexpr int kMaxCaptureSide = 32767;
constexpr std::int64_t kMaxCapturePixels = std::int64_t{1} << 25;

// The area of a placement rectangle (left, top, right, bottom; right and bottom
// exclusive): from (left, top + 24), right - left wide, bottom - (top + 24) high.
// Nothing for an empty or inverted rectangle (right <= left, bottom <= top + 24)
// or one beyond the bounds above: such a placement is treated as no target.
std::optional<CaptureArea> CaptureAreaOf(int left, int top, int right, int bottom);

// The capture file's path: the executable's path cut after its last backslash,
// then "flcapture.bmp".
std::string CaptureFilePath(const std::string& executablePath);

}  // namespace tessaly
