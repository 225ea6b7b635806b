#pragma once
// The common dialogs, loaded at their first call (see system_library.h).
#include <windows.h>
#include <commdlg.h>

#include "framework/win/system_library.h"

namespace tessaly::win::comdlg32 {
TESSALY_SYSTEM_FUNCTION("comdlg32.dll", GetOpenFileNameW)
TESSALY_SYSTEM_FUNCTION("comdlg32.dll", GetSaveFileNameW)
}  // namespace tessaly::win::comdlg32
