#pragma once
#include <windows.h>

#include "preview/bitmap.h"

namespace tessaly::win {

// Puts the picture on the clipboard as a device-independent bitmap (CF_DIB)
// of its own depth and colour table, owned by window; false when the
// clipboard could not be had or the memory not allocated.
bool CopyPictureToClipboard(HWND window, const Bitmap& picture);

}  // namespace tessaly::win
