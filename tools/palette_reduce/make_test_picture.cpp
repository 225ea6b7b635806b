// make-test-picture WIDTH HEIGHT BITS SEED OUT.bmp
// Writes a picture of smooth gradients with noise on top, the kind of content a
// page capture has, in any BMP depth the tools read (palette pictures get a
// gradient palette).
#include <cstdio>
#include <cstdlib>
#include <random>

#include "preview/bmp_file.h"

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: make-test-picture WIDTH HEIGHT BITS SEED OUT.bmp\n");
    return 2;
  }
  const int width = std::atoi(argv[1]), height = std::atoi(argv[2]), bits = std::atoi(argv[3]);
  std::mt19937 random(static_cast<unsigned>(std::strtoul(argv[4], nullptr, 10)));
  if (width < 1 || height < 1 || width > 20000 || height > 20000) {
    std::fprintf(stderr, "make-test-picture: bad size\n");
    return 2;
  }
  tessaly::Bitmap deep(width, height, 24);
  std::normal_distribution<double> noise(0.0, 12.0);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = deep.Row(y);
    for (int x = 0; x < width; ++x) {
      const double fx = static_cast<double>(x) / width, fy = static_cast<double>(y) / height;
      const double channel[3] = {255 * fx * (1 - fy), 255 * fy, 255 * (1 - fx) * (0.5 + 0.5 * fy)};
      for (int c = 0; c < 3; ++c) {
        const double v = channel[2 - c] + noise(random);
        row[3 * x + c] = static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
      }
    }
  }
  tessaly::Bitmap picture;
  if (bits == 24) {
    picture = std::move(deep);
  } else if (bits == 1 || bits == 4 || bits == 8) {
    picture = tessaly::Bitmap(width, height, bits);
    tessaly::Palette colors(std::size_t{1} << bits);
    for (std::size_t i = 0; i < colors.size(); ++i) {
      const auto v = static_cast<std::uint8_t>(255 * i / (colors.size() - 1));
      colors[i] = {v, static_cast<std::uint8_t>(255 - v), static_cast<std::uint8_t>(v / 2), 0};
    }
    picture.SetColors(colors);
    for (auto& byte : picture.Pixels()) byte = static_cast<std::uint8_t>(random());
  } else if (bits == 16 || bits == 32) {
    picture = tessaly::Bitmap(width, height, bits);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const std::uint8_t* p = deep.Row(y) + 3 * x;
        std::uint8_t* q = picture.Row(y) + (bits / 8) * x;
        if (bits == 32) {
          q[0] = p[0];
          q[1] = p[1];
          q[2] = p[2];
        } else {
          const int v = ((p[2] >> 3) << 10) | ((p[1] >> 3) << 5) | (p[0] >> 3);
          q[0] = static_cast<std::uint8_t>(v);
          q[1] = static_cast<std::uint8_t>(v >> 8);
        }
      }
  } else {
    std::fprintf(stderr, "make-test-picture: bits must be 1, 4, 8, 16, 24 or 32\n");
    return 2;
  }
  const std::vector<std::uint8_t> bytes = tessaly::WriteBmp(picture);
  std::FILE* out = std::fopen(argv[5], "wb");
  if (!out || std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) {
    if (out) std::fclose(out);
    std::fprintf(stderr, "make-test-picture: cannot write %s\n", argv[5]);
    return 1;
  }
  return std::fclose(out) == 0 ? 0 : 1;
}
