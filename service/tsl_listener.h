#pragma once
// Receives TSL UMD from switchers and routers: datagrams of either version on a UDP port, and
// the v5.0 stream wrapper on a TCP port, on one thread of its own.
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/socket.h"
#include "platform/wait.h"
#include "service/display_map.h"
#include "service/label_sender.h"
#include "service/tsl_stream.h"

namespace kx::service {

struct TslPorts {
    std::optional<std::uint16_t> udp; // 0: any free port (tests)
    std::optional<std::uint16_t> tcp;
};

class TslListener {
public:
    TslListener(const DisplayMap& map, LabelSender& sender);
    ~TslListener(); // stops
    TslListener(const TslListener&) = delete;
    TslListener& operator=(const TslListener&) = delete;

    // Binds every port on every local address; false (with the reason) when one cannot be
    // bound, and then nothing stays open.
    bool Start(const TslPorts& ports, std::string& error);
    void Stop();
    std::uint16_t UdpPort() const { return m_udp_port; }
    std::uint16_t TcpPort() const { return m_tcp_port; }

    // A sender keeps a connection open for as long as it runs; more than this many at once
    // are closed as they come.
    static constexpr std::size_t kMaxConnections = 16;

private:
    struct Connection {
        platform::SocketHandle socket;
        TslStreamUnwrapper unwrapper;
    };
    void Run();
    void OnDatagram();
    void OnConnection();
    bool OnStreamBytes(Connection& c); // false when the connection has ended
    void Route(std::span<const std::uint8_t> packet, bool stream);
    void CloseAll();

    const DisplayMap& m_map;
    LabelSender& m_sender;
    platform::SocketHandle m_udp = platform::kNoSocket;
    platform::SocketHandle m_tcp = platform::kNoSocket;
    platform::Waker m_wake; // ends the thread's wait when it is to stop
    std::vector<Connection> m_connections;
    std::vector<std::uint8_t> m_buffer;
    std::uint16_t m_udp_port = 0;
    std::uint16_t m_tcp_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace kx::service
