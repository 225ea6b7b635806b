#include "preview/capture_area.h"

namespace tessaly {

std::optional<CaptureArea> CaptureAreaOf(int left, int top, int right, int bottom) {
  // In 64 bits: the placement's numbers may be anything a window reports, and
  // their differences need not fit an int.
  const std::int64_t y = std::int64_t{top} + kCaptionRows;
  const std::int64_t width = std::int64_t{right} - left;
  const std::int64_t height = std::int64_t{bottom} - y;
  if (width <= 0 || height <= 0) return std::nullopt;
  if (width > kMaxCaptureSide || height > kMaxCaptureSide || width * height > kMaxCapturePixels)
    return std::nullopt;
  // A positive height puts y below bottom, so it fits an int.
  return CaptureArea{left, static_cast<int>(y), static_cast<int>(width), static_cast<int>(height)};
}

std::string CaptureFilePath(const std::string& executablePath) {
  const std::size_t slash = executablePath.rfind('\\');
  const std::string directory = slash == std::string::npos ? std::string() : executablePath.substr(0, slash + 1);
  return directory + "flcapture.bmp";
}

}  // namespace tessaly
