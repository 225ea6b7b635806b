// Tells which of the system's message box icons an icon control shows.
#pragma once

#include <windows.h>

#include <string>

namespace tdriver {

// "stop", "question", "warning", "information", "none" or "unknown". An icon handle of
// another process cannot be inspected, so the control's pixels on the screen are
// compared with the system icons drawn here.
std::string IconKindOf(HWND icon_control);

}  // namespace tdriver
