#pragma once
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

// Row access for reading; row 0 is the top row. A reader for 24 bits per pixel
// converts the bitmap itself to 24 bits first.
class TDIBReader {
 public:
  TDIBReader(Bitmap& bitmap, int bitsPerPixel);
  const std::uint8_t* RowAt(int y) const { return bitmap_.Row(y); }
  int Width() const { return bitmap_.Width(); }
  int Height() const { return bitmap_.Height(); }

 private:
  Bitmap& bitmap_;
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
