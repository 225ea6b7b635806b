#include "preview/color_lookup.h"

#include <cstdlib>

namespace tessaly {

TFastColorLookup::TFastColorLookup(const Palette& palette)
    : TColorLookup(static_cast<int>(palette.size() > 256 ? 256 : palette.size())),
      entries_(palette.begin(), palette.begin() + colorCount_),
      cache_(32768, -1) {
  for (int i = 0; i < colorCount_; ++i) {
    const PaletteEntry& c = entries_[i];
    std::int16_t& cell = cache_[Key(c.red, c.green, c.blue)];
    if (cell < 0) cell = static_cast<std::int16_t>(i);
  }
}

std::int16_t TFastColorLookup::Search(int red, int green, int blue) const {
  int best = 0;
  int bestDistance = 196608;
  for (int i = 0; i < colorCount_; ++i) {
    const PaletteEntry& c = entries_[i];
    const int distance = std::abs(c.red - red) + std::abs(c.green - green) + std::abs(c.blue - blue);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  return static_cast<std::int16_t>(best);
}

}  // namespace tessaly
