#include "platform/wait.h"

#include <climits>
#include <vector>

#ifdef _WIN32
#include <winsock2.h>
#else
#include <poll.h>
#endif

namespace kx::platform {
namespace {

constexpr std::uint32_t kLoopbackIp = 0x7F000001;

int PollTimeout(std::uint32_t timeout_ms) {
    if (timeout_ms == kWaitForever)
        return -1;
    return timeout_ms > INT_MAX ? INT_MAX : static_cast<int>(timeout_ms);
}

} // namespace

bool WaitAnyReadable(std::span<WaitItem> items, std::uint32_t timeout_ms) {
#ifdef _WIN32
    using PollEntry = WSAPOLLFD;
    using Handle = SOCKET;
    constexpr short kReadable = POLLRDNORM;
#else
    using PollEntry = pollfd;
    using Handle = int;
    constexpr short kReadable = POLLIN;
#endif
    std::vector<PollEntry> entries;
    entries.reserve(items.size());
    for (const WaitItem& item : items)
        if (item.socket != kNoSocket)
            entries.push_back({static_cast<Handle>(item.socket), kReadable, 0});
#ifdef _WIN32
    const int n =
        WSAPoll(entries.data(), static_cast<ULONG>(entries.size()), PollTimeout(timeout_ms));
#else
    const int n = poll(entries.data(), entries.size(), PollTimeout(timeout_ms));
#endif
    std::size_t at = 0;
    for (WaitItem& item : items) {
        item.ready = false;
        if (item.socket != kNoSocket)
            item.ready = n > 0 && entries[at++].revents != 0;
    }
    return n > 0;
}

Waker::Waker() {
    m_socket = OpenUdpSocket(0);
    if (m_socket == kNoSocket)
        return;
    const auto self = Bind(m_socket, {kLoopbackIp, 0}) ? LocalEndpoint(m_socket) : std::nullopt;
    if (!self || !Connect(m_socket, *self)) {
        CloseSocket(m_socket);
        m_socket = kNoSocket;
        return;
    }
    m_self = *self;
    SetNonBlocking(m_socket);
}

Waker::~Waker() {
    if (m_socket != kNoSocket)
        CloseSocket(m_socket);
}

void Waker::Wake() {
    const std::uint8_t byte = 1;
    if (m_socket != kNoSocket)
        SendTo(m_socket, &byte, 1, m_self);
}

void Waker::Clear() {
    std::uint8_t byte = 0;
    while (m_socket != kNoSocket && RecvFrom(m_socket, &byte, 1, nullptr) >= 0) {
    }
}

} // namespace kx::platform
