#pragma once
// The Windows Sockets 1.1 functions of the HTTP client's transport, loaded at
// their first call (see system_library.h).
#include <windows.h>
#include <winsock.h>

#include "framework/win/system_library.h"

namespace tessaly::win::wsock32 {
TESSALY_SYSTEM_FUNCTION("wsock32.dll", WSAStartup)
TESSALY_SYSTEM_FUNCTION("wsock32.dll", WSACleanup)
TESSALY_SYSTEM_FUNCTION("wsock32.dll", WSAGetLastError)
TESSALY_SYSTEM_FUNCTION("wsock32.dll", WSAAsyncGetHostByName)
TESSALY_SYSTEM_FUNCTION("wsock32.dll", WSACancelAsyncRequest)
TESSALY_SYSTEM_FUNCTION("wsock32.dll", WSAAsyncSelect)
TESSALY_SYSTEM_FUNCTION("wsock32.dll", socket)
TESSALY_SYSTEM_FUNCTION("wsock32.dll", setsockopt)
TESSALY_SYSTEM_FUNCTION("wsock32.dll", connect)
TESSALY_SYSTEM_FUNCTION("wsock32.dll", send)
TESSALY_SYSTEM_FUNCTION("wsock32.dll", recv)
TESSALY_SYSTEM_FUNCTION("wsock32.dll", closesocket)
TESSALY_SYSTEM_FUNCTION("wsock32.dll", htons)
TESSALY_SYSTEM_FUNCTION("wsock32.dll", inet_addr)
}  // namespace tessaly::win::wsock32
