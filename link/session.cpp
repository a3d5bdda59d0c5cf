#include "link/session.h"

#include "link/applied_state.h"
#include "link/read_all.h"

namespace kx {

CKX7214Session* m_p_glo_main_dlg = nullptr;

CKX7214Session::CKX7214Session(SessionView& view) : m_view(view) {}

CKX7214Session::~CKX7214Session() {
    CloseSocket();
    if (m_p_glo_main_dlg == this)
        m_p_glo_main_dlg = nullptr;
}

void CKX7214Session::Publish() {
    m_p_glo_main_dlg = this;
}

int CKX7214Session::UnappliedChanges() const {
    return CountUnappliedChanges(*this, m_applied);
}

void CKX7214Session::ReportSearch(int devices_answered, std::uint32_t deadline_ms,
                                  std::chrono::steady_clock::time_point started) {
    OutcomeReport report;
    report.kind = ExchangeKind::Search;
    report.command = CMD_SEARCH;
    report.outcome = devices_answered > 0 ? Outcome::Accepted : Outcome::TimedOut;
    report.round_trip = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - started);
    report.deadline_ms = deadline_ms;
    report.devices_answered = devices_answered;
    Report(std::move(report));
}

void CKX7214Session::Report(OutcomeReport report) {
    report.at = std::chrono::system_clock::now();
    m_outcomes.Add(report);
    m_view.ReportOutcome(report);
}

void CKX7214Session::PackAllDataBlock() {
    kx::PackAllDataBlock(*this);
}

Outcome CKX7214Session::ApplyAllSettings() {
    PackAllDataBlock();
    Outcome outcome = SendAllConfig();
    UpdatePreviewGeometry();
    return outcome;
}

void CKX7214Session::UpdateWindowGeometry() {
    ComputeWindowGeometry(m_all_kx7214_page_data, m_preview);
    m_view.InvalidatePreview();
}

void CKX7214Session::UpdateUmdGeometry() {
    ComputeUmdGeometry(m_all_kx7214_page_data, m_preview);
    m_view.InvalidatePreview();
}

void CKX7214Session::UpdateAudioGeometry() {
    ComputeAudioGeometry(m_all_kx7214_page_data, m_preview);
    m_view.InvalidatePreview();
}

void CKX7214Session::UpdateInputGeometry() {
    ComputeInputGeometry(m_all_kx7214_page_data, m_preview);
    m_view.InvalidatePreview();
}

void CKX7214Session::UpdatePreviewGeometry() {
    UpdateWindowGeometry();
    UpdateUmdGeometry();
    UpdateAudioGeometry();
    UpdateInputGeometry();
}

} // namespace kx
