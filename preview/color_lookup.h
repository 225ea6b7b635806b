#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
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
  // lies from its level's colour, times 1, 3, 5 or 7. All addressed from the
  // lookup itself, so that a loop needs one register for all the tables.
  std::uint8_t Share(int channel, std::ptrdiff_t value) const { return share_[channel][value + kSlack]; }
  std::int16_t Times(int weight, std::ptrdiff_t value) const { return times_[weight / 2][value + kSlack]; }
  // A value whose level's error is `error`, for any error this lookup gives
  // (-3..47: 48 is level 1 less 3, 47 is level 0 plus 47).
  static std::ptrdiff_t ValueWithError(int error) { return error < 0 ? 51 + error : error; }

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

  static constexpr int Key(int red, int green, int blue) {
    return ((blue >> 3) << 10) | ((green >> 3) << 5) | (red >> 3);
  }

  // What a cell answers: the entry's index and colour together, four bytes that
  // are read as one word to tell an empty cell.
  struct Answer {
    std::uint8_t index;
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
  };
  static std::uint32_t Word(const Answer& answer) {
    std::uint32_t word;
    std::memcpy(&word, &answer, sizeof word);
    return word;
  }

  std::uint8_t MatchColor(int red, int green, int blue, int& outRed, int& outGreen, int& outBlue) override {
    const Answer& answer = Find(red, green, blue);
    outRed = answer.red;
    outGreen = answer.green;
    outBlue = answer.blue;
    return answer.index;
  }

  const Answer& Find(int red, int green, int blue) {
    const int key = Key(red, green, blue);
    return Word(cells_[key]) != emptyWord_ ? cells_[key] : Fill(key, red, green, blue);
  }

  // The cells themselves and the word of an empty one, for a loop that keeps them
  // in registers; Fill decides an empty cell.
  const Answer* Cells() const { return cells_.data(); }
  std::uint32_t EmptyWord() const { return emptyWord_; }
  // Decides an empty cell by the colour that reaches it first. Kept out of line:
  // most pixels find their cell filled.
  const Answer& Fill(int key, int red, int green, int blue);

  // The cell's entry, or -1 while the cell is empty.
  int CachedIndex(int key) const { return Word(cells_[key]) == emptyWord_ ? -1 : cells_[key].index; }

 private:
  std::int16_t Search(int red, int green, int blue) const;
  Answer AnswerFor(int index) const {
    const PaletteEntry& c = entries_[index];
    return {static_cast<std::uint8_t>(index), c.red, c.green, c.blue};
  }

  Palette entries_;
  // The entries in order of the sum of their channels, and where each sum
  // starts in that order: the search starts at the colour's sum and moves
  // outward.
  struct BySum {
    std::int16_t sum, red, green, blue, index;
  };
  std::vector<BySum> bySum_;
  std::vector<std::int16_t> firstOfSum_;
  // An empty cell holds entry 0's index with a red that is not entry 0's, which
  // no filled cell can hold.
  std::uint32_t emptyWord_ = 0;
  std::vector<Answer> cells_;
};

}  // namespace tessaly
