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
  TNetscapeColorLookup() : TColorLookup(216) {
    for (int v = 0; v < 256; ++v) {
      level_[v] = static_cast<std::uint8_t>(Level(v));
      value_[v] = static_cast<std::uint8_t>(51 * Level(v));
    }
  }

  // (value + 3) / 51 is deliberately not rounding to the nearest level: 0-47 give
  // level 0, 48-98 level 1 and so on.
  static int Level(int value) { return (value + 3) / 51; }

  // Tables hold the same levels; they shorten the chain of dependent operations
  // from one dithered pixel to the next.
  std::uint8_t MatchColor(int red, int green, int blue, int& outRed, int& outGreen, int& outBlue) override {
    outRed = value_[red];
    outGreen = value_[green];
    outBlue = value_[blue];
    return static_cast<std::uint8_t>(36 * level_[red] + 6 * level_[green] + level_[blue]);
  }

 private:
  std::uint8_t level_[256];
  std::uint8_t value_[256];
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
  std::vector<std::int16_t> cache_;
};

}  // namespace tessaly
