#pragma once
#include <cstdint>
#include <vector>

#include "preview/color_lookup.h"

namespace tessaly {

// Walks the picture in serpentine order: the first row left to right, the next
// right to left, and so on. The base engine maps each pixel to its nearest entry.
//
// `Step` does the work of `DitherPixel` with the lookup reached through its own
// type, and `DitherRow` walks the rest of a 24-bit row the same way; the reduction
// calls them with the concrete lookup so that no virtual call is made per pixel,
// while `DitherPixel` goes through the lookup's interface.
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

  // From the current column in the current direction to the edge of the row.
  template <class Lookup>
  void DitherRow(Lookup& lookup, const std::uint8_t* in, std::uint8_t* out) {
    const int d = direction_;
    int x = column_;
    for (; x >= 0 && x < width_; x += d) {
      const std::uint8_t* p = in + 3 * x;
      int r, g, b;
      out[x] = lookup.MatchColor(p[2], p[1], p[0], r, g, b);
    }
    column_ = x;
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
// two spare elements take the error that falls outside the picture. The three
// channels' rows are stored interleaved, element k of channel c at 3 * k + c.
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
    int* const e = errors_.data() + 3 * cursor_;
    const int r = Clamp(red + (e[3 * d] + channels_[0].carry + 8) / 16);
    const int g = Clamp(green + (e[3 * d + 1] + channels_[1].carry + 8) / 16);
    const int b = Clamp(blue + (e[3 * d + 2] + channels_[2].carry + 8) / 16);
    const std::uint8_t index = TDitherEngine::Step(lookup, r, g, b, outRed, outGreen, outBlue);
    Spread(channels_[0], e[0], r - outRed);
    Spread(channels_[1], e[1], g - outGreen);
    Spread(channels_[2], e[2], b - outBlue);
    cursor_ += d;
    return index;
  }

  // Walks the rest of the row, taking each pixel's colour from the lookup.
  template <class Lookup>
  void DitherRow(Lookup& lookup, const std::uint8_t* in, std::uint8_t* out) {
    WalkRow(in, out, [&lookup](int r, int g, int b, int& dr, int& dg, int& db) {
      r = Clamp(r);
      g = Clamp(g);
      b = Clamp(b);
      int outR, outG, outB;
      const std::uint8_t index = lookup.MatchColor(r, g, b, outR, outG, outB);
      dr = r - outR;
      dg = g - outG;
      db = b - outB;
      return index;
    });
  }

  // The same walk for the web palette, whose channels are independent: clamping,
  // lookup and error come from one table per channel, indexed by the value before
  // clamping, which takes the clamp and a subtraction out of the chain from pixel
  // to pixel.
  void DitherRow(TNetscapeColorLookup& lookup, const std::uint8_t* in, std::uint8_t* out) {
    WalkRow(in, out, [&lookup](int r, int g, int b, int& dr, int& dg, int& db) {
      dr = lookup.ErrorOfUnclamped(r);
      dg = lookup.ErrorOfUnclamped(g);
      db = lookup.ErrorOfUnclamped(b);
      return static_cast<std::uint8_t>(36 * lookup.LevelOfUnclamped(r) + 6 * lookup.LevelOfUnclamped(g) +
                                       lookup.LevelOfUnclamped(b));
    });
  }

  // The pending error row of one channel (0 red, 1 green, 2 blue), width + 2 long.
  std::vector<int> ErrorRow(int channel) const;

 private:
  // Steps over the rest of the row with the engine's state in locals: through
  // the members, every store to the output row could alias them and force
  // reloads. quantize(r, g, b, dr, dg, db) takes the colour with its error added
  // but not yet clamped, returns the palette index and sets the new error.
  template <class Quantize>
  void WalkRow(const std::uint8_t* in, std::uint8_t* out, Quantize quantize) {
    const int d = direction_;
    const int step = 3 * d;
    int* e = errors_.data() + 3 * cursor_;
    int lastR = channels_[0].below, lastG = channels_[1].below, lastB = channels_[2].below;
    int pendR = channels_[0].belowPrevious, pendG = channels_[1].belowPrevious, pendB = channels_[2].belowPrevious;
    int carryR = channels_[0].carry, carryG = channels_[1].carry, carryB = channels_[2].carry;
    int x = column_;
    const std::uint8_t* p = in + 3 * x;
    for (; x >= 0 && x < width_; x += d, p += step, e += step) {
      int dr, dg, db;
      out[x] = quantize(p[2] + (e[step] + carryR + 8) / 16, p[1] + (e[step + 1] + carryG + 8) / 16,
                        p[0] + (e[step + 2] + carryB + 8) / 16, dr, dg, db);
      e[0] = pendR + 3 * dr;
      e[1] = pendG + 3 * dg;
      e[2] = pendB + 3 * db;
      pendR = lastR + 5 * dr;
      pendG = lastG + 5 * dg;
      pendB = lastB + 5 * db;
      lastR = dr;
      lastG = dg;
      lastB = db;
      carryR = 7 * dr;
      carryG = 7 * dg;
      carryB = 7 * db;
    }
    column_ = x;
    cursor_ = static_cast<int>(e - errors_.data()) / 3;
    const int last[3] = {lastR, lastG, lastB};
    const int carry[3] = {carryR, carryG, carryB};
    const int pend[3] = {pendR, pendG, pendB};
    for (int c = 0; c < 3; ++c) {
      channels_[c].below = last[c];
      channels_[c].carry = carry[c];
      channels_[c].belowPrevious = pend[c];
    }
  }

  struct Channel {
    int carry = 0;          // for the next pixel in the row
    int below = 0;          // for the pixel below the current one
    int belowPrevious = 0;  // for the pixel below the previous one
  };

  // C++ integer division truncates toward zero, as the error formula wants; the
  // value is clamped before the lookup so that the error is measured from what was
  // actually looked up.
  static int Clamp(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }
  static void Spread(Channel& c, int& element, int diff) {
    element = c.belowPrevious + 3 * diff;
    c.belowPrevious = c.below + 5 * diff;
    c.below = diff;
    c.carry = 7 * diff;
  }

  std::vector<int> errors_;
  int cursor_ = 0;
  Channel channels_[3];
};

}  // namespace tessaly
