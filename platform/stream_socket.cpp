#include "platform/stream_socket.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace kx::platform {
namespace {

#ifdef _WIN32
using PollEntry = WSAPOLLFD;
constexpr short kReadable = POLLRDNORM;
int PollAll(PollEntry* entries, std::size_t n, std::uint32_t timeout_ms) {
    return WSAPoll(entries, static_cast<ULONG>(n), static_cast<INT>(timeout_ms));
}
#else
using PollEntry = pollfd;
constexpr short kReadable = POLLIN;
int PollAll(PollEntry* entries, std::size_t n, std::uint32_t timeout_ms) {
    return poll(entries, static_cast<nfds_t>(n), static_cast<int>(timeout_ms));
}
#endif

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

bool WaitAnyReadable(std::span<const SocketHandle> sockets, std::uint32_t timeout_ms,
                     std::vector<bool>& ready) {
    std::vector<PollEntry> entries(sockets.size());
    for (std::size_t i = 0; i < sockets.size(); ++i) {
        entries[i].fd = sockets[i];
        entries[i].events = kReadable;
    }
    const int n = PollAll(entries.data(), entries.size(), timeout_ms);
    ready.assign(sockets.size(), false);
    for (std::size_t i = 0; i < sockets.size() && n > 0; ++i)
        ready[i] = entries[i].revents != 0;
    return n > 0;
}

Endpoint LocalEndpoint(SocketHandle s) {
    sockaddr_in sa{};
    socklen_t len = sizeof sa;
    if (getsockname(s, reinterpret_cast<sockaddr*>(&sa), &len) != 0)
        return {};
    return {ntohl(sa.sin_addr.s_addr), ntohs(sa.sin_port)};
}

} // namespace kx::platform
