#include "platform/stream_socket.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace kx::platform {
namespace {

constexpr int kBacklog = 8;

bool IsValid(SocketHandle s) {
#ifdef _WIN32
    return s != static_cast<SocketHandle>(INVALID_SOCKET);
#else
    return s >= 0;
#endif
}

} // namespace

SocketHandle OpenTcpListener(Endpoint local) {
    const SocketHandle s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (!IsValid(s))
        return kNoSocket;
#ifndef _WIN32
    // A restarted service must not wait for the old connections' TIME_WAIT to end.
    int on = 1;
    setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
#endif
    if (!Bind(s, local) || listen(s, kBacklog) != 0) {
        CloseSocket(s);
        return kNoSocket;
    }
    return s;
}

SocketHandle Accept(SocketHandle listener, Endpoint* from) {
    sockaddr_in sa{};
    socklen_t len = sizeof sa;
    const SocketHandle s = accept(listener, reinterpret_cast<sockaddr*>(&sa), &len);
    if (!IsValid(s))
        return kNoSocket;
    if (from != nullptr) {
        from->ip = ntohl(sa.sin_addr.s_addr);
        from->port = ntohs(sa.sin_port);
    }
    return s;
}

int Recv(SocketHandle s, std::uint8_t* buf, std::size_t cap) {
    const auto n = recv(s, reinterpret_cast<char*>(buf), static_cast<int>(cap), 0);
    return n < 0 ? -1 : static_cast<int>(n);
}

} // namespace kx::platform
