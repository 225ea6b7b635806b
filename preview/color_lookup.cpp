#include "preview/color_lookup.h"

#include <algorithm>
#include <cstdlib>

namespace tessaly {

TFastColorLookup::TFastColorLookup(const Palette& palette)
    : TColorLookup(static_cast<int>(palette.size() > 256 ? 256 : palette.size())),
      entries_(palette.begin(), palette.begin() + colorCount_),
      firstOfSum_(3 * 255 + 2) {
  for (int i = 0; i < colorCount_; ++i) {
    const PaletteEntry& c = entries_[i];
    bySum_.push_back({static_cast<std::int16_t>(c.red + c.green + c.blue), c.red, c.green, c.blue,
                      static_cast<std::int16_t>(i)});
  }
  std::stable_sort(bySum_.begin(), bySum_.end(), [](const BySum& a, const BySum& b) { return a.sum < b.sum; });
  for (int sum = 0, k = 0; sum < static_cast<int>(firstOfSum_.size()); ++sum) {
    while (k < colorCount_ && bySum_[k].sum < sum) ++k;
    firstOfSum_[sum] = static_cast<std::int16_t>(k);
  }
  Answer empty{0, 1, 0, 0};
  if (colorCount_ > 0) {
    empty = AnswerFor(0);
    empty.red ^= 1;
  }
  emptyWord_ = Word(empty);
  cells_.assign(32768, empty);
  for (int i = 0; i < colorCount_; ++i) {
    const PaletteEntry& c = entries_[i];
    Answer& cell = cells_[Key(c.red, c.green, c.blue)];
    if (Word(cell) == emptyWord_) cell = AnswerFor(i);
  }
}

#if defined(__GNUC__)
__attribute__((noinline))
#endif
const TFastColorLookup::Answer& TFastColorLookup::Fill(int key, int red, int green, int blue) {
  return cells_[key] = AnswerFor(Search(red, green, blue));
}

std::int16_t TFastColorLookup::Search(int red, int green, int blue) const {
  // The nearest entry, the lowest index among equally near ones, as a scan of all
  // entries keeping the best on a strictly smaller distance finds it. The sums of
  // the channels of two colours differ by no more than their distance, so an
  // entry whose sum is farther from the colour's than the best distance so far
  // cannot be nearer or as near: the entries are visited outward from the
  // colour's sum, the nearer sum first, until both sides are that far.
  const int sum = red + green + blue;
  int best = 196608, bestIndex = 0;
  auto visit = [&](const BySum& c) {
    const int distance = std::abs(c.red - red) + std::abs(c.green - green) + std::abs(c.blue - blue);
    if (distance < best || (distance == best && c.index < bestIndex)) {
      best = distance;
      bestIndex = c.index;
    }
  };
  int up = firstOfSum_[sum], down = up - 1;
  for (;;) {
    const int upGap = up < colorCount_ ? bySum_[up].sum - sum : 1024;
    const int downGap = down >= 0 ? sum - bySum_[down].sum : 1024;
    if (upGap <= downGap) {
      if (upGap > best) break;
      visit(bySum_[up++]);
    } else {
      if (downGap > best) break;
      visit(bySum_[down--]);
    }
  }
  return static_cast<std::int16_t>(bestIndex);
}

}  // namespace tessaly
