#include <algorithm>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "link/commands.h"
#include "link/frame.h"
#include "sim/device_logic.h"
#include "sim/multiviewer.h"
#include "sim/test_segment.h"

namespace kx::sim {
namespace {

using Clock = std::chrono::steady_clock;
using platform::Endpoint;
using platform::kNoSocket;
using platform::SocketHandle;

// Comfortably above any datagram, so even a malformed giant is recorded whole.
constexpr std::size_t kReceiveBuffer = 65536;
// Datagrams taken from one socket before the others get their turn.
constexpr int kDrainLimit = 256;

Identity IdentityOf(const SimDevice& device) {
    return {device.Options().dev_type, device.Options().dev_addr};
}

bool OnLoopback(std::uint32_t ip) {
    return (ip >> 24) == 127;
}

bool Hears(const SimDevice& device, std::uint32_t broadcast_ip) {
    if (broadcast_ip == kSegmentBroadcast)
        return OnTestSegment(device.Ip());
    return device.Options().hears_limited_broadcast.value_or(OnLoopback(device.Ip()));
}

// A frame for another command, as a late reply to some earlier request would look.
std::uint8_t OtherCommand(std::uint8_t command) {
    return static_cast<std::uint8_t>(command + 1);
}

SocketHandle OpenBound(std::uint32_t ip) {
    SocketHandle s = platform::OpenUdpSocket(0);
    if (s == kNoSocket)
        return kNoSocket;
    if (!platform::Bind(s, Endpoint{ip, frame::kPort})) {
        platform::CloseSocket(s);
        return kNoSocket;
    }
    platform::SetNonBlocking(s);
    return s;
}

int MsUntil(Clock::time_point due) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(due - Clock::now()).count();
    return static_cast<int>(std::max<decltype(left)>(left, 0));
}

} // namespace

DeviceHost::DeviceHost() : m_buffer(kReceiveBuffer) {}

DeviceHost::~DeviceHost() {
    Stop();
}

SimDevice& DeviceHost::AddDevice(DeviceOptions options) {
    m_devices.push_back(std::make_unique<SimDevice>(std::move(options)));
    return *m_devices.back();
}

std::vector<SimDevice*> DeviceHost::Devices() {
    std::vector<SimDevice*> out;
    for (auto& d : m_devices)
        out.push_back(d.get());
    return out;
}

bool DeviceHost::Start() {
    if (m_thread.joinable())
        return true;
    m_error.clear();
    for (std::size_t i = 0; i < m_devices.size() && m_error.empty(); ++i) {
        const std::uint32_t ip = m_devices[i]->Ip();
        m_error = DeviceIpProblem(ip);
        for (std::size_t j = 0; j < i && m_error.empty(); ++j)
            if (m_devices[j]->Ip() == ip)
                m_error = platform::InetNtoa(ip) + " is given to two devices";
    }
    if (m_error.empty() && pipe2(m_wake, O_CLOEXEC | O_NONBLOCK) != 0)
        m_error = "cannot create the wake pipe";
    m_segment_reachable = TestSegmentIsolated();
    OpenBroadcastSocket(platform::kBroadcastIp);
    if (std::any_of(m_devices.begin(), m_devices.end(),
                    [](const auto& d) { return OnTestSegment(d->Ip()); }))
        OpenBroadcastSocket(kSegmentBroadcast);
    for (std::size_t i = 0; i < m_devices.size() && m_error.empty(); ++i) {
        m_devices[i]->m_socket = OpenBound(m_devices[i]->Ip());
        if (m_devices[i]->m_socket == kNoSocket)
            m_error = "cannot bind " + platform::InetNtoa(m_devices[i]->Ip()) + ":7000";
    }
    if (!m_error.empty()) {
        CloseAll();
        return false;
    }
    m_thread = std::thread([this] { Run(); });
    return true;
}

void DeviceHost::OpenBroadcastSocket(std::uint32_t ip) {
    if (!m_error.empty())
        return;
    const SocketHandle s = OpenBound(ip);
    if (s == kNoSocket)
        m_error = "cannot bind " + platform::InetNtoa(ip) + ":7000";
    else
        m_broadcast_sockets.push_back({s, ip});
}

void DeviceHost::Stop() {
    if (m_thread.joinable()) {
        const char wake = 1;
        (void)!write(m_wake[1], &wake, 1);
        m_thread.join();
    }
    CloseAll();
    m_pending.clear();
}

void DeviceHost::CloseAll() {
    for (const BroadcastSocket& b : m_broadcast_sockets)
        platform::CloseSocket(b.socket);
    m_broadcast_sockets.clear();
    for (auto& d : m_devices) {
        if (d->m_socket != kNoSocket)
            platform::CloseSocket(d->m_socket);
        d->m_socket = kNoSocket;
    }
    for (int& fd : m_wake) {
        if (fd >= 0)
            close(fd);
        fd = -1;
    }
}

void DeviceHost::Run() {
    while (WaitForWork())
        SendDue();
}

// Waits until a datagram arrives or a delayed reply falls due, and takes in what arrived.
// False when the host is told to stop.
bool DeviceHost::WaitForWork() {
    std::vector<pollfd> fds{{m_wake[0], POLLIN, 0}};
    for (const BroadcastSocket& b : m_broadcast_sockets)
        fds.push_back({b.socket, POLLIN, 0});
    for (auto& d : m_devices)
        fds.push_back({d->m_socket, POLLIN, 0});
    const int timeout = m_pending.empty() ? -1 : MsUntil(m_pending.front().due);
    if (poll(fds.data(), fds.size(), timeout) < 0)
        return true;
    if (fds[0].revents != 0)
        return false;
    const std::size_t first_device = 1 + m_broadcast_sockets.size();
    for (std::size_t i = 1; i < first_device; ++i)
        if (fds[i].revents != 0)
            Drain(m_broadcast_sockets[i - 1].socket, nullptr, m_broadcast_sockets[i - 1].ip);
    for (std::size_t i = 0; i < m_devices.size(); ++i)
        if (fds[first_device + i].revents != 0)
            Drain(m_devices[i]->m_socket, m_devices[i].get(), 0);
    return true;
}

void DeviceHost::Drain(SocketHandle s, SimDevice* device, std::uint32_t broadcast_ip) {
    for (int i = 0; i < kDrainLimit && platform::WaitReadable(s, 0); ++i) {
        Endpoint from;
        const int n = platform::RecvFrom(s, m_buffer.data(), m_buffer.size(), &from);
        if (n < 0)
            continue;
        const std::vector<std::uint8_t> bytes(m_buffer.begin(), m_buffer.begin() + n);
        if (device != nullptr) {
            OnDatagram(*device, bytes, from, false);
            continue;
        }
        for (auto& d : m_devices)
            if (Hears(*d, broadcast_ip))
                OnDatagram(*d, bytes, from, true);
    }
}

void DeviceHost::OnDatagram(SimDevice& device, const std::vector<std::uint8_t>& bytes,
                            Endpoint from, bool broadcast) {
    FrameRecord record{false, from.ip, from.port, bytes, false};
    const bool silent = device.silent.load();
    std::optional<Request> request;
    // Nothing outside the loopback network and the isolated test segment is ever answered.
    if (Reachable(from.ip))
        request = ParseRequest(bytes);
    if (request && broadcast && request->command != CMD_SEARCH)
        request.reset();
    record.ignored = !request;
    Note(device, record);
    if (!request || silent)
        return;

    std::optional<std::uint32_t> move_to;
    std::vector<std::uint8_t> reply = Answer(device, *request, &move_to);
    if (auto raw = device.RawReply())
        reply = std::move(*raw);
    if (request->command != CMD_SEARCH)
        for (int i = 0; i < device.wrong_command_first.load(); ++i)
            Queue(device, BuildAck(IdentityOf(device), OtherCommand(request->command), 0), from,
                  std::nullopt);
    Queue(device, std::move(reply), from, move_to);
}

// The device's own answer to a request it acts on. A network write that it takes also names
// the address to move to once the acknowledgement is out.
std::vector<std::uint8_t> DeviceHost::Answer(SimDevice& device, const Request& request,
                                             std::optional<std::uint32_t>* move_to) {
    const Identity id = IdentityOf(device);
    if (request.command == CMD_SEARCH) {
        const std::string& text = device.m_options.search_text;
        return BuildSearchReply(id, text.empty() ? NameText(device.Config().Name()) : text);
    }
    if (request.command == CMD_READ_ALL)
        return BuildReadAllReply(id, device.Config());
    std::lock_guard lock(device.m_mutex);
    const std::uint8_t status = Apply(request, device.m_config, device.status.load());
    if (request.command == CMD_SET_NETWORK && status == 0)
        *move_to = NetworkIp(device.m_config.network);
    return BuildAck(id, request.command, status);
}

void DeviceHost::Queue(SimDevice& device, std::vector<std::uint8_t> bytes, Endpoint to,
                       std::optional<std::uint32_t> move_to) {
    const auto due = Clock::now() + std::chrono::milliseconds(device.reply_delay_ms.load());
    // Behind everything due at the same time or earlier, so one device's replies keep their order.
    const auto at = std::upper_bound(m_pending.begin(), m_pending.end(), due,
                                     [](auto t, const Pending& p) { return t < p.due; });
    m_pending.insert(at, Pending{due, &device, std::move(bytes), to, move_to});
}

void DeviceHost::SendDue() {
    const auto now = Clock::now();
    while (!m_pending.empty() && m_pending.front().due <= now) {
        Pending p = std::move(m_pending.front());
        m_pending.pop_front();
        // The new address is bound before the acknowledgement leaves, so a panel that turns
        // to it at once finds the device there.
        const SocketHandle moved = p.move_to ? BindNewAddress(*p.device, *p.move_to) : kNoSocket;
        Send(*p.device, p.bytes, p.to);
        if (moved != kNoSocket) {
            platform::CloseSocket(p.device->m_socket);
            p.device->m_socket = moved;
            p.device->m_ip = *p.move_to;
        }
    }
}

void DeviceHost::Send(SimDevice& device, const std::vector<std::uint8_t>& bytes, Endpoint to) {
    if (!Reachable(to.ip))
        return;
    // Noted first, so whoever has received the reply finds it among the device's frames.
    Note(device, FrameRecord{true, to.ip, to.port, bytes, false});
    platform::SendTo(device.m_socket, bytes.data(), bytes.size(), to);
}

bool DeviceHost::Reachable(std::uint32_t ip) const {
    return OnLoopback(ip) || (m_segment_reachable && OnTestSegment(ip));
}

// A socket on the device's new address, or none when the device stays where it is: the address
// is its own already, not one a simulated device may use, another device's here, or cannot be
// bound.
SocketHandle DeviceHost::BindNewAddress(const SimDevice& device, std::uint32_t ip) const {
    if (ip == device.Ip() || !DeviceIpProblem(ip).empty())
        return kNoSocket;
    for (const auto& d : m_devices)
        if (d->Ip() == ip)
            return kNoSocket;
    return OpenBound(ip);
}

void DeviceHost::Note(SimDevice& device, const FrameRecord& record) {
    device.Record(record);
    if (on_frame)
        on_frame(device, record);
}

} // namespace kx::sim
