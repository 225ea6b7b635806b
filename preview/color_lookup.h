#pragma once
#include <cstdint>
#include <vector>

#include "preview/bitmap.h"

namespace tessaly {

// Finds the palette entry that stands for a colour.
class TColorLookup {
 public:
  virtual ~TColorLookup() = default;
  TColorLookup(const TColorLookup&) = delete;
  TColorLookup& operator=(const TColorLookup&) = delete;

  // 0 means the lookup has no colours to offer and must not be used.
  int ColorCount() const { return colorCount_; }

  // Returns the palette index for (red, green, blue), each 0..255, and the colour of
  // that entry.
  virtual std::uint8_t MatchColor(int red, int green, int blue, int& outRed, int& outGreen, int& outBlue) = 0;

 protected:
  explicit TColorLookup(int colorCount) : colorCount_(colorCount) {}
  int colorCount_;
};

// The web palette needs no search: each channel picks its level arithmetically.
class TNetscapeColorLookup final : public TColorLookup {
 public:
  // How far outside 0..255 a dithered value can fall before it is clamped: the
  // diffused error of one channel never exceeds 16 * 255 / 16 in either direction.
  static constexpr int kSlack = 256;

  TNetscapeColorLookup() : TColorLookup(216) {
    for (int v = -kSlack; v < 256 + kSlack; ++v) {
      const int clamped = v < 0 ? 0 : (v > 255 ? 255 : v);
      const int level = Level(clamped);
      level_[v + kSlack] = static_cast<std::uint8_t>(level);
      value_[v + kSlack] = static_cast<std::uint8_t>(51 * level);
      error_[v + kSlack] = static_cast<std::int16_t>(clamped - 51 * level);
    }
  }

  // (value + 3) / 51 is deliberately not rounding to the nearest level: 0-47 give
  // level 0, 48-98 level 1 and so on.
  static int Level(int value) { return (value + 3) / 51; }

  // Tables hold the same levels; they shorten the chain of dependent operations
  // from one dithered pixel to the next.
  std::uint8_t MatchColor(int red, int green, int blue, int& outRed, int& outGreen, int& outBlue) override {
    outRed = value_[red + kSlack];
    outGreen = value_[green + kSlack];
    outBlue = value_[blue + kSlack];
    return static_cast<std::uint8_t>(36 * level_[red + kSlack] + 6 * level_[green + kSlack] + level_[blue + kSlack]);
  }

  // For a value not yet clamped to 0..255 (within kSlack of it): the level of the
  // clamped value, and how far the clamped value lies from that level's colour.
  int LevelOfUnclamped(int value) const { return level_[value + kSlack]; }
  int ErrorOfUnclamped(int value) const { return error_[value + kSlack]; }

 private:
  std::uint8_t level_[256 + 2 * kSlack];
  std::uint8_t value_[256 + 2 * kSlack];
  std::int16_t error_[256 + 2 * kSlack];
};

// Any palette: a full search once per cell of colours sharing their top five bits
// per channel, after which the cell answers for all of them. The first colour
// looked up in a cell therefore decides the cell.
class TFastColorLookup final : public TColorLookup {
 public:
  explicit TFastColorLookup(const Palette& palette);

  static int Key(int red, int green, int blue) { return ((blue >> 3) << 10) | ((green >> 3) << 5) | (red >> 3); }

  std::uint8_t MatchColor(int red, int green, int blue, int& outRed, int& outGreen, int& outBlue) override {
    const int key = Key(red, green, blue);
    int index = cache_[key];
    if (index < 0) index = cache_[key] = Search(red, green, blue);
    const PaletteEntry& c = entries_[index];
    outRed = c.red;
    outGreen = c.green;
    outBlue = c.blue;
    return static_cast<std::uint8_t>(index);
  }

  // The cell's entry, or -1 while the cell is empty.
  int CachedIndex(int key) const { return cache_[key]; }

 private:
  std::int16_t Search(int red, int green, int blue) const;

  Palette entries_;
  // The entries' channels again, one array each, for a search the compiler can
  // vectorize.
  std::vector<std::int16_t> reds_, greens_, blues_;
  std::vector<std::int16_t> cache_;
};

}  // namespace tessaly
