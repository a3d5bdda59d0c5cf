#pragma once
// The bodies of the HTTP requests: strict JSON (an unknown key, a wrong type or a value the
// device does not take is refused with a message naming it), or a settings file's text.
// Every function here throws json_check::Error with that message; the caller answers 400.
#include <array>
#include <cstdint>
#include <string_view>
#include <variant>

#include <nlohmann/json.hpp>

#include "link/commands.h"
#include "link/config_layout.h"
#include "model/ini_file.h"
#include "model/json_check.h"
#include "model/session_state.h"

namespace kx::service {

using BodyError = json_check::Error;

struct SettingValue {
    std::uint8_t value = 0;
    std::uint8_t line = 0; // per-input fields only
};

// {"value": N} for a whole-device field, {"value": N, "line": L} for a per-input one.
SettingValue ParseSettingBody(const CommandInfo& field, std::string_view body);
// {"text": "..."}: at most 16 UTF-16 code units.
std::u16string ParseUmdTextBody(std::string_view body);
// {"name": "..."}: at most 16 bytes in the system ANSI code page.
std::u16string ParseNameBody(std::string_view body);
// {"ip": "...", "mask": "...", "gateway": "..."}: dotted quads, none of them 0.0.0.0.
std::array<std::uint8_t, netcfg::kSize> ParseNetworkBody(std::string_view body);
// A configuration to lay over what the device holds: JSON in the shape of a read, or, when the
// content type is text/plain, a settings file's text. Checked whole when it is parsed, so that
// a bad body is refused before the device is asked anything.
class ApplyBody {
public:
    ApplyBody(std::string_view content_type, std::string_view body);
    void ApplyTo(SessionState& state) const;

private:
    std::variant<IniDocument, nlohmann::json> m_doc;
};

} // namespace kx::service
