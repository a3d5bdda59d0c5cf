#include "service/request_body.h"

#include "link/session.h"
#include "model/config_json.h"
#include "model/settings_file.h"
#include "platform/text.h"
#include "service/dotted_quad.h"

namespace kx::service {
namespace {

using nlohmann::json;

constexpr std::uint8_t kAudioLeft = 0;
constexpr std::uint8_t kAudioRight = 2;
constexpr unsigned kByteMax = 255;

json ParseObject(std::string_view body, std::initializer_list<std::string_view> keys) {
    json doc = json::parse(body, nullptr, false);
    if (doc.is_discarded())
        throw BodyError{"the body is not valid JSON"};
    json_check::OnlyKeys(doc, keys, "the body");
    return doc;
}

std::optional<std::string> RefusedValue(std::string_view field, unsigned value) {
    const CommandInfo* info = FindSetting(field);
    if (info == nullptr || value < info->option_count)
        return std::nullopt;
    return "must be 0 to " + std::to_string(info->option_count - 1);
}

std::optional<std::string> RefusedUmdText(const std::u16string& text) {
    if (text.size() <= kUmdTextMaxUnits)
        return std::nullopt;
    return "the device keeps at most " + std::to_string(kUmdTextMaxUnits) + " UTF-16 code units";
}

std::optional<std::string> RefusedName(const std::u16string& name) {
    if (platform::WideToAnsi(name).size() <= kDeviceNameMaxBytes)
        return std::nullopt;
    return "the device keeps at most " + std::to_string(kDeviceNameMaxBytes) + " name bytes";
}

std::optional<std::string> RefusedText(std::string_view field, const std::u16string& text) {
    return field == "device_name" ? RefusedName(text) : RefusedUmdText(text);
}

std::u16string CheckedText(const json& doc, const char* key,
                           std::optional<std::string> (*refuse)(const std::u16string&)) {
    std::u16string text = platform::Utf8ToUtf16(json_check::TextAt(doc, key, "the body"));
    if (auto why = refuse(text))
        throw BodyError{"\"" + std::string(key) + "\": " + *why};
    return text;
}

// The device takes 0 for Left and 2 for Right; 1 is only the desktop list's index for Right.
std::uint8_t AudioPosition(unsigned value) {
    if (value != kAudioLeft && value != kAudioRight)
        throw BodyError{"\"value\" for audio_postion must be 0 (left) or 2 (right)"};
    return static_cast<std::uint8_t>(value);
}

} // namespace

SettingValue ParseSettingBody(const CommandInfo& field, std::string_view body) {
    const json doc =
        field.PerLine() ? ParseObject(body, {"value", "line"}) : ParseObject(body, {"value"});
    SettingValue v;
    if (field.PerLine())
        v.line = static_cast<std::uint8_t>(
            json_check::IntegerAt(doc, "line", kLineCount - 1, "the body"));
    if (field.code == CMD_SET_AUDIO_POSITION)
        v.value = AudioPosition(json_check::IntegerAt(doc, "value", kByteMax, "the body"));
    else
        v.value = static_cast<std::uint8_t>(
            json_check::IntegerAt(doc, "value", field.option_count - 1u, "the body"));
    return v;
}

std::u16string ParseUmdTextBody(std::string_view body) {
    return CheckedText(ParseObject(body, {"text"}), "text", RefusedUmdText);
}

std::u16string ParseNameBody(std::string_view body) {
    return CheckedText(ParseObject(body, {"name"}), "name", RefusedName);
}

std::array<std::uint8_t, netcfg::kSize> ParseNetworkBody(std::string_view body) {
    const json doc = ParseObject(body, {"ip", "mask", "gateway"});
    std::array<std::uint8_t, netcfg::kSize> config{};
    for (const auto& [key, at] : {std::pair{"ip", netcfg::kIp}, std::pair{"mask", netcfg::kMask},
                                  std::pair{"gateway", netcfg::kGateway}}) {
        const std::string text = json_check::TextAt(doc, key, "the body");
        const auto quad = ParseDottedQuad(text);
        // A zero address, mask or gateway would leave the device unreachable.
        if (!quad || *quad == 0)
            throw BodyError{"\"" + std::string(key) +
                            "\" must be a dotted quad other than "
                            "0.0.0.0, not \"" +
                            text + "\""};
        for (std::size_t i = 0; i < 4; ++i)
            config[at + i] = static_cast<std::uint8_t>(*quad >> (24 - 8 * i));
    }
    return config;
}

ApplyBody::ApplyBody(std::string_view content_type, std::string_view body)
    : m_doc(nlohmann::json()) {
    if (content_type.starts_with("text/plain")) {
        IniDocument doc = IniDocument::FromBytes(body);
        // Keys a file lacks read as 0; a body with none of them is no settings file, and
        // applying it would wipe the device's whole layout.
        if (CountSettingsKeys(doc) == 0)
            throw BodyError{"the body holds none of the settings file's keys"};
        m_doc = std::move(doc);
        return;
    }
    json doc = json::parse(body, nullptr, false);
    if (doc.is_discarded())
        throw BodyError{"the body is not valid JSON"};
    m_doc = std::move(doc);
    SessionState scratch;
    ApplyTo(scratch);
}

void ApplyBody::ApplyTo(SessionState& state) const {
    if (const auto* ini = std::get_if<IniDocument>(&m_doc))
        return ReadSettings(*ini, state);
    std::string error;
    if (!ConfigFromJson(std::get<json>(m_doc), {RefusedValue, RefusedText}, state, error))
        throw BodyError{error};
}

} // namespace kx::service
