#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>

#include "framework/menu_item.h"
#include "framework/win/form.h"
#include "framework/win/menu_binding.h"
#include "framework/win/status_bar.h"
#include "preview/win/capture_file.h"
#include "preview/win/image_control.h"
#include "preview/win/preview_views.h"
#include "preview/win/scroll_box.h"

namespace tessaly::win {

// The preview's window: the captured page in a white scroll box, at the
// picture's own size from its top-left corner, as the view chosen in the View
// menu shows it; the colour under the pointer (and its contrast with a
// clicked one) in the status bar below. The window keeps its size, whatever
// the picture's. Every view is made from the capture kept for the window's
// life: choosing one captures nothing again.
class TfrmImageViewer : public Form {
 public:
  TfrmImageViewer();

  // Copies the placement rectangle's screen area less its top caption rows,
  // writes it to the capture file beside the executable and reads it back as
  // the picture. Raises FileError when the file cannot be written or read; a
  // rectangle that makes no capture area, or a copy that cannot be made, leaves
  // the picture empty.
  void CaptureScreenArea(int left, int top, int right, int bottom);
  // Shows the picture reduced to the web-safe palette (choice 1) or the
  // optimized Windows palette (2) with Floyd-Steinberg dithering. A picture of
  // 8 bits per pixel or fewer stays as it is; a failed reduction shows the page
  // as captured.
  void ApplyPalette(int paletteChoice);

  // Once, when the picture has first been painted on the screen.
  std::function<void()> OnShown;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void FormShow() override;
  bool KeyPreview(const MSG& msg) override;

 private:
  void BuildMenu();
  // Shows the view, or the page as captured when the view cannot be made;
  // false then.
  bool ShowView(PreviewView view);
  void CheckView(PreviewView view);
  void PlaceControls(int width, int height);
  void PointerAt(int x, int y);
  void ClickAt(int x, int y);
  std::optional<PaletteEntry> ColorAt(int x, int y) const;
  void SaveAs();
  void CopyPicture();

  MenuItem MainMenu1;
  std::unique_ptr<MenuBinding> menuBinding_;
  std::unique_ptr<TScrollBox> ScrollBox1;
  std::unique_ptr<TImage> Image1;
  std::unique_ptr<StatusBar> StatusBar1;
  // The capture as read back, kept for the window's life.
  CaptureFile capture_;
  // What is shown now, as a picture in memory.
  ReducedFrame view_;
  std::optional<PaletteEntry> pointer_;
  std::optional<PaletteEntry> clicked_;
  bool shown_ = false;
};

}  // namespace tessaly::win
