#pragma once
#include <windows.h>

#include "framework/win/handles.h"

namespace tessaly {

// The menus' glyph strip: four 15 x 16 cells on magenta (the transparent
// colour): 0 a yellow folder, 1 a lined note page, 2 empty, 3 a check mark.
class MenuGlyphs {
 public:
  enum Cell { kFolder = 0, kPage = 1, kEmpty = 2, kCheck = 3 };
  static constexpr int kCellWidth = 15;
  static constexpr int kHeight = 16;
  static constexpr COLORREF kTransparent = RGB(255, 0, 255);

  MenuGlyphs();
  HBITMAP Bitmap() const { return bitmap_.Get(); }

 private:
  win::UniqueBitmap bitmap_;
};

}  // namespace tessaly
