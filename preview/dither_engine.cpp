#include "preview/dither_engine.h"

#include <cstring>

namespace tessaly {

TFloydSteinbergEngine::TFloydSteinbergEngine(int width, TColorLookup& lookup)
    : TDitherEngine(width, lookup), errors_(3 * (static_cast<std::size_t>(width) + 2), 0) {}

void TFloydSteinbergEngine::EndLine() {
  for (int c = 0; c < 3; ++c) {
    Channel& channel = channels_[c];
    errors_[3 * cursor_ + c] = channel.belowPrevious;
    channel.below = channel.belowPrevious = 0;
  }
  TurnAround();
  cursor_ = direction_ == 1 ? 0 : width_ + 1;
}

// The run's length is found first, reading only what lies ahead; then its
// pixels and errors are written: every element behind a pixel of the run holds
// the partial sum and the share that pixel adds (9 times the error), and the
// element behind the first pixel past the run holds the partial sum (6 times).
template <int kBytes, int kDirection>
void TFloydSteinbergEngine::FinishRun(const std::uint8_t* in, std::uint8_t* out) {
  constexpr int kStep = 3 * kDirection;
  const std::uint8_t* const p = in + kBytes * column_;
  int* const e = errors_.data() + 3 * cursor_;
  // Compared as a few wide words: the error waiting (three ints) and the colour
  // (its first two bytes and its third).
  std::uint64_t waitingRedGreen, redGreen;
  std::uint16_t blueGreen, pixelBlueGreen;
  std::memcpy(&waitingRedGreen, e + kStep, sizeof waitingRedGreen);
  const int waitingBlue = e[kStep + 2];
  std::memcpy(&blueGreen, p, sizeof blueGreen);
  const std::uint8_t red = p[2];
  const int left = kDirection > 0 ? width_ - 1 - column_ : column_;  // pixels after this one
  int length = 0;
  const std::uint8_t* q = p;
  const int* ahead = e;
  while (length < left) {
    q += kBytes * kDirection;
    ahead += kStep;
    std::memcpy(&redGreen, ahead + kStep, sizeof redGreen);
    std::memcpy(&pixelBlueGreen, q, sizeof pixelBlueGreen);
    if (redGreen != waitingRedGreen || ahead[kStep + 2] != waitingBlue || pixelBlueGreen != blueGreen || q[2] != red)
      break;
    ++length;
  }
  const std::uint8_t index = out[column_];
  if (length > 0) {
    std::memset(kDirection > 0 ? out + column_ + 1 : out + column_ - length, index, static_cast<std::size_t>(length));
  }
  const int full[3] = {9 * channels_[0].below, 9 * channels_[1].below, 9 * channels_[2].below};
  int* f = e + kStep;
  for (int k = 0; k < length; ++k, f += kStep) {
    f[0] = full[0];
    f[1] = full[1];
    f[2] = full[2];
  }
  for (int c = 0; c < 3; ++c) {
    f[c] = 6 * channels_[c].below;
    channels_[c].belowPrevious = f[c];
  }
  column_ += kDirection * (length + 1);
  cursor_ += kDirection * (length + 1);
}

// Few values live from pixel to pixel, so that they stay in registers: of each
// channel's state only the last pixel's error (e1, which is below; the carry is
// 7 times it) is kept; below-previous, the partial sum for the element behind
// the next pixel, waits in that element, which the pixel completes with 3 times
// its error. Arithmetic is pointer-sized, as the values index tables; clamping
// and the cell's key are table lookups, side by side, and the walk moves three
// pointers by constant steps.
template <int kBytes, int kDirection>
TFloydSteinbergEngine::Stop TFloydSteinbergEngine::WalkToEmptyCell(const TFastColorLookup::Answer* cells,
                                                                   std::uint32_t empty, const std::uint8_t* in,
                                                                   std::uint8_t* out, int& emptyKey, int& emptyR,
                                                                   int& emptyG, int& emptyB) {
  using Answer = TFastColorLookup::Answer;
  constexpr int kStep = 3 * kDirection;
  int* e = errors_.data() + 3 * cursor_;
  for (int c = 0; c < 3; ++c) e[c] = channels_[c].belowPrevious;
  Index r1 = channels_[0].below, g1 = channels_[1].below, b1 = channels_[2].below;
  const std::uint8_t* const clamp = kClampTable.value + ClampTable::kSlack;
  const std::uint16_t* const keyRed = kClampTable.keyShare[0] + ClampTable::kSlack;
  const std::uint16_t* const keyGreen = kClampTable.keyShare[1] + ClampTable::kSlack;
  const std::uint16_t* const keyBlue = kClampTable.keyShare[2] + ClampTable::kSlack;
  std::uint8_t* o = out + column_;
  std::uint8_t* const end = kDirection > 0 ? out + width_ : out - 1;
  const std::uint8_t* p = in + kBytes * column_;
  Stop stop = Stop::RowDone;
  while (o != end) {
    const Index vr = p[2] + (e[kStep] + 7 * r1 + 8) / 16;
    const Index vg = p[1] + (e[kStep + 1] + 7 * g1 + 8) / 16;
    const Index vb = p[0] + (e[kStep + 2] + 7 * b1 + 8) / 16;
    const Index key = keyRed[vr] | keyGreen[vg] | keyBlue[vb];
    const Index r = clamp[vr], g = clamp[vg], b = clamp[vb];
    const Answer& answer = cells[key];
    if (TFastColorLookup::Word(answer) == empty) {
      emptyKey = static_cast<int>(key);
      emptyR = static_cast<int>(r);
      emptyG = static_cast<int>(g);
      emptyB = static_cast<int>(b);
      stop = Stop::EmptyCell;
      break;
    }
    const std::uint8_t index = answer.index;
    const Index er = r - answer.red, eg = g - answer.green, eb = b - answer.blue;
    *o = index;
    e[0] += static_cast<int>(3 * er);
    e[1] += static_cast<int>(3 * eg);
    e[2] += static_cast<int>(3 * eb);
    const std::uint8_t* const next = p + kBytes * kDirection;
    if (o + kDirection != end && next[0] == p[0] && next[1] == p[1] && next[2] == p[2] && er == r1 && eg == g1 &&
        eb == b1) {
      r1 = er;
      g1 = eg;
      b1 = eb;
      stop = Stop::Run;
      break;
    }
    e[kStep] = static_cast<int>(r1 + 5 * er);
    e[kStep + 1] = static_cast<int>(g1 + 5 * eg);
    e[kStep + 2] = static_cast<int>(b1 + 5 * eb);
    o += kDirection;
    p += kBytes * kDirection;
    e += kStep;
    r1 = er;
    g1 = eg;
    b1 = eb;
  }
  column_ = static_cast<int>(o - out);
  cursor_ = static_cast<int>(e - errors_.data()) / 3;
  const Index e1[3] = {r1, g1, b1};
  for (int c = 0; c < 3; ++c) {
    channels_[c].below = static_cast<int>(e1[c]);
    channels_[c].belowPrevious = e[c];
  }
  return stop;
}

// Laid out as WalkToEmptyCell, with the web palette's tables. Of each channel
// only the last pixel's value before clamping is kept: its error and 7 times it
// (the carry) are read from the tables when needed.
template <int kBytes, int kDirection>
TFloydSteinbergEngine::Stop TFloydSteinbergEngine::WalkWebRow(const TNetscapeColorLookup& web, const std::uint8_t* in,
                                                              std::uint8_t* out) {
  constexpr int kStep = 3 * kDirection;
  int* e = errors_.data() + 3 * cursor_;
  for (int c = 0; c < 3; ++c) e[c] = channels_[c].belowPrevious;
  // A value whose error is the channel's below (every error of the web palette
  // is between -3 and 47).
  Index vr1 = web.ValueWithError(channels_[0].below), vg1 = web.ValueWithError(channels_[1].below),
        vb1 = web.ValueWithError(channels_[2].below);
  std::uint8_t* o = out + column_;
  std::uint8_t* const end = kDirection > 0 ? out + width_ : out - 1;
  const std::uint8_t* p = in + kBytes * column_;
  Stop stop = Stop::RowDone;
  while (o != end) {
    const Index vr = p[2] + (e[kStep] + web.Times(7, vr1) + 8) / 16;
    const Index vg = p[1] + (e[kStep + 1] + web.Times(7, vg1) + 8) / 16;
    const Index vb = p[0] + (e[kStep + 2] + web.Times(7, vb1) + 8) / 16;
    const std::uint8_t index = static_cast<std::uint8_t>(web.Share(0, vr) + web.Share(1, vg) + web.Share(2, vb));
    *o = index;
    e[0] += web.Times(3, vr);
    e[1] += web.Times(3, vg);
    e[2] += web.Times(3, vb);
    const std::uint8_t* const next = p + kBytes * kDirection;
    if (o + kDirection != end && next[0] == p[0] && next[1] == p[1] && next[2] == p[2] &&
        web.Times(1, vr) == web.Times(1, vr1) && web.Times(1, vg) == web.Times(1, vg1) &&
        web.Times(1, vb) == web.Times(1, vb1)) {
      vr1 = vr;
      vg1 = vg;
      vb1 = vb;
      stop = Stop::Run;
      break;
    }
    e[kStep] = web.Times(1, vr1) + web.Times(5, vr);
    e[kStep + 1] = web.Times(1, vg1) + web.Times(5, vg);
    e[kStep + 2] = web.Times(1, vb1) + web.Times(5, vb);
    o += kDirection;
    p += kBytes * kDirection;
    e += kStep;
    vr1 = vr;
    vg1 = vg;
    vb1 = vb;
  }
  column_ = static_cast<int>(o - out);
  cursor_ = static_cast<int>(e - errors_.data()) / 3;
  channels_[0].below = web.Times(1, vr1);
  channels_[1].below = web.Times(1, vg1);
  channels_[2].below = web.Times(1, vb1);
  for (int c = 0; c < 3; ++c) channels_[c].belowPrevious = e[c];
  return stop;
}

template TFloydSteinbergEngine::Stop TFloydSteinbergEngine::WalkWebRow<3, 1>(const TNetscapeColorLookup&,
                                                                                   const std::uint8_t*, std::uint8_t*);
template TFloydSteinbergEngine::Stop TFloydSteinbergEngine::WalkWebRow<3, -1>(const TNetscapeColorLookup&,
                                                                                   const std::uint8_t*, std::uint8_t*);
template TFloydSteinbergEngine::Stop TFloydSteinbergEngine::WalkWebRow<4, 1>(const TNetscapeColorLookup&,
                                                                                   const std::uint8_t*, std::uint8_t*);
template TFloydSteinbergEngine::Stop TFloydSteinbergEngine::WalkWebRow<4, -1>(const TNetscapeColorLookup&,
                                                                                   const std::uint8_t*, std::uint8_t*);

template TFloydSteinbergEngine::Stop TFloydSteinbergEngine::WalkToEmptyCell<3, 1>(
    const TFastColorLookup::Answer*, std::uint32_t, const std::uint8_t*, std::uint8_t*, int&, int&, int&, int&);
template TFloydSteinbergEngine::Stop TFloydSteinbergEngine::WalkToEmptyCell<3, -1>(
    const TFastColorLookup::Answer*, std::uint32_t, const std::uint8_t*, std::uint8_t*, int&, int&, int&, int&);
template TFloydSteinbergEngine::Stop TFloydSteinbergEngine::WalkToEmptyCell<4, 1>(
    const TFastColorLookup::Answer*, std::uint32_t, const std::uint8_t*, std::uint8_t*, int&, int&, int&, int&);
template TFloydSteinbergEngine::Stop TFloydSteinbergEngine::WalkToEmptyCell<4, -1>(
    const TFastColorLookup::Answer*, std::uint32_t, const std::uint8_t*, std::uint8_t*, int&, int&, int&, int&);

std::vector<int> TFloydSteinbergEngine::ErrorRow(int channel) const {
  std::vector<int> row(errors_.size() / 3);
  for (std::size_t k = 0; k < row.size(); ++k) row[k] = errors_[3 * k + channel];
  return row;
}

template void TFloydSteinbergEngine::FinishRun<3, 1>(const std::uint8_t*, std::uint8_t*);
template void TFloydSteinbergEngine::FinishRun<3, -1>(const std::uint8_t*, std::uint8_t*);
template void TFloydSteinbergEngine::FinishRun<4, 1>(const std::uint8_t*, std::uint8_t*);
template void TFloydSteinbergEngine::FinishRun<4, -1>(const std::uint8_t*, std::uint8_t*);

}  // namespace tessaly
