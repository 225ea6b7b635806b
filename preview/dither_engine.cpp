#include "preview/dither_engine.h"

namespace tessaly {

TFloydSteinbergEngine::TFloydSteinbergEngine(int width, TColorLookup& lookup) : TDitherEngine(width, lookup) {
  for (Channel* c : {&red_, &green_, &blue_}) c->errors.assign(static_cast<std::size_t>(width) + 2, 0);
}

void TFloydSteinbergEngine::FinishChannel(Channel& c) {
  c.errors[c.cursor] = c.belowPrevious;
  c.carry = c.below = c.belowPrevious = 0;
}

void TFloydSteinbergEngine::EndLine() {
  FinishChannel(red_);
  FinishChannel(green_);
  FinishChannel(blue_);
  TurnAround();
  const int start = direction_ == 1 ? 0 : width_ + 1;
  red_.cursor = green_.cursor = blue_.cursor = start;
}

const std::vector<int>& TFloydSteinbergEngine::ErrorRow(int channel) const {
  return channel == 0 ? red_.errors : (channel == 1 ? green_.errors : blue_.errors);
}

}  // namespace tessaly
