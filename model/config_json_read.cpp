// A configuration sent back as JSON, in the shape that reading one gives.
#include <array>

#include "model/config_json.h"
#include "model/json_check.h"
#include "platform/text.h"

namespace kx {
namespace {

using nlohmann::json;
using Check = json_check::Error;

struct ScalarField {
    std::string_view name;
    std::uint8_t kx7214_page_data::*field;
};
struct LineField {
    std::string_view name;
    std::uint8_t (kx7214_page_data::*field)[kLineCount];
};

constexpr std::array kScalars = {
    ScalarField{"output_format", &kx7214_page_data::kx7214_output_format},
    ScalarField{"border_color", &kx7214_page_data::kx7214_border_color},
    ScalarField{"border_enable", &kx7214_page_data::kx7214_border_enable},
    ScalarField{"output_layout", &kx7214_page_data::kx7214_output_layout},
};

constexpr std::array kLineFields = {
    LineField{"umd_enable", &kx7214_page_data::kx7214_umd_enable},
    LineField{"umd_postion", &kx7214_page_data::kx7214_umd_postion},
    LineField{"umd_text_color", &kx7214_page_data::kx7214_umd_text_color},
    LineField{"umd_back_color", &kx7214_page_data::kx7214_umd_back_color},
    LineField{"audio_enable", &kx7214_page_data::kx7214_audio_enable},
    LineField{"audio_postion", &kx7214_page_data::kx7214_audio_postion},
    LineField{"audio_transparency", &kx7214_page_data::kx7214_audio_transparency},
    LineField{"audio_combination", &kx7214_page_data::kx7214_audio_combination},
    LineField{"audio_in_ch", &kx7214_page_data::kx7214_audio_in_ch},
    LineField{"input_enable", &kx7214_page_data::kx7214_input_enable},
    LineField{"input_postion", &kx7214_page_data::kx7214_input_postion},
    LineField{"input_text_color", &kx7214_page_data::kx7214_input_text_color},
    LineField{"input_back_color", &kx7214_page_data::kx7214_input_back_color},
};

constexpr unsigned kByteMax = 255;

std::uint8_t Value(const json& value, std::string_view name, const ConfigChecks& checks) {
    const std::string where = "\"" + std::string(name) + "\"";
    const auto v = static_cast<std::uint8_t>(json_check::Integer(value, kByteMax, where));
    if (auto refused = checks.value(name, v))
        throw Check{where + ": " + *refused};
    return v;
}

const json& FourEntries(const json& list, std::string_view name) {
    if (!list.is_array() || list.size() != kLineCount)
        throw Check{"\"" + std::string(name) + "\" must be a list of " +
                    std::to_string(kLineCount) + " entries, one per input"};
    return list;
}

std::u16string Text(const json& value, std::string_view name, const ConfigChecks& checks) {
    const std::string where = "\"" + std::string(name) + "\"";
    if (!value.is_string())
        throw Check{where + " must be text"};
    std::u16string text = platform::Utf8ToUtf16(value.get<std::string>());
    if (auto refused = checks.text(name, text))
        throw Check{where + ": " + *refused};
    return text;
}

// Keys that report the device and travel back unchanged from a read.
void CheckReportKey(const json& doc, std::string_view key, bool text) {
    const auto it = doc.find(key);
    if (it != doc.end() && (text ? !it->is_string() : !it->is_number_unsigned()))
        throw Check{"\"" + std::string(key) + "\" must be " + (text ? "text" : "a number")};
}

void StoreRecord(const json& doc, const ConfigChecks& checks, kx7214_page_data& r) {
    for (const auto& f : kScalars)
        if (const auto it = doc.find(f.name); it != doc.end())
            r.*f.field = Value(*it, f.name, checks);
    for (const auto& f : kLineFields) {
        const auto it = doc.find(f.name);
        if (it == doc.end())
            continue;
        const json& list = FourEntries(*it, f.name);
        for (std::size_t i = 0; i < kLineCount; ++i)
            (r.*f.field)[i] = Value(list[i], f.name, checks);
    }
}

void StoreTexts(const json& doc, const ConfigChecks& checks, SessionState& s) {
    if (const auto it = doc.find("device_name"); it != doc.end())
        s.m_device_name = Text(*it, "device_name", checks);
    if (const auto it = doc.find("umd_text"); it != doc.end()) {
        const json& list = FourEntries(*it, "umd_text");
        for (std::size_t i = 0; i < kLineCount; ++i)
            s.m_umd_text[i] = Text(list[i], "umd_text", checks);
    }
}

void CheckKeys(const json& doc) {
    if (!doc.is_object())
        throw Check{"the configuration must be a JSON object"};
    for (const auto& item : doc.items()) {
        const std::string& key = item.key();
        const bool known = std::any_of(kScalars.begin(), kScalars.end(),
                                       [&](const ScalarField& f) { return f.name == key; }) ||
                           std::any_of(kLineFields.begin(), kLineFields.end(),
                                       [&](const LineField& f) { return f.name == key; }) ||
                           key == "device_name" || key == "umd_text" || key == "firmware_version" ||
                           key == "control_mode" || key == "output_status" ||
                           key == "auto_or_manual_status";
        if (!known)
            throw Check{"unknown key \"" + key + "\""};
    }
    CheckReportKey(doc, "firmware_version", true);
    CheckReportKey(doc, "output_status", true);
    CheckReportKey(doc, "control_mode", false);
    CheckReportKey(doc, "auto_or_manual_status", false);
}

} // namespace

bool ConfigFromJson(const nlohmann::json& doc, const ConfigChecks& checks, SessionState& state,
                    std::string& error) {
    try {
        CheckKeys(doc);
        SessionState next = state;
        StoreRecord(doc, checks, next.m_all_kx7214_page_data);
        StoreTexts(doc, checks, next);
        state = std::move(next);
        return true;
    } catch (const Check& e) {
        error = e.message;
        return false;
    }
}

} // namespace kx
