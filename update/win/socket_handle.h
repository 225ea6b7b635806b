#pragma once
#include <winsock.h>

#include "framework/win/handles.h"
#include "framework/win/winsock_library.h"

namespace tessaly::win {

// A socket; its empty value is INVALID_SOCKET (0 is a valid socket).
struct SocketTraits {
  using Handle = SOCKET;
  static SOCKET Empty() { return INVALID_SOCKET; }
  static void Close(SOCKET s) { wsock32::closesocket(s); }
};
using UniqueSocket = UniqueHandle<SocketTraits>;

}  // namespace tessaly::win
