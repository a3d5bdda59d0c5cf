#pragma once
// One wait for datagrams on several sockets that another thread can cut short: a loop that
// serves sockets on a thread of its own (the simulated devices, a many-device engine) sleeps
// here until there is work or it is told to stop. The wake-up is itself a datagram, sent to a
// UDP socket on 127.0.0.1 that is connected to its own address, because Windows can wait on
// sockets only (no pipes) and a connected socket takes datagrams from itself alone.
#include <cstdint>
#include <span>
#include <vector>

#include "platform/socket.h"

namespace kx::platform {

class SocketWaiter {
public:
    SocketWaiter() = default;
    ~SocketWaiter();
    SocketWaiter(const SocketWaiter&) = delete;
    SocketWaiter& operator=(const SocketWaiter&) = delete;

    // Opens the wake-up socket; false when the system has none to give or 127.0.0.1 is
    // unusable. The socket layer must be started.
    bool Open();
    void Close();

    struct Result {
        bool woken = false;      // Wake() was called since the last wait
        std::vector<bool> ready; // one flag per socket passed in
    };
    // Waits up to timeout_ms (kWaitForever: without limit) for a datagram on any of the sockets
    // or for Wake(), whichever comes first. Every wake-up sent so far is consumed.
    Result Wait(std::span<const SocketHandle> sockets, std::int32_t timeout_ms);

    // Safe from any thread while the waiter is open.
    void Wake() const;

private:
    SocketHandle m_socket = kNoSocket;
};

} // namespace kx::platform
