#include "service/tsl_listener.h"

#include "platform/log.h"
#include "platform/stream_socket.h"
#include "service/dotted_quad.h"
#include "service/tsl_datagram.h"
#include "service/tsl_router.h"
#include "service/tsl_v50.h"

namespace kx::service {
namespace {

constexpr std::uint32_t kLoopback = 0x7F000001;
// Room for the largest v5.0 packet and more: a longer datagram is discarded whole.
constexpr std::size_t kBufferSize = 4096;
constexpr std::uint32_t kWaitForeverMs = 0xFFFFFFFFu >> 1;

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

} // namespace

TslListener::TslListener(const DisplayMap& map, LabelSender& sender)
    : m_map(map), m_sender(sender), m_buffer(kBufferSize) {}

TslListener::~TslListener() {
    Stop();
}

bool TslListener::Start(const TslPorts& ports, std::string& error) {
    error.clear();
    m_wake = OpenUdp({kLoopback, 0});
    if (ports.udp) {
        m_udp = OpenUdp({platform::kAnyIp, *ports.udp});
        m_udp_port = platform::LocalEndpoint(m_udp).port;
    }
    if (ports.tcp) {
        m_tcp = platform::OpenTcpListener({platform::kAnyIp, *ports.tcp});
        if (m_tcp != platform::kNoSocket)
            platform::SetNonBlocking(m_tcp);
        m_tcp_port = platform::LocalEndpoint(m_tcp).port;
    }
    if (ports.udp && m_udp == platform::kNoSocket)
        error = "cannot listen for TSL on UDP port " + std::to_string(*ports.udp);
    else if (ports.tcp && m_tcp == platform::kNoSocket)
        error = "cannot listen for TSL on TCP port " + std::to_string(*ports.tcp);
    else if (m_wake == platform::kNoSocket)
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
    const std::uint8_t byte = 0;
    platform::SendTo(m_wake, &byte, 1, platform::LocalEndpoint(m_wake));
    m_thread.join();
    CloseAll();
}

void TslListener::CloseAll() {
    for (platform::SocketHandle* s : {&m_udp, &m_tcp, &m_wake})
        if (*s != platform::kNoSocket) {
            platform::CloseSocket(*s);
            *s = platform::kNoSocket;
        }
    for (const Connection& c : m_connections)
        platform::CloseSocket(c.socket);
    m_connections.clear();
}

void TslListener::Run() {
    std::vector<platform::SocketHandle> sockets;
    std::vector<bool> ready;
    while (!m_stop) {
        // Wake-up first, then the ports in use, then the connections; Windows refuses to wait
        // on a socket that is not there.
        sockets = {m_wake};
        for (const platform::SocketHandle s : {m_udp, m_tcp})
            if (s != platform::kNoSocket)
                sockets.push_back(s);
        const std::size_t first_connection = sockets.size();
        for (const Connection& c : m_connections)
            sockets.push_back(c.socket);
        if (!platform::WaitAnyReadable(sockets, kWaitForeverMs, ready) || m_stop)
            continue;
        for (std::size_t i = 1; i < first_connection; ++i) {
            if (ready[i] && sockets[i] == m_udp)
                OnDatagram();
            else if (ready[i])
                OnConnection();
        }
        // Connections that end are removed from the back so the flags keep their places.
        for (std::size_t i = m_connections.size(); i-- > 0;) {
            if (!ready[first_connection + i] || OnStreamBytes(m_connections[i]))
                continue;
            platform::CloseSocket(m_connections[i].socket);
            m_connections.erase(m_connections.begin() + static_cast<std::ptrdiff_t>(i));
        }
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
