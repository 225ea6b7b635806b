#pragma once
#include <windows.h>

#include <string>

namespace tessaly::win {

// The system's text for an error code (GetLastError's), without its closing
// line break and full stop; empty when the system has none.
std::string SystemErrorText(DWORD code);

}  // namespace tessaly::win
