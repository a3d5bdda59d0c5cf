#include "platform/socket.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace kx::platform {
namespace {

int g_failures_to_inject = 0;

sockaddr_in ToSockaddr(Endpoint e) {
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(e.port);
    sa.sin_addr.s_addr = htonl(e.ip);
    return sa;
}

} // namespace

bool SocketStartup() {
#ifdef _WIN32
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
#else
    return true;
#endif
}

void SocketCleanup() {
#ifdef _WIN32
    WSACleanup();
#endif
}

int UdpProtocol() {
    return IPPROTO_UDP;
}

SocketHandle OpenUdpSocket(int protocol) {
    if (g_failures_to_inject > 0) {
        --g_failures_to_inject;
        return kNoSocket;
    }
    SocketHandle s = socket(AF_INET, SOCK_DGRAM, protocol);
#ifdef _WIN32
    if (s == INVALID_SOCKET)
        return kNoSocket;
#else
    if (s < 0)
        return kNoSocket;
    int on = 1;
    setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
#endif
    return s;
}

void EnableBroadcast(SocketHandle s) {
    int on = 1;
    setsockopt(s, SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&on), sizeof on);
}

bool Bind(SocketHandle s, Endpoint local) {
    sockaddr_in sa = ToSockaddr(local);
    return bind(s, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) == 0;
}

bool Connect(SocketHandle s, Endpoint peer) {
    sockaddr_in sa = ToSockaddr(peer);
    return connect(s, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) == 0;
}

std::optional<Endpoint> LocalEndpoint(SocketHandle s) {
    sockaddr_in sa{};
    socklen_t sa_len = sizeof sa;
    if (getsockname(s, reinterpret_cast<sockaddr*>(&sa), &sa_len) != 0)
        return std::nullopt;
    return Endpoint{ntohl(sa.sin_addr.s_addr), ntohs(sa.sin_port)};
}

// Connecting a datagram socket sends nothing; it only makes the system pick the route and with
// it the local address.
std::optional<std::uint32_t> SourceAddressToward(Endpoint to) {
    const SocketHandle s = OpenUdpSocket(0);
    if (s == kNoSocket)
        return std::nullopt;
    const auto local = Connect(s, to) ? LocalEndpoint(s) : std::nullopt;
    CloseSocket(s);
    if (!local)
        return std::nullopt;
    return local->ip;
}

void SetReceiveBuffer(SocketHandle s, int bytes) {
    setsockopt(s, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&bytes), sizeof bytes);
}

void SetNonBlocking(SocketHandle s) {
#ifdef _WIN32
    u_long on = 1;
    ioctlsocket(s, FIONBIO, &on);
#else
    fcntl(s, F_SETFL, fcntl(s, F_GETFL) | O_NONBLOCK);
#endif
}

int SendTo(SocketHandle s, const std::uint8_t* data, std::size_t len, Endpoint to) {
    sockaddr_in sa = ToSockaddr(to);
    return static_cast<int>(sendto(s, reinterpret_cast<const char*>(data), static_cast<int>(len), 0,
                                   reinterpret_cast<const sockaddr*>(&sa), sizeof sa));
}

int RecvFrom(SocketHandle s, std::uint8_t* buf, std::size_t cap, Endpoint* from) {
    sockaddr_in sa{};
    socklen_t sa_len = sizeof sa;
#ifdef _WIN32
    int n = recvfrom(s, reinterpret_cast<char*>(buf), static_cast<int>(cap), 0,
                     reinterpret_cast<sockaddr*>(&sa), &sa_len);
    if (n == SOCKET_ERROR)
        return -1;
#else
    // MSG_TRUNC makes the kernel report the datagram's real length, so an oversized one
    // can be told apart from one that exactly fills the buffer.
    ssize_t n = recvfrom(s, buf, cap, MSG_TRUNC, reinterpret_cast<sockaddr*>(&sa), &sa_len);
    if (n < 0 || static_cast<std::size_t>(n) > cap)
        return -1;
#endif
    if (from != nullptr) {
        from->ip = ntohl(sa.sin_addr.s_addr);
        from->port = ntohs(sa.sin_port);
    }
    return static_cast<int>(n);
}

bool WaitReadable(SocketHandle s, std::uint32_t timeout_ms) {
#ifdef _WIN32
    WSAPOLLFD p{s, POLLRDNORM, 0};
    return WSAPoll(&p, 1, static_cast<INT>(timeout_ms)) > 0;
#else
    pollfd p{s, POLLIN, 0};
    return poll(&p, 1, static_cast<int>(timeout_ms)) > 0;
#endif
}

void CloseSocket(SocketHandle s) {
#ifdef _WIN32
    closesocket(s);
#else
    close(s);
#endif
}

std::uint32_t InetAddr(const char* text) {
    in_addr a{};
    if (inet_pton(AF_INET, text, &a) != 1)
        return 0xFFFFFFFFu;
    return ntohl(a.s_addr);
}

std::string InetNtoa(std::uint32_t ip) {
    return std::to_string(ip >> 24) + '.' + std::to_string((ip >> 16) & 0xFF) + '.' +
           std::to_string((ip >> 8) & 0xFF) + '.' + std::to_string(ip & 0xFF);
}

void FailNextSocketsForTesting(int count) {
    g_failures_to_inject = count;
}

} // namespace kx::platform
