#pragma once
// kx7214d put together: the HTTP interface and, when a mapping is given, the TSL listener
// with its label sender, all in front of one device port.
#include <memory>
#include <optional>
#include <string>

#include "service/api.h"
#include "service/device_port.h"
#include "service/display_map.h"
#include "service/http_server.h"
#include "service/label_sender.h"
#include "service/tsl_listener.h"

namespace kx::service {

struct ServiceOptions {
    HttpOptions http;
    TslPorts tsl;
    DisplayMap map; // used when a TSL port is given
};

class Service {
public:
    Service(DevicePort& port, ServiceOptions options);
    ~Service(); // stops: first the listeners, then the sends in flight
    Service(const Service&) = delete;
    Service& operator=(const Service&) = delete;

    bool Start(std::string& error);
    std::uint16_t HttpPort() const { return m_http.Port(); }
    std::uint16_t TslUdpPort() const { return m_tsl ? m_tsl->UdpPort() : 0; }
    std::uint16_t TslTcpPort() const { return m_tsl ? m_tsl->TcpPort() : 0; }

private:
    ServiceOptions m_options;
    std::unique_ptr<LabelSender> m_labels;
    std::unique_ptr<TslListener> m_tsl;
    Api m_api;
    HttpServer m_http;
};

} // namespace kx::service
