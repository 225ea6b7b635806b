#pragma once
#include <memory>

#include "controllers/controller.h"
#include "framework/menu_item.h"

namespace tessaly {

// Palette choices of the colour preview: what the "Page Color Depth" list and
// the tray's "Check Color" items ask for.
enum PaletteChoice { kPaletteWebSafe = 1, kPaletteWindows256 = 2 };

struct ColorPreviewRequest {
  int targetKind = 0;
  int paletteChoice = kPaletteWebSafe;
};

// A "Check Color" item of a tray browser sub-menu: the target kind from the
// caption of the item that holds "Check Color", the Windows palette when the
// item's own caption says "MS", else the web-safe one.
ColorPreviewRequest TrayColorRequest(const MenuItem& item);

// The viewer window of one preview, shown modally at the end; destroying it
// ends the preview.
class PreviewViewer {
 public:
  virtual ~PreviewViewer() = default;
  // Copies the screen area of the placement rectangle, less its caption rows,
  // and writes it to the capture file. Raises when the file cannot be written
  // or read back; a failed copy is not reported.
  virtual void CaptureScreenArea(int left, int top, int right, int bottom) = 0;
  // Reduces the capture to the chosen palette; a failure leaves the capture as it is.
  virtual void ApplyPalette(int paletteChoice) = 0;
  virtual void ShowModal() = 0;
};

// What a preview needs from the program around it.
class PreviewHost {
 public:
  virtual ~PreviewHost() = default;
  virtual std::unique_ptr<PreviewViewer> CreateViewer() = 0;
  // The hourglass while the capture runs; RestoreCursor brings back the cursor
  // that was there before, and may be called more than once.
  virtual void ShowBusyCursor() = 0;
  virtual void RestoreCursor() = 0;
};

// Asks the controller where its target lies, captures that area, reduces it and
// shows it. A controller without a target, or a placement that makes no
// capture area, shows nothing and says nothing. Placement items that are not
// integers raise the conversion error; the cursor is restored and the viewer
// destroyed on every path.
void ShowColorPreview(Controller& controller, int paletteChoice, PreviewHost& host);

}  // namespace tessaly
