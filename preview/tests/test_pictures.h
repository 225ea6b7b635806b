#pragma once
#include <random>

#include "preview/bitmap.h"

namespace tessaly::testing {

// A 24-bit picture of random colours from a fixed seed.
inline Bitmap RandomPicture(int width, int height, unsigned seed) {
  Bitmap bitmap(width, height, 24);
  std::mt19937 random(seed);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < 3 * width; ++x) bitmap.Row(y)[x] = static_cast<std::uint8_t>(random());
  return bitmap;
}

inline void SetPixel24(Bitmap& bitmap, int x, int y, int red, int green, int blue) {
  std::uint8_t* p = bitmap.Row(y) + 3 * x;
  p[0] = static_cast<std::uint8_t>(blue);
  p[1] = static_cast<std::uint8_t>(green);
  p[2] = static_cast<std::uint8_t>(red);
}

inline Bitmap FlatPicture(int width, int height, int red, int green, int blue) {
  Bitmap bitmap(width, height, 24);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) SetPixel24(bitmap, x, y, red, green, blue);
  return bitmap;
}

}  // namespace tessaly::testing
