#pragma once
// The HTTP listener in front of the Api: limits, the token check, JSON error bodies, the log.
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "platform/socket.h"
#include "service/api.h"

namespace httplib {
class Server;
}

namespace kx::service {

inline constexpr std::size_t kMaxBody = 64 * 1024;

struct HttpOptions {
    platform::Endpoint listen{0x7F000001, 8723}; // port 0: any free port
    std::optional<std::string> token;
};

class HttpServer {
public:
    HttpServer(Api& api, HttpOptions options);
    ~HttpServer(); // stops
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Binds and starts serving on a thread of its own; false (with the reason) when the
    // address cannot be bound.
    bool Start(std::string& error);
    void Stop();
    std::uint16_t Port() const { return m_port; }

private:
    void Configure();

    Api& m_api;
    HttpOptions m_options;
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    std::atomic<bool> m_finished{false};
    std::uint16_t m_port = 0;
};

} // namespace kx::service
