#pragma once
// The COM and automation functions the Internet Explorer controller uses,
// loaded at their first call (see system_library.h).
#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include "framework/win/system_library.h"

namespace tessaly::win::ole32 {
TESSALY_SYSTEM_FUNCTION("ole32.dll", CoInitialize)
TESSALY_SYSTEM_FUNCTION("ole32.dll", CoUninitialize)
TESSALY_SYSTEM_FUNCTION("ole32.dll", CoCreateInstance)
}  // namespace tessaly::win::ole32

namespace tessaly::win::oleaut32 {
TESSALY_SYSTEM_FUNCTION("oleaut32.dll", SysAllocStringLen)
TESSALY_SYSTEM_FUNCTION("oleaut32.dll", SysFreeString)
TESSALY_SYSTEM_FUNCTION("oleaut32.dll", VariantInit)
TESSALY_SYSTEM_FUNCTION("oleaut32.dll", VariantClear)
}  // namespace tessaly::win::oleaut32
