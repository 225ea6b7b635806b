#pragma once
#include <cstdint>
#include <vector>

#include "preview/color_lookup.h"

namespace tessaly {

// Walks the picture in serpentine order: the first row left to right, the next
// right to left, and so on. The base engine maps each pixel to its nearest entry.
//
// `Step` does the work of `DitherPixel` with the lookup reached through its own
// type; the reduction loop calls it with the concrete lookup so that no virtual
// call is made per pixel, while `DitherPixel` goes through the lookup's interface.
class TDitherEngine {
 public:
  TDitherEngine(int width, TColorLookup& lookup) : lookup_(lookup), width_(width) {}
  virtual ~TDitherEngine() = default;
  TDitherEngine(const TDitherEngine&) = delete;
  TDitherEngine& operator=(const TDitherEngine&) = delete;

  virtual std::uint8_t DitherPixel(int red, int green, int blue, int& outRed, int& outGreen, int& outBlue) {
    return Step(lookup_, red, green, blue, outRed, outGreen, outBlue);
  }
  virtual void EndLine() { TurnAround(); }

  template <class Lookup>
  std::uint8_t Step(Lookup& lookup, int red, int green, int blue, int& outRed, int& outGreen, int& outBlue) {
    const std::uint8_t index = lookup.MatchColor(red, green, blue, outRed, outGreen, outBlue);
    column_ += direction_;
    return index;
  }

  int Direction() const { return direction_; }
  int Column() const { return column_; }
  int Width() const { return width_; }

 protected:
  void TurnAround() {
    direction_ = -direction_;
    column_ = direction_ == 1 ? 0 : width_ - 1;
  }

  TColorLookup& lookup_;
  int direction_ = 1;
  int column_ = 0;
  int width_;
};

// Floyd-Steinberg error diffusion with one row of pending error per channel.
// Element k of a row holds the error waiting for column k - 1 of the next row; the
// two spare elements take the error that falls outside the picture.
class TFloydSteinbergEngine final : public TDitherEngine {
 public:
  TFloydSteinbergEngine(int width, TColorLookup& lookup);

  std::uint8_t DitherPixel(int red, int green, int blue, int& outRed, int& outGreen, int& outBlue) override {
    return Step(lookup_, red, green, blue, outRed, outGreen, outBlue);
  }
  void EndLine() override;

  template <class Lookup>
  std::uint8_t Step(Lookup& lookup, int red, int green, int blue, int& outRed, int& outGreen, int& outBlue) {
    const int d = direction_;
    const int r = Adjust(red_, red, d), g = Adjust(green_, green, d), b = Adjust(blue_, blue, d);
    const std::uint8_t index = TDitherEngine::Step(lookup, r, g, b, outRed, outGreen, outBlue);
    Spread(red_, r - outRed, d);
    Spread(green_, g - outGreen, d);
    Spread(blue_, b - outBlue, d);
    return index;
  }

  // The pending error row of one channel (0 red, 1 green, 2 blue), for inspection.
  const std::vector<int>& ErrorRow(int channel) const;

 private:
  struct Channel {
    std::vector<int> errors;
    int cursor = 0;
    int carry = 0;
    int below = 0;
    int belowPrevious = 0;
  };

  // C++ integer division truncates toward zero, as the error formula wants; the
  // result is clamped before the lookup so that the error is measured from what
  // was actually looked up.
  static int Adjust(const Channel& c, int input, int d) {
    const int v = input + (c.errors[c.cursor + d] + c.carry + 8) / 16;
    return v < 0 ? 0 : (v > 255 ? 255 : v);
  }
  static void Spread(Channel& c, int diff, int d) {
    c.errors[c.cursor] = c.belowPrevious + 3 * diff;
    c.belowPrevious = c.below + 5 * diff;
    c.below = diff;
    c.carry = 7 * diff;
    c.cursor += d;
  }
  void FinishChannel(Channel& c);

  Channel red_, green_, blue_;
};

}  // namespace tessaly
