#pragma once
#include <windows.h>

#include <functional>

#include "framework/win/handles.h"
#include "framework/win/window.h"
#include "preview/win/system_palette.h"

namespace tessaly::win {

// A child window that shows a picture at its own size from its top-left corner,
// realizing the picture's palette (if it has one) while it paints.
class TImage : public Window {
 public:
  explicit TImage(HWND parent);

  void SetPicture(UniqueBitmap picture, UniquePalette palette);
  bool HasPicture() const { return static_cast<bool>(picture_); }
  void SetBounds(int left, int top, int width, int height);

  // After each paint.
  std::function<void()> OnPaint;
  // The pointer over the picture, and a click on it, at a pixel of it.
  std::function<void(int x, int y)> OnMouseMove;
  std::function<void(int x, int y)> OnClick;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Paint(HDC dc, const RECT& area);

  UniqueBitmap picture_;
  UniquePalette palette_;
};

}  // namespace tessaly::win
