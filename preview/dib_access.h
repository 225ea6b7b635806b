#pragma once
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "preview/bitmap.h"

namespace tessaly {

// A failure of the row access; the message is the one the viewer would show.
class DibError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Deep pixel rows as they lie in memory: in each pixel, bytes 0, 1 and 2 are blue,
// green and red; pixels are BytesPerPixel apart (3, or 4 with a byte unused).
struct PixelRows {
  const std::uint8_t* top = nullptr;  // row 0, the top row
  std::ptrdiff_t stride = 0;          // from a row to the one below (negative when stored bottom-up)
  int width = 0;
  int height = 0;
  int bytesPerPixel = 3;
  const std::uint8_t* Row(int y) const { return top + static_cast<std::ptrdiff_t>(y) * stride; }
};

// Row access for reading; row 0 is the top row. A reader for 24 bits per pixel
// converts the bitmap itself to 24 bits first, except a 32-bit bitmap with the
// standard masks: its pixels already start with blue, green and red, and are read
// where they are.
class TDIBReader {
 public:
  TDIBReader(Bitmap& bitmap, int bitsPerPixel);
  // Rows of 3 or 4 bytes per pixel held elsewhere (a mapped file), which must
  // outlive the reader.
  explicit TDIBReader(const PixelRows& rows);
  const std::uint8_t* RowAt(int y) const { return rows_.Row(y); }
  int Width() const { return rows_.width; }
  int Height() const { return rows_.height; }
  int BytesPerPixel() const { return rows_.bytesPerPixel; }

 private:
  PixelRows rows_;
};

// Row access for writing 8-bit pixels. The rows are a copy, taken when the first row
// is asked for, and become the bitmap's pixels when the writer is destroyed.
class TDIBWriter {
 public:
  TDIBWriter(Bitmap& bitmap, int bitsPerPixel);
  ~TDIBWriter();
  TDIBWriter(const TDIBWriter&) = delete;
  TDIBWriter& operator=(const TDIBWriter&) = delete;

  std::uint8_t* RowAt(int y);

 private:
  Bitmap& bitmap_;
  bool copied_ = false;
  std::vector<std::uint8_t> pixels_;
  Palette colors_;
};

}  // namespace tessaly
