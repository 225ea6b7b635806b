#include "tests/wine/driver/screen_capture.h"

namespace tdriver {

bool Canvas::CopyScreen(int x, int y) {
  ScreenDc screen;
  if (!ok() || !screen.get()) return false;
  bool copied = BitBlt(dc_, 0, 0, width_, height_, screen.get(), x, y, SRCCOPY) != FALSE;
  GdiFlush();
  return copied;
}

}  // namespace tdriver
