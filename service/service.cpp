#include "service/service.h"

namespace kx::service {
namespace {

bool ListensForTsl(const TslPorts& ports) {
    return ports.udp.has_value() || ports.tcp.has_value();
}

} // namespace

Service::Service(DevicePort& port, ServiceOptions options)
    : m_options(std::move(options)),
      m_labels(ListensForTsl(m_options.tsl) ? std::make_unique<LabelSender>(port) : nullptr),
      m_tsl(m_labels ? std::make_unique<TslListener>(m_options.map, *m_labels) : nullptr),
      m_api(port, m_labels.get()), m_http(m_api, m_options.http) {}

Service::~Service() {
    m_http.Stop();
    if (m_tsl)
        m_tsl->Stop();
}

bool Service::Start(std::string& error) {
    if (m_tsl && !m_tsl->Start(m_options.tsl, error))
        return false;
    return m_http.Start(error);
}

} // namespace kx::service
