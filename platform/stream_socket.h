#pragma once
// TCP listening and receiving, and waiting on several sockets at once, with Windows Sockets
// meaning on every platform (the TSL listener of the automation service).
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/socket.h"

namespace kx::platform {

// A TCP socket bound to `local` and listening; kNoSocket when either fails.
SocketHandle OpenTcpListener(Endpoint local);
// The next waiting connection, or kNoSocket.
SocketHandle Accept(SocketHandle listener, Endpoint* from);
// Bytes received (at most cap); 0 when the peer has closed, -1 on an error.
int Recv(SocketHandle s, std::uint8_t* buf, std::size_t cap);

// Waits up to timeout_ms until one of the sockets is readable (or a listener has a connection
// waiting, or a peer has closed); `ready` gets one flag per socket. False on timeout.
bool WaitAnyReadable(std::span<const SocketHandle> sockets, std::uint32_t timeout_ms,
                     std::vector<bool>& ready);

// The address and port a socket is bound to (port 0 asked the system to choose one).
Endpoint LocalEndpoint(SocketHandle s);

} // namespace kx::platform
