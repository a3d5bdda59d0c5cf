#pragma once
// The socket calls the link needs, with Windows Sockets meaning on every platform.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace kx::platform {

#ifdef _WIN32
using SocketHandle = std::intptr_t;
#else
using SocketHandle = int;
#endif
inline constexpr SocketHandle kNoSocket = -1;

// IPv4 endpoint in host byte order (the link compares and prints it; the wire order is
// applied only inside the socket calls).
struct Endpoint {
    std::uint32_t ip = 0;
    std::uint16_t port = 0;
    bool operator==(const Endpoint&) const = default;
};

inline constexpr std::uint32_t kBroadcastIp = 0xFFFFFFFFu;
inline constexpr std::uint32_t kAnyIp = 0;

bool SocketStartup();
void SocketCleanup();

// AF_INET / SOCK_DGRAM with the given protocol (0 or IPPROTO_UDP). On POSIX SO_REUSEADDR is
// set, so a wildcard bind of port 7000 coexists with a device bound to a specific address.
SocketHandle OpenUdpSocket(int protocol);
int UdpProtocol();
void EnableBroadcast(SocketHandle s);
bool Bind(SocketHandle s, Endpoint local);
// Fixes the peer of a datagram socket; what the system would send from is then its local end.
bool Connect(SocketHandle s, Endpoint peer);
// The address and port the socket is bound to (nothing when the system cannot say).
std::optional<Endpoint> LocalEndpoint(SocketHandle s);
// The address of this machine that a datagram to `to` leaves from, as the routing table
// chooses it; nullopt when there is no route. Nothing is sent.
std::optional<std::uint32_t> SourceAddressToward(Endpoint to);
// Room for datagrams that arrive faster than they are read (the system may grant less).
void SetReceiveBuffer(SocketHandle s, int bytes);
void SetNonBlocking(SocketHandle s);
int SendTo(SocketHandle s, const std::uint8_t* data, std::size_t len, Endpoint to);

// One datagram, or -1 when none is waiting. A datagram longer than the buffer is consumed and
// reported as -1, as Winsock does with WSAEMSGSIZE: the caller never sees it cut short.
int RecvFrom(SocketHandle s, std::uint8_t* buf, std::size_t cap, Endpoint* from);

// Waits up to timeout_ms for a datagram; true when one is ready.
bool WaitReadable(SocketHandle s, std::uint32_t timeout_ms);
void CloseSocket(SocketHandle s);

// inet_addr: 0xFFFFFFFF (INADDR_NONE) for text that is not a dotted quad.
std::uint32_t InetAddr(const char* text);
std::string InetNtoa(std::uint32_t ip);

// Test seam: the next `count` OpenUdpSocket calls fail as if the system had no sockets left.
void FailNextSocketsForTesting(int count);

} // namespace kx::platform
