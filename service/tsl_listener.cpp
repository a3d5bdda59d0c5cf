#include "service/tsl_listener.h"

#include "platform/log.h"
#include "platform/stream_socket.h"
#include "service/dotted_quad.h"
#include "service/tsl_datagram.h"
#include "service/tsl_router.h"
#include "service/tsl_v50.h"

namespace kx::service {
namespace {

// Room for the largest v5.0 packet and more: a longer datagram is discarded whole.
constexpr std::size_t kBufferSize = 4096;

platform::SocketHandle OpenUdp(platform::Endpoint at) {
    const platform::SocketHandle s = platform::OpenUdpSocket(platform::UdpProtocol());
    if (s == platform::kNoSocket)
        return s;
    if (!platform::Bind(s, at)) {
        platform::CloseSocket(s);
        return platform::kNoSocket;
    }
    platform::SetNonBlocking(s);
    return s;
}

std::uint16_t PortOf(platform::SocketHandle s) {
    const auto local = platform::LocalEndpoint(s);
    return local ? local->port : 0;
}

} // namespace

TslListener::TslListener(const DisplayMap& map, LabelSender& sender)
    : m_map(map), m_sender(sender), m_buffer(kBufferSize) {}

TslListener::~TslListener() {
    Stop();
}

bool TslListener::Start(const TslPorts& ports, std::string& error) {
    error.clear();
    if (ports.udp) {
        m_udp = OpenUdp({platform::kAnyIp, *ports.udp});
        m_udp_port = PortOf(m_udp);
    }
    if (ports.tcp) {
        m_tcp = platform::OpenTcpListener({platform::kAnyIp, *ports.tcp});
        if (m_tcp != platform::kNoSocket)
            platform::SetNonBlocking(m_tcp);
        m_tcp_port = PortOf(m_tcp);
    }
    if (ports.udp && m_udp == platform::kNoSocket)
        error = "cannot listen for TSL on UDP port " + std::to_string(*ports.udp);
    else if (ports.tcp && m_tcp == platform::kNoSocket)
        error = "cannot listen for TSL on TCP port " + std::to_string(*ports.tcp);
    else if (!m_wake.Ok())
        error = "cannot open a socket on 127.0.0.1";
    if (!error.empty()) {
        CloseAll();
        return false;
    }
    m_thread = std::thread([this] { Run(); });
    return true;
}

void TslListener::Stop() {
    if (!m_thread.joinable())
        return;
    m_stop = true;
    m_wake.Wake();
    m_thread.join();
    CloseAll();
}

void TslListener::CloseAll() {
    for (platform::SocketHandle* s : {&m_udp, &m_tcp})
        if (*s != platform::kNoSocket) {
            platform::CloseSocket(*s);
            *s = platform::kNoSocket;
        }
    for (const Connection& c : m_connections)
        platform::CloseSocket(c.socket);
    m_connections.clear();
}

void TslListener::Run() {
    std::vector<platform::WaitItem> items;
    while (!m_stop) {
        // The wake-up, the two ports (an unused one is never ready), then the connections.
        items = {{m_wake.Handle()}, {m_udp}, {m_tcp}};
        for (const Connection& c : m_connections)
            items.push_back({c.socket});
        if (!platform::WaitAnyReadable(items, platform::kWaitForever) || m_stop)
            continue;
        // The connections waited on first (they end from the back so the flags keep their
        // places), and only then a new one, which has no flag yet.
        for (std::size_t i = items.size() - 3; i-- > 0;) {
            if (!items[3 + i].ready || OnStreamBytes(m_connections[i]))
                continue;
            platform::CloseSocket(m_connections[i].socket);
            m_connections.erase(m_connections.begin() + static_cast<std::ptrdiff_t>(i));
        }
        if (items[1].ready)
            OnDatagram();
        if (items[2].ready)
            OnConnection();
    }
}

void TslListener::OnDatagram() {
    platform::Endpoint from;
    for (int n; (n = platform::RecvFrom(m_udp, m_buffer.data(), m_buffer.size(), &from)) >= 0;)
        Route({m_buffer.data(), static_cast<std::size_t>(n)}, false);
}

void TslListener::OnConnection() {
    platform::Endpoint from;
    const platform::SocketHandle s = platform::Accept(m_tcp, &from);
    if (s == platform::kNoSocket)
        return;
    if (m_connections.size() >= kMaxConnections) {
        platform::Log("tsl tcp: refused a connection from %s: %zu are open already\n",
                      DottedQuad(from.ip).c_str(), m_connections.size());
        platform::CloseSocket(s);
        return;
    }
    m_connections.push_back({s, {}});
}

bool TslListener::OnStreamBytes(Connection& c) {
    const int n = platform::Recv(c.socket, m_buffer.data(), m_buffer.size());
    if (n <= 0)
        return false;
    c.unwrapper.Feed({m_buffer.data(), static_cast<std::size_t>(n)},
                     [this](std::span<const std::uint8_t> packet) { Route(packet, true); });
    return true;
}

void TslListener::Route(std::span<const std::uint8_t> bytes, bool stream) {
    std::vector<TslUpdate> updates;
    if (stream)
        tsl50::Parse(bytes, updates);
    else
        updates = ParseTslDatagram(bytes);
    for (const TslUpdate& u : updates)
        RouteTslUpdate(m_map, u, m_sender);
}

} // namespace kx::service
