#pragma once
#include "preview/win/capture_file.h"
#include "preview/win/reduce_bitmap.h"

namespace tessaly::win {

// What the viewer can show of one capture: the page as it is, reduced to one
// of the two palettes, or as a kind of colour vision sees it.
enum class PreviewView { Page, WebSafe, Windows256, Protanopia, Deuteranopia, Tritanopia, Achromatopsia };

// The view the preview opens with for a palette choice: the optimized Windows
// palette for 2, else the web-safe one.
PreviewView ViewOfPaletteChoice(int paletteChoice);

// Makes the view from the capture, which stays as it is: the picture and the
// colours of the logical palette to show it with (none for a picture of more
// than 8 bits per pixel). The palettes reduce with Floyd-Steinberg dithering,
// and leave a picture of 8 bits per pixel or fewer as it is. Throws DibError,
// std::bad_alloc or std::invalid_argument when the view cannot be made.
ReducedFrame MakeView(const CaptureFile& capture, PreviewView view);

}  // namespace tessaly::win
