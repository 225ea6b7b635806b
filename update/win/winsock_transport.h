#pragma once
#include <memory>

#include "update/socket_transport.h"

namespace tessaly::win {

// The HTTP client's connection over Windows Sockets 1.1: asynchronous host
// lookup and socket notifications go to a hidden message-only window, and a
// turn waits at most 2 ms for them before running the message loop (the
// application's when there is one). Raises when Windows Sockets cannot start.
std::unique_ptr<SocketTransport> CreateWinsockTransport();

}  // namespace tessaly::win
