#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "preview/color_lookup.h"

namespace tessaly {

// Every value that error diffusion can make of a channel, clamped to 0..255: the
// entry at v + kSlack for v in -kSlack..255 + kSlack (the diffused error moves a
// channel by at most 255 either way); and beside it the clamped value's share of
// the fast lookup's cell key through red, green or blue, so that the key follows
// from the unclamped values in one step.
struct ClampTable {
  static constexpr int kSlack = 256;
  static constexpr int kSize = 256 + 2 * kSlack;
  std::uint8_t value[kSize];
  std::uint16_t keyShare[3][kSize];
  constexpr ClampTable() : value(), keyShare() {
    for (int i = 0; i < kSize; ++i) {
      const int v = i - kSlack;
      const int clamped = v < 0 ? 0 : (v > 255 ? 255 : v);
      value[i] = static_cast<std::uint8_t>(clamped);
      keyShare[0][i] = static_cast<std::uint16_t>(TFastColorLookup::Key(clamped, 0, 0));
      keyShare[1][i] = static_cast<std::uint16_t>(TFastColorLookup::Key(0, clamped, 0));
      keyShare[2][i] = static_cast<std::uint16_t>(TFastColorLookup::Key(0, 0, clamped));
    }
  }
};
inline constexpr ClampTable kClampTable{};

// Walks the picture in serpentine order: the first row left to right, the next
// right to left, and so on. The base engine maps each pixel to its nearest entry.
//
// `Step` does the work of `DitherPixel` with the lookup reached through its own
// type, and `DitherRow` walks the rest of a row of pixels the same way; the reduction
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

  // From the current column in the current direction to the edge of the row, whose
  // pixels are kBytes apart (blue, green, red first).
  template <int kBytes = 3, class Lookup>
  void DitherRow(Lookup& lookup, const std::uint8_t* in, std::uint8_t* out) {
    const int d = direction_;
    int x = column_;
    for (; x >= 0 && x < width_; x += d) {
      const std::uint8_t* p = in + kBytes * x;
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
    const int r = Clamp(red + (e[3 * d] + channels_[0].Carry() + 8) / 16);
    const int g = Clamp(green + (e[3 * d + 1] + channels_[1].Carry() + 8) / 16);
    const int b = Clamp(blue + (e[3 * d + 2] + channels_[2].Carry() + 8) / 16);
    const std::uint8_t index = TDitherEngine::Step(lookup, r, g, b, outRed, outGreen, outBlue);
    Spread(channels_[0], e[0], r - outRed);
    Spread(channels_[1], e[1], g - outGreen);
    Spread(channels_[2], e[2], b - outBlue);
    cursor_ += d;
    return index;
  }

  // Walks the rest of the row, taking each pixel's colour from the lookup.
  template <int kBytes = 3, class Lookup>
  void DitherRow(Lookup& lookup, const std::uint8_t* in, std::uint8_t* out) {
    WalkRow<kBytes>(
        in, out,
        [&lookup](Index r, Index g, Index b, Index& dr, Index& dg, Index& db) {
          r = Clamp(r);
          g = Clamp(g);
          b = Clamp(b);
          int outR, outG, outB;
          const std::uint8_t index = lookup.MatchColor(static_cast<int>(r), static_cast<int>(g), static_cast<int>(b),
                                                       outR, outG, outB);
          dr = r - outR;
          dg = g - outG;
          db = b - outB;
          return index;
        },
        [](Index error, int weight) { return weight * error; });
  }

  // The walk for the fast lookup: runs to the end of the row, stopping at each
  // pixel whose cell is still empty to have the cell decided and at each run of
  // one colour (FinishRun), then walking on. The loop itself calls nothing, so
  // that its state can stay in registers.
  template <int kBytes = 3>
  void DitherRow(TFastColorLookup& lookup, const std::uint8_t* in, std::uint8_t* out) {
    int key, r, g, b;
    for (;;) {
      const Stop stop = direction_ > 0
                            ? WalkToEmptyCell<kBytes, 1>(lookup.Cells(), lookup.EmptyWord(), in, out, key, r, g, b)
                            : WalkToEmptyCell<kBytes, -1>(lookup.Cells(), lookup.EmptyWord(), in, out, key, r, g, b);
      if (stop == Stop::RowDone) return;
      if (stop == Stop::EmptyCell) {
        lookup.Fill(key, r, g, b);
      } else {
        FinishRun<kBytes>(in, out);
      }
    }
  }

  // The same walk for the web palette, whose channels are independent: a
  // channel's share of the index and its error, times each weight, come from
  // tables indexed by the value before clamping, which takes the clamp, the
  // subtraction and the multiplications out of the chain from pixel to pixel.
  template <int kBytes = 3>
  void DitherRow(TNetscapeColorLookup& lookup, const std::uint8_t* in, std::uint8_t* out) {
    for (const Channel& c : channels_) {
      // Errors left by another lookup, through DitherPixel: the plain walk.
      if (c.below < -3 || c.below > 47) return DitherRow<kBytes, TColorLookup>(lookup, in, out);
    }
    while ((direction_ > 0 ? WalkWebRow<kBytes, 1>(lookup, in, out) : WalkWebRow<kBytes, -1>(lookup, in, out)) !=
           Stop::RowDone) {
      FinishRun<kBytes>(in, out);
    }
  }

  // The pending error row of one channel (0 red, 1 green, 2 blue), width + 2 long.
  std::vector<int> ErrorRow(int channel) const;

 private:
  // Why a walk stopped: at the end of the row; before a pixel whose cell is
  // empty (its adjusted colour and key given back); or after a pixel that left
  // the error it took and is followed by a pixel of its colour (see FinishRun).
  enum class Stop { RowDone, EmptyCell, Run };

  // The fast lookup's walk from the current column. Compiled apart for each
  // pixel size and direction (in dither_engine.cpp), so that the loop's state
  // fits in registers.
  template <int kBytes, int kDirection>
  Stop WalkToEmptyCell(const TFastColorLookup::Answer* cells, std::uint32_t empty, const std::uint8_t* in,
                       std::uint8_t* out, int& emptyKey, int& emptyR, int& emptyG, int& emptyB);
  // The web palette's walk from the current column, likewise.
  template <int kBytes, int kDirection>
  Stop WalkWebRow(const TNetscapeColorLookup& lookup, const std::uint8_t* in, std::uint8_t* out);

  // After a walk stopped at a run: the pixel at the current column left the
  // error it took (each channel's error, in its below, equal to the one before
  // it) and is followed by a pixel of its colour. While the error waiting from
  // the row above is the same too, each following pixel of the colour is
  // computed from the same values to the same index and error. Flat areas of a
  // page settle into such runs, which need no arithmetic beyond the error
  // row's. The pixel is done but for the partial sum of the element ahead of
  // its own; the engine is left at the first pixel past the run, with that
  // pixel's partial sum in its element, as the walks leave it.
  template <int kBytes>
  void FinishRun(const std::uint8_t* in, std::uint8_t* out) {
    if (direction_ > 0) {
      FinishRun<kBytes, 1>(in, out);
    } else {
      FinishRun<kBytes, -1>(in, out);
    }
  }
  template <int kBytes, int kDirection>
  void FinishRun(const std::uint8_t* in, std::uint8_t* out);

  // Pointer-sized, so that values used as table indexes need no widening.
  using Index = std::ptrdiff_t;

  // Steps over the rest of the row with the engine's state in locals: through
  // the members, every store to the output row could alias them and force
  // reloads. quantize(r, g, b, er, eg, eb) takes the colour with its error added
  // but not yet clamped, returns the palette index and sets each channel's new
  // error, in whatever form times(error, weight) turns into weight times it.
  template <int kBytes, class Quantize, class Times>
  void WalkRow(const std::uint8_t* in, std::uint8_t* out, Quantize quantize, Times times) {
    const Index d = direction_;
    const Index step = 3 * d;
    int* e = errors_.data() + 3 * cursor_;
    Index lastR = channels_[0].below, lastG = channels_[1].below, lastB = channels_[2].below;
    Index pendR = channels_[0].belowPrevious, pendG = channels_[1].belowPrevious, pendB = channels_[2].belowPrevious;
    Index carryR = channels_[0].Carry(), carryG = channels_[1].Carry(), carryB = channels_[2].Carry();
    Index x = column_;
    const std::uint8_t* p = in + kBytes * x;
    for (; x >= 0 && x < width_; x += d, p += kBytes * d, e += step) {
      Index er, eg, eb;
      out[x] = quantize(p[2] + (e[step] + carryR + 8) / 16, p[1] + (e[step + 1] + carryG + 8) / 16,
                        p[0] + (e[step + 2] + carryB + 8) / 16, er, eg, eb);
      e[0] = static_cast<int>(pendR + times(er, 3));
      e[1] = static_cast<int>(pendG + times(eg, 3));
      e[2] = static_cast<int>(pendB + times(eb, 3));
      pendR = lastR + times(er, 5);
      pendG = lastG + times(eg, 5);
      pendB = lastB + times(eb, 5);
      lastR = times(er, 1);
      lastG = times(eg, 1);
      lastB = times(eb, 1);
      carryR = times(er, 7);
      carryG = times(eg, 7);
      carryB = times(eb, 7);
    }
    column_ = static_cast<int>(x);
    cursor_ = static_cast<int>(e - errors_.data()) / 3;
    const Index last[3] = {lastR, lastG, lastB};
    const Index pend[3] = {pendR, pendG, pendB};
    for (int c = 0; c < 3; ++c) {
      channels_[c].below = static_cast<int>(last[c]);
      channels_[c].belowPrevious = static_cast<int>(pend[c]);
    }
  }

  // The carry, the error for the next pixel in the row, is always 7 times what
  // waits for the pixel below the current one (both start at 0), so only the
  // latter is kept.
  struct Channel {
    int below = 0;          // for the pixel below the current one
    int belowPrevious = 0;  // for the pixel below the previous one
    int Carry() const { return 7 * below; }
  };

  // C++ integer division truncates toward zero, as the error formula wants; the
  // value is clamped before the lookup so that the error is measured from what was
  // actually looked up.
  template <class T>
  static T Clamp(T v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }
  static void Spread(Channel& c, int& element, int diff) {
    element = c.belowPrevious + 3 * diff;
    c.belowPrevious = c.below + 5 * diff;
    c.below = diff;
  }

  std::vector<int> errors_;
  int cursor_ = 0;
  Channel channels_[3];
};

}  // namespace tessaly
