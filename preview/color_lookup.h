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
      const int error = clamped - 51 * level;
      const int i = v + kSlack;
      level_[i] = static_cast<std::uint8_t>(level);
      value_[i] = static_cast<std::uint8_t>(51 * level);
      share_[0][i] = static_cast<std::uint8_t>(36 * level);
      share_[1][i] = static_cast<std::uint8_t>(6 * level);
      share_[2][i] = static_cast<std::uint8_t>(level);
      for (int weight : {1, 3, 5, 7}) times_[weight / 2][i] = static_cast<std::int16_t>(weight * error);
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

  // Indexed by a value not yet clamped to 0..255 (within kSlack of it): the
  // clamped value's share of the palette index through channel 0 (red, 36 times
  // its level), 1 (green, 6 times) or 2 (blue, the level itself), and how far it
  // lies from its level's colour, times 1, 3, 5 or 7.
  const std::uint8_t* IndexShare(int channel) const { return share_[channel] + kSlack; }
  const std::int16_t* ErrorTimes(int weight) const { return times_[weight / 2] + kSlack; }

 private:
  std::uint8_t level_[256 + 2 * kSlack];
  std::uint8_t value_[256 + 2 * kSlack];
  std::uint8_t share_[3][256 + 2 * kSlack];
  std::int16_t times_[4][256 + 2 * kSlack];
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
    std::uint32_t cell = cells_[key];
    if (cell == empty_) cell = cells_[key] = Pack(Search(red, green, blue));
    outRed = static_cast<int>((cell >> 8) & 0xFF);
    outGreen = static_cast<int>((cell >> 16) & 0xFF);
    outBlue = static_cast<int>(cell >> 24);
    return static_cast<std::uint8_t>(cell);
  }

  // The cell's entry, or -1 while the cell is empty.
  int CachedIndex(int key) const { return cells_[key] == empty_ ? -1 : static_cast<int>(cells_[key] & 0xFF); }

 private:
  std::int16_t Search(int red, int green, int blue) const;
  // An entry's index with its colour, so that a cell answers with both at once.
  std::uint32_t Pack(int index) const {
    const PaletteEntry& c = entries_[index];
    return static_cast<std::uint32_t>(index) | (std::uint32_t{c.red} << 8) | (std::uint32_t{c.green} << 16) |
           (std::uint32_t{c.blue} << 24);
  }

  Palette entries_;
  // The entries' channels again, one array each, for a search the compiler can
  // vectorize.
  std::vector<std::int16_t> reds_, greens_, blues_;
  // A cell holds Pack of its entry, or empty_: entry 0 with a colour that is not
  // entry 0's, which no filled cell can hold.
  std::uint32_t empty_ = 0;
  std::vector<std::uint32_t> cells_;
};

}  // namespace tessaly
