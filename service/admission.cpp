#include "service/admission.h"

namespace kx::service {

Admission::Ticket::~Ticket() {
    if (m_owner != nullptr)
        m_owner->Leave(m_ip);
}

std::optional<Admission::Ticket> Admission::Enter(std::uint32_t ip) {
    std::lock_guard lock(m_mutex);
    int& waiting = m_waiting[ip];
    if (waiting >= m_limit)
        return std::nullopt;
    ++waiting;
    return Ticket(*this, ip);
}

void Admission::Leave(std::uint32_t ip) {
    std::lock_guard lock(m_mutex);
    if (--m_waiting[ip] == 0)
        m_waiting.erase(ip);
}

} // namespace kx::service
