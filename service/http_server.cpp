#include "service/http_server.h"

#include <httplib.h>

#include "service/dotted_quad.h"
#include "service/request_log.h"
#include "service/token.h"

namespace kx::service {
namespace {

constexpr int kUnauthorized = 401;
constexpr int kPayloadTooLarge = 413;
// Handler threads: each waits for at most one exchange at a time, so this many devices can be
// worked on at once while more connections wait their turn.
constexpr std::size_t kHandlerThreads = 16;
// A client that stops sending in the middle of a request gives up its thread after this.
constexpr std::time_t kReadTimeoutSeconds = 5;

std::string Peer(const httplib::Request& req) {
    return req.remote_addr + ":" + std::to_string(req.remote_port);
}

void Send(httplib::Response& res, const ApiResponse& r) {
    res.status = r.status;
    for (const auto& [name, value] : r.headers)
        res.set_header(name, value);
    res.set_content(r.body, r.content_type.c_str());
}

// What the library answers by itself (a body too large, a request it cannot read) gets the
// same JSON error object as everything else.
std::string LibraryError(const httplib::Request& req, int status) {
    // curl -d sends a form content type, whose bodies the library keeps far smaller.
    if (status == kPayloadTooLarge &&
        req.get_header_value("Content-Type").starts_with("application/x-www-form-urlencoded"))
        return "a form-encoded body may hold at most " +
               std::to_string(CPPHTTPLIB_FORM_URL_ENCODED_PAYLOAD_MAX_LENGTH / 1024) +
               " KiB; send it with Content-Type: application/json";
    if (status == kPayloadTooLarge)
        return "the body is larger than " + std::to_string(kMaxBody / 1024) + " KiB";
    return "the request could not be read (HTTP " + std::to_string(status) + ")";
}

// HEAD is answered as GET without the body (the library leaves the body out).
std::string Method(const httplib::Request& req) {
    return req.method == "HEAD" ? "GET" : req.method;
}

} // namespace

HttpServer::HttpServer(Api& api, HttpOptions options)
    : m_api(api), m_options(std::move(options)), m_server(std::make_unique<httplib::Server>()) {
    Configure();
}

HttpServer::~HttpServer() {
    Stop();
}

void HttpServer::Configure() {
    httplib::Server& s = *m_server;
    s.new_task_queue = [] { return new httplib::ThreadPool(kHandlerThreads); };
    s.set_payload_max_length(kMaxBody);
    // The answer goes out in more than one write; waiting to fill a packet would add the
    // peer's delayed acknowledgement (tens of ms) to every request.
    s.set_tcp_nodelay(true);
    s.set_read_timeout(kReadTimeoutSeconds, 0);
    s.set_pre_routing_handler([this](const httplib::Request& req,
                                     httplib::Response& res) -> httplib::Server::HandlerResponse {
        if (!m_options.token ||
            AuthorizationMatches(req.get_header_value("Authorization"), *m_options.token))
            return httplib::Server::HandlerResponse::Unhandled;
        ApiResponse r = ErrorResponse(kUnauthorized, "a valid Authorization: Bearer token is "
                                                     "required");
        r.headers.emplace_back("WWW-Authenticate", "Bearer");
        Send(res, r);
        LogRequest(req.method, req.path, Peer(req), r.status, r.summary);
        return httplib::Server::HandlerResponse::Handled;
    });
    const auto handle = [this](const httplib::Request& req, httplib::Response& res) {
        ApiRequest request{Method(req), req.path, req.get_header_value("Content-Type"), req.body,
                           req.get_param_value("refresh") == "1"};
        const ApiResponse r = m_api.Handle(request);
        Send(res, r);
        LogRequest(req.method, req.path, Peer(req), r.status, r.summary);
    };
    s.Get(".*", handle);
    s.Put(".*", handle);
    s.Post(".*", handle);
    s.Patch(".*", handle);
    s.Delete(".*", handle);
    s.Options(".*", handle);
    const httplib::Server::HandlerWithResponse on_error = [](const httplib::Request& req,
                                                             httplib::Response& res) {
        if (!res.body.empty())
            return httplib::Server::HandlerResponse::Unhandled;
        const ApiResponse r = ErrorResponse(res.status, LibraryError(req, res.status));
        res.set_content(r.body, r.content_type.c_str());
        LogRequest(req.method, req.path, Peer(req), res.status, r.summary);
        return httplib::Server::HandlerResponse::Handled;
    };
    s.set_error_handler(on_error);
}

bool HttpServer::Start(std::string& error) {
    const std::string host = DottedQuad(m_options.listen.ip);
    if (m_options.listen.port == 0) {
        const int port = m_server->bind_to_any_port(host);
        m_port = port > 0 ? static_cast<std::uint16_t>(port) : 0;
    } else if (m_server->bind_to_port(host, m_options.listen.port)) {
        m_port = m_options.listen.port;
    }
    if (m_port == 0) {
        error = "cannot listen on " + host + ":" + std::to_string(m_options.listen.port);
        return false;
    }
    // The socket listens from here on: a client may connect before the thread accepts.
    m_thread = std::thread([this] {
        m_server->listen_after_bind();
        m_finished = true;
    });
    return true;
}

void HttpServer::Stop() {
    if (!m_thread.joinable())
        return;
    // A stop that comes before the thread has begun to accept is not seen by it; ask until
    // the thread has ended.
    while (!m_finished) {
        m_server->stop();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    m_thread.join();
}

} // namespace kx::service
