#include "model/session_state.h"

namespace kx {

SessionState::SessionState() {
    SetInitialTexts(*this);
}

void SetInitialTexts(SessionState& state) {
    state.m_umd_text = {u"A is apple", u"B is banana", u"C is cat", u"D is dog"};
    state.m_device_name = u"KX7214_NO.1";
}

void SessionState::LoadDefaults() {
    auto& r = m_all_kx7214_page_data;
    r.kx7214_output_format = 0;
    r.kx7214_border_color = 0;
    r.kx7214_border_enable = 0;
    r.kx7214_output_layout = 0;
    for (int i = 0; i < kLineCount; ++i) {
        m_umd_text[static_cast<std::size_t>(i)] = u"SDI " + std::u16string(1, char16_t(u'1' + i));
        r.kx7214_umd_enable[i] = 1;
        r.kx7214_umd_postion[i] = 1;
        r.kx7214_umd_text_color[i] = 7;
        r.kx7214_umd_back_color[i] = 15;
        r.kx7214_audio_enable[i] = 1;
        r.kx7214_audio_postion[i] = 0;
        r.kx7214_audio_in_ch[i] = 0;
        r.kx7214_input_enable[i] = 1;
        r.kx7214_input_postion[i] = 0;
        r.kx7214_input_text_color[i] = 7;
        r.kx7214_input_back_color[i] = 15;
    }
    r.kx7214_auto_or_manual_status = 0;
}

} // namespace kx
