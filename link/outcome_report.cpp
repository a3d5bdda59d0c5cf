#include "link/outcome_report.h"

namespace kx {

void OutcomeHistory::Add(OutcomeReport report) {
    m_reports.push_back(std::move(report));
    while (m_reports.size() > kCapacity)
        m_reports.pop_front();
}

} // namespace kx
