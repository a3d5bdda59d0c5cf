#include "link/session.h"

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
