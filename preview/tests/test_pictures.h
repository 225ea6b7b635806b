#pragma once
#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

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

// Colour clouds with grain, like a photograph or ImageMagick's plasma: random
// colours on a coarse grid blended smoothly between, plus noise on every pixel,
// so that hardly two neighbours share a colour. Integer arithmetic only, so the
// picture is the same wherever it is made.
inline Bitmap CloudPicture(int width, int height, unsigned seed) {
  constexpr int kCell = 64;
  const int gridW = width / kCell + 2, gridH = height / kCell + 2;
  std::mt19937 random(seed);
  std::vector<int> grid(static_cast<std::size_t>(gridW) * gridH * 3);
  for (int& v : grid) v = static_cast<int>(random() % 256);
  Bitmap bitmap(width, height, 24);
  for (int y = 0; y < height; ++y) {
    const int gy = y / kCell, fy = y % kCell;
    for (int x = 0; x < width; ++x) {
      const int gx = x / kCell, fx = x % kCell;
      std::uint8_t* p = bitmap.Row(y) + 3 * x;
      for (int c = 0; c < 3; ++c) {
        auto at = [&](int i, int j) { return grid[(static_cast<std::size_t>(j) * gridW + i) * 3 + c]; };
        const int top = at(gx, gy) * (kCell - fx) + at(gx + 1, gy) * fx;
        const int bottom = at(gx, gy + 1) * (kCell - fx) + at(gx + 1, gy + 1) * fx;
        const int smooth = (top * (kCell - fy) + bottom * fy) / (kCell * kCell);
        const int grain = static_cast<int>(random() % 49) - 24;
        p[2 - c] = static_cast<std::uint8_t>(std::clamp(smooth + grain, 0, 255));
      }
    }
  }
  return bitmap;
}

// A web page as a screen capture shows one: mostly flat colour (a white body, a
// dark title bar, a grey side bar, a footer), lines of dark text whose strokes
// are edged with intermediate shades as smoothed type is, coloured links, a
// button with a gradient and a photograph.
inline Bitmap PagePicture(int width, int height, unsigned seed) {
  Bitmap bitmap = FlatPicture(width, height, 255, 255, 255);
  std::mt19937 random(seed);
  auto fill = [&](int x0, int y0, int x1, int y1, int r, int g, int b) {
    for (int y = std::max(0, y0); y < std::min(height, y1); ++y)
      for (int x = std::max(0, x0); x < std::min(width, x1); ++x) SetPixel24(bitmap, x, y, r, g, b);
  };
  const int header = height / 9, side = width / 6, footer = height - height / 18;
  fill(0, 0, width, header, 0x00, 0x33, 0x66);
  fill(0, header, side, footer, 0xEE, 0xEE, 0xEE);
  fill(0, footer, width, height, 0xCC, 0xCC, 0xCC);
  // Text: words of glyph-sized strokes, each stroke edged with a lighter shade
  // of the text colour mixed into the background.
  auto text = [&](int x0, int y0, int x1, int y1, int lineHeight, int r, int g, int b, int br, int bg, int bb) {
    for (int line = y0; line + lineHeight <= y1; line += lineHeight + lineHeight / 2) {
      for (int x = x0; x < x1;) {
        const int word = 3 + static_cast<int>(random() % 8);
        for (int letter = 0; letter < word && x < x1; ++letter, x += lineHeight / 2 + 1) {
          const int strokes = 1 + static_cast<int>(random() % 3);
          for (int s = 0; s < strokes; ++s) {
            const int sx = x + static_cast<int>(random() % std::max(1, lineHeight / 2 - 1));
            const int top = line + static_cast<int>(random() % 3);
            for (int y = top; y < line + lineHeight && y < height; ++y) {
              if (sx < width) SetPixel24(bitmap, sx, y, r, g, b);
              if (sx + 1 < width) SetPixel24(bitmap, sx + 1, y, (r + 2 * br) / 3, (g + 2 * bg) / 3, (b + 2 * bb) / 3);
            }
          }
        }
        x += lineHeight;
      }
    }
  };
  text(side / 8, header + 12, side - side / 8, footer - 8, 9, 0x00, 0x00, 0xCC, 0xEE, 0xEE, 0xEE);
  text(side + 24, header + 16, width - 24, header + (footer - header) / 3, 11, 0, 0, 0, 255, 255, 255);
  text(width / 16, header / 3, width / 2, header - header / 4, std::max(4, header / 3), 255, 255, 255, 0x00, 0x33,
       0x66);
  // A photograph and, beside it, more text; a button below.
  const int photoTop = header + (footer - header) / 3 + 16, photoW = (width - side) / 3,
            photoH = std::min((footer - header) / 3, footer - photoTop - 8);
  if (photoW > 0 && photoH > 0) {
    const Bitmap photo = CloudPicture(photoW, photoH, seed + 1);
    for (int y = 0; y < photoH; ++y)
      for (int x = 0; x < photoW; ++x) {
        const std::uint8_t* p = photo.Row(y) + 3 * x;
        SetPixel24(bitmap, side + 24 + x, photoTop + y, p[2], p[1], p[0]);
      }
  }
  text(side + 48 + photoW, photoTop, width - 24, footer - 8, 9, 0x33, 0x33, 0x33, 255, 255, 255);
  const int buttonTop = photoTop + std::max(photoH, 0) + 12, buttonW = std::max(1, width / 8);
  for (int x = 0; x < buttonW; ++x)
    fill(side + 24 + x, buttonTop, side + 25 + x, buttonTop + 20, 0x66 - 0x33 * x / buttonW, 0x99 - 0x33 * x / buttonW,
         0xCC - 0x33 * x / buttonW);
  return bitmap;
}

// The same picture in 32 bits per pixel, the unused byte filled with noise that
// the reduction must not see.
inline Bitmap WithFourthByte(const Bitmap& deep, unsigned seed) {
  Bitmap wide(deep.Width(), deep.Height(), 32);
  std::mt19937 random(seed);
  for (int y = 0; y < deep.Height(); ++y)
    for (int x = 0; x < deep.Width(); ++x) {
      const std::uint8_t* p = deep.Row(y) + 3 * x;
      std::uint8_t* q = wide.Row(y) + 4 * x;
      q[0] = p[0];
      q[1] = p[1];
      q[2] = p[2];
      q[3] = static_cast<std::uint8_t>(random());
    }
  return wide;
}

}  // namespace tessaly::testing
