#pragma once
#include <windows.h>

#include "controllers/page_area.h"

namespace tessaly::win {

// The window's outer rectangle, client area and visible child windows (the
// direct ones: a child's own children lie inside it), in screen pixels.
bool ReadWin32WindowLayout(HWND window, WindowLayout& layout);

}  // namespace tessaly::win
