#pragma once
// TCP listening and receiving with Windows Sockets meaning on every platform (the TSL stream
// listener of the automation service). Waiting on them: platform/wait.h.
#include <cstddef>
#include <cstdint>

#include "platform/socket.h"

namespace kx::platform {

// A TCP socket bound to `local` and listening; kNoSocket when either fails.
SocketHandle OpenTcpListener(Endpoint local);
// The next waiting connection, or kNoSocket.
SocketHandle Accept(SocketHandle listener, Endpoint* from);
// Bytes received (at most cap); 0 when the peer has closed, -1 on an error.
int Recv(SocketHandle s, std::uint8_t* buf, std::size_t cap);

} // namespace kx::platform
