#include "preview/dither_engine.h"

namespace tessaly {

TFloydSteinbergEngine::TFloydSteinbergEngine(int width, TColorLookup& lookup)
    : TDitherEngine(width, lookup), errors_(3 * (static_cast<std::size_t>(width) + 2), 0) {}

void TFloydSteinbergEngine::EndLine() {
  for (int c = 0; c < 3; ++c) {
    Channel& channel = channels_[c];
    errors_[3 * cursor_ + c] = channel.belowPrevious;
    channel.carry = channel.below = channel.belowPrevious = 0;
  }
  TurnAround();
  cursor_ = direction_ == 1 ? 0 : width_ + 1;
}

std::vector<int> TFloydSteinbergEngine::ErrorRow(int channel) const {
  std::vector<int> row(errors_.size() / 3);
  for (std::size_t k = 0; k < row.size(); ++k) row[k] = errors_[3 * k + channel];
  return row;
}

}  // namespace tessaly
