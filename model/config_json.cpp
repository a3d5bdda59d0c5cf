#include "model/config_json.h"

#include <array>

#include "platform/text.h"

namespace kx {
namespace {

// The texts the device's status display uses, spelling included: scripts compare them.
constexpr std::array<std::string_view, 11> kOutputStatus = {
    "1080p60", "1080p50", "1080p30", "1080p25", "1080p24", "1080i60",
    "1080i50", "720p60",  "720p50",  "720p30",  "720P25"};
constexpr std::string_view kNoSignal = "NoSingal";

nlohmann::ordered_json Four(const std::uint8_t (&values)[kLineCount]) {
    return nlohmann::ordered_json::array({values[0], values[1], values[2], values[3]});
}

void AddRecord(nlohmann::ordered_json& j, const kx7214_page_data& r) {
    j["auto_or_manual_status"] = r.kx7214_auto_or_manual_status;
    j["firmware_version"] = FirmwareText(r.kx7214_firmware_version);
    j["output_format"] = r.kx7214_output_format;
    j["border_color"] = r.kx7214_border_color;
    j["border_enable"] = r.kx7214_border_enable;
    j["output_layout"] = r.kx7214_output_layout;
    j["umd_enable"] = Four(r.kx7214_umd_enable);
    j["umd_postion"] = Four(r.kx7214_umd_postion);
    j["umd_text_color"] = Four(r.kx7214_umd_text_color);
    j["umd_back_color"] = Four(r.kx7214_umd_back_color);
    j["audio_enable"] = Four(r.kx7214_audio_enable);
    j["audio_postion"] = Four(r.kx7214_audio_postion);
    j["audio_transparency"] = Four(r.kx7214_audio_transparency);
    j["audio_combination"] = Four(r.kx7214_audio_combination);
    j["audio_in_ch"] = Four(r.kx7214_audio_in_ch);
    j["input_enable"] = Four(r.kx7214_input_enable);
    j["input_postion"] = Four(r.kx7214_input_postion);
    j["input_text_color"] = Four(r.kx7214_input_text_color);
    j["input_back_color"] = Four(r.kx7214_input_back_color);
}

} // namespace

std::string FirmwareText(const std::uint8_t (&version)[2]) {
    const unsigned a = version[0];
    const unsigned b = version[1];
    return "Ver " + std::to_string(a / 10) + "." + std::to_string(a % 10) + "." +
           std::to_string(b / 10) + "." + std::to_string(b % 10);
}

std::string_view OutputStatusText(std::uint8_t output_format) {
    return output_format < kOutputStatus.size() ? kOutputStatus[output_format] : kNoSignal;
}

nlohmann::ordered_json ConfigToJson(const SessionState& state) {
    nlohmann::ordered_json j;
    AddRecord(j, state.m_all_kx7214_page_data);
    j["device_name"] = platform::Utf16ToUtf8(state.m_device_name);
    j["umd_text"] = nlohmann::ordered_json::array();
    for (const auto& text : state.m_umd_text)
        j["umd_text"].push_back(platform::Utf16ToUtf8(text));
    j["control_mode"] = state.m_control_mode;
    j["output_status"] = OutputStatusText(state.m_all_kx7214_page_data.kx7214_output_format);
    return j;
}

} // namespace kx
