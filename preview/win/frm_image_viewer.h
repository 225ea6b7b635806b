#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "framework/win/form.h"
#include "preview/win/capture_file.h"
#include "preview/win/image_control.h"
#include "preview/win/scroll_box.h"

namespace tessaly::win {

// The preview's window: the captured and reduced page in a white scroll box that
// fills the window, at the picture's own size from its top-left corner. The
// window keeps its size, whatever the picture's.
class TfrmImageViewer : public Form {
 public:
  TfrmImageViewer();

  // Copies the placement rectangle's screen area less its top caption rows,
  // writes it to the capture file beside the executable and reads it back as
  // the picture. Raises FileError when the file cannot be written or read; a
  // rectangle that makes no capture area, or a copy that cannot be made, leaves
  // the picture empty.
  void CaptureScreenArea(int left, int top, int right, int bottom);
  // Reduces the picture to the web-safe palette (choice 1) or the optimized
  // Windows palette (2) with Floyd-Steinberg dithering. A picture of 8 bits per
  // pixel or fewer stays as it is; a failed reduction leaves the capture shown.
  void ApplyPalette(int paletteChoice);

  // Once, when the picture has first been painted on the screen.
  std::function<void()> OnShown;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void FormShow() override;

 private:
  // The capture unreduced, when nothing else is there to show.
  void ShowCapture();

  std::unique_ptr<TScrollBox> ScrollBox1;
  std::unique_ptr<TImage> Image1;
  // The capture as read back, until the reduction has taken it.
  CaptureFile capture_;
  bool shown_ = false;
};

}  // namespace tessaly::win
