#include "preview/scroll_view.h"

namespace tessaly {

int ScrollTarget(const ScrollAxis& axis, ScrollAction action) {
  const int page = axis.view > 2 * kScrollLine ? axis.view - kScrollLine : (axis.view > 0 ? axis.view : 1);
  switch (action) {
    case ScrollAction::LineBack:
      return axis.Clamp(axis.position - kScrollLine);
    case ScrollAction::LineForward:
      return axis.Clamp(axis.position + kScrollLine);
    case ScrollAction::PageBack:
      return axis.Clamp(axis.position - page);
    case ScrollAction::PageForward:
      return axis.Clamp(axis.position + page);
    case ScrollAction::Start:
      return 0;
    case ScrollAction::End:
      return axis.MaxPosition();
  }
  return axis.Clamp(axis.position);
}

ScrollBarsNeeded NeededScrollBars(int contentWidth, int contentHeight, int boxWidth, int boxHeight,
                                  int verticalBarWidth, int horizontalBarHeight) {
  ScrollBarsNeeded bars;
  bars.horizontal = contentWidth > boxWidth;
  bars.vertical = contentHeight > boxHeight;
  // One bar can make the other needed, never the other way round; twice settles it.
  for (int i = 0; i < 2; ++i) {
    bars.horizontal = contentWidth > boxWidth - (bars.vertical ? verticalBarWidth : 0);
    bars.vertical = contentHeight > boxHeight - (bars.horizontal ? horizontalBarHeight : 0);
  }
  return bars;
}

int WheelScroll::Pixels(int rotation, int linesPerNotch, int page) {
  constexpr int kNotch = 120;
  const long long perNotch = linesPerNotch < 0 ? page : static_cast<long long>(linesPerNotch) * kScrollLine;
  // In units of 1/120 pixel, so that no part of a notch is lost to rounding.
  const long long total = remainder_ - static_cast<long long>(rotation) * perNotch;
  remainder_ = total % kNotch;
  return static_cast<int>(total / kNotch);
}

}  // namespace tessaly
