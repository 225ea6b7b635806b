#pragma once
#include <windows.h>

namespace tessaly::win {

// The program's icon, drawn at run time: a browser window with a sizing arrow.
HICON CreateProgramIcon();

}  // namespace tessaly::win
