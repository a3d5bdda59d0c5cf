#pragma once
// Waiting on several sockets at once, and a wake-up that another thread uses to end such a
// wait early. The wake-up is a UDP socket on the loopback interface connected to itself, not
// a pipe, because Windows can wait on sockets only.
#include <cstdint>
#include <span>

#include "platform/socket.h"

namespace kx::platform {

inline constexpr std::uint32_t kWaitForever = 0xFFFFFFFFu;

struct WaitItem {
    SocketHandle socket = kNoSocket; // kNoSocket entries are never ready
    bool ready = false;
};

// Waits until at least one socket has a datagram or timeout_ms has passed (kWaitForever: no
// limit), and marks the ones that have. False when none has.
bool WaitAnyReadable(std::span<WaitItem> items, std::uint32_t timeout_ms);

class Waker {
public:
    Waker();
    ~Waker();
    Waker(const Waker&) = delete;
    Waker& operator=(const Waker&) = delete;

    // False when the system had no socket for it; Wake and Clear then do nothing.
    bool Ok() const { return m_socket != kNoSocket; }
    SocketHandle Handle() const { return m_socket; }
    // Makes Handle() readable; safe from any thread.
    void Wake();
    // Takes every wake-up that is waiting.
    void Clear();

private:
    SocketHandle m_socket = kNoSocket;
    Endpoint m_self{};
};

} // namespace kx::platform
