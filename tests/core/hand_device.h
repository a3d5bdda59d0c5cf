#pragma once
// A socket standing where a device would, answering exactly as a test tells it: late, twice,
// too long, or not at all.
#ifdef _WIN32
#include <winsock2.h>
#else
#include <sys/socket.h>
#endif

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/socket.h"

namespace kx::test {

class HandDevice {
public:
    using Bytes = std::vector<std::uint8_t>;

    explicit HandDevice(std::uint32_t ip, std::uint16_t port = 7000) {
        m_socket = platform::OpenUdpSocket(0);
        m_bound = platform::Bind(m_socket, {ip, port});
    }
    ~HandDevice() { platform::CloseSocket(m_socket); }
    HandDevice(const HandDevice&) = delete;
    HandDevice& operator=(const HandDevice&) = delete;
    bool Bound() const { return m_bound; }

    // The next datagram within `ms`; its sender becomes the one Send answers.
    std::optional<Bytes> Receive(std::uint32_t ms = 3000) {
        if (!platform::WaitReadable(m_socket, ms))
            return std::nullopt;
        Bytes buf(2048);
        const int n = platform::RecvFrom(m_socket, buf.data(), buf.size(), &m_peer);
        if (n < 0)
            return std::nullopt;
        buf.resize(static_cast<std::size_t>(n));
        return buf;
    }
    void Send(const Bytes& bytes) { SendTo(bytes, m_peer); }
    void SendTo(const Bytes& bytes, platform::Endpoint to) {
        platform::SendTo(m_socket, bytes.data(), bytes.size(), to);
    }

private:
    platform::SocketHandle m_socket;
    platform::Endpoint m_peer{};
    bool m_bound = false;
};

// Port 7000 on every address, held the way a program that shares no ports holds it.
class Port7000Holder {
public:
    Port7000Holder() {
        // A plain socket, without the SO_REUSEADDR the product's sockets carry on POSIX and
        // under Wine, so that no one shares the port with it.
        m_socket = static_cast<platform::SocketHandle>(::socket(AF_INET, SOCK_DGRAM, 0));
        m_held = platform::Bind(m_socket, {platform::kAnyIp, 7000});
    }
    ~Port7000Holder() { platform::CloseSocket(m_socket); }
    Port7000Holder(const Port7000Holder&) = delete;
    Port7000Holder& operator=(const Port7000Holder&) = delete;
    bool Held() const { return m_held; }

private:
    platform::SocketHandle m_socket = platform::kNoSocket;
    bool m_held = false;
};

} // namespace kx::test
