#include "preview/color_lookup.h"

#include <algorithm>
#include <cstdlib>

namespace tessaly {

TFastColorLookup::TFastColorLookup(const Palette& palette)
    : TColorLookup(static_cast<int>(palette.size() > 256 ? 256 : palette.size())),
      entries_(palette.begin(), palette.begin() + colorCount_),
      reds_(entries_.size()),
      greens_(entries_.size()),
      blues_(entries_.size()) {
  for (int i = 0; i < colorCount_; ++i) {
    reds_[i] = entries_[i].red;
    greens_[i] = entries_[i].green;
    blues_[i] = entries_[i].blue;
  }
  if (colorCount_ > 0) empty_ = Pack(0) ^ 0x100u;
  cells_.assign(32768, empty_);
  for (int i = 0; i < colorCount_; ++i) {
    const PaletteEntry& c = entries_[i];
    std::uint32_t& cell = cells_[Key(c.red, c.green, c.blue)];
    if (cell == empty_) cell = Pack(i);
  }
}

std::int16_t TFastColorLookup::Search(int red, int green, int blue) const {
  // All distances first, then their minimum, then the first entry at that minimum:
  // the lowest index among the nearest, as a scan keeping the best on a strictly
  // smaller distance (from 196608, more than any distance) finds it.
  std::int16_t distance[256];
  for (int i = 0; i < colorCount_; ++i) {
    distance[i] = static_cast<std::int16_t>(std::abs(reds_[i] - red) + std::abs(greens_[i] - green) +
                                            std::abs(blues_[i] - blue));
  }
  int nearest = 196608;
  for (int i = 0; i < colorCount_; ++i) nearest = std::min<int>(nearest, distance[i]);
  int best = 0;
  while (distance[best] != nearest) ++best;
  return static_cast<std::int16_t>(best);
}

}  // namespace tessaly
