#include "platform/socket_waiter.h"

namespace kx::platform {
namespace {

constexpr std::uint32_t kLoopbackIp = 0x7F000001; // 127.0.0.1

} // namespace

SocketWaiter::~SocketWaiter() {
    Close();
}

bool SocketWaiter::Open() {
    if (m_socket != kNoSocket)
        return true;
    m_socket = OpenUdpSocket(0);
    if (m_socket == kNoSocket)
        return false;
    // Port 0: the system picks a free one, which the socket then connects to.
    if (!Bind(m_socket, {kLoopbackIp, 0}) || !Connect(m_socket, LocalEndpoint(m_socket))) {
        Close();
        return false;
    }
    SetNonBlocking(m_socket);
    return true;
}

void SocketWaiter::Close() {
    if (m_socket != kNoSocket)
        CloseSocket(m_socket);
    m_socket = kNoSocket;
}

SocketWaiter::Result SocketWaiter::Wait(std::span<const SocketHandle> sockets,
                                        std::int32_t timeout_ms) {
    std::vector<SocketHandle> all{m_socket};
    all.insert(all.end(), sockets.begin(), sockets.end());
    std::vector<bool> ready = PollReadable(all, timeout_ms);
    Result result{ready[0], std::vector<bool>(ready.begin() + 1, ready.end())};
    std::uint8_t byte = 0;
    if (result.woken)
        while (RecvFrom(m_socket, &byte, sizeof byte, nullptr) >= 0) {
        }
    return result;
}

void SocketWaiter::Wake() const {
    const std::uint8_t byte = 1;
    SendTo(m_socket, &byte, sizeof byte, LocalEndpoint(m_socket));
}

} // namespace kx::platform
