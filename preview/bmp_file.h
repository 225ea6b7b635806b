#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

#include "preview/bitmap.h"
#include "preview/dib_access.h"

namespace tessaly {

// Why a file could not be read as a BMP; the message names the problem.
class BmpError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Limits on what ReadBmp accepts: a palette image measures its sides in 16 bits,
// and the pixel count bounds the memory one picture may take.
constexpr int kMaxBmpSide = 65535;
constexpr std::int64_t kMaxBmpPixels = std::int64_t{1} << 26;

// Reads an uncompressed BMP of 1, 4, 8, 16, 24 or 32 bits per pixel, bottom-up or
// top-down (BI_BITFIELDS with the standard masks accepted for 16 and 32 bits).
// Throws BmpError for anything else, never reading outside `data`.
Bitmap ReadBmp(const std::uint8_t* data, std::size_t size);
inline Bitmap ReadBmp(const std::vector<std::uint8_t>& bytes) { return ReadBmp(bytes.data(), bytes.size()); }

// The file and info headers (and colour table or bit masks) of the BMP file of a
// picture of this size and format, to be followed by its rows bottom row first,
// each Bitmap::StrideFor(width, bitsPerPixel) bytes.
std::vector<std::uint8_t> BmpHeaders(int width, int height, int bitsPerPixel, const Palette& colors,
                                     const ChannelMasks& masks);

// The rows of a BMP of 24 bits, or of 32 with the standard masks, where they lie in
// `data`, checked as ReadBmp checks them; nothing for any other depth (which
// ReadBmp reads). Throws BmpError for a file ReadBmp would refuse.
std::optional<PixelRows> BmpPixelRows(const std::uint8_t* data, std::size_t size);

// The BMP file of a bitmap (bottom-up, uncompressed; bit fields only for masks that
// plain BI_RGB cannot express).
std::vector<std::uint8_t> WriteBmp(const Bitmap& bitmap);
// The same bytes handed to `sink` piece by piece (the headers, then each row), for
// writing a large picture without building the file in memory first.
void WriteBmp(const Bitmap& bitmap, const std::function<void(const std::uint8_t*, std::size_t)>& sink);

}  // namespace tessaly
