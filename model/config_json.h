#pragma once
// The decoded configuration as JSON: every record field by its name without the model
// prefix, in record order, then the texts and the device's status.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "model/session_state.h"

namespace kx {

// "Ver a.b.c.d" from the two firmware bytes: a/10, a%10, b/10, b%10.
std::string FirmwareText(const std::uint8_t (&version)[2]);

// What the device outputs for an output-format value; anything past the list means no signal.
std::string_view OutputStatusText(std::uint8_t output_format);

nlohmann::ordered_json ConfigToJson(const SessionState& state);

} // namespace kx

namespace kx {

// What the device accepts, checked while a configuration is read from JSON: each returns why a
// value is refused, or nothing when it is fine.
struct ConfigChecks {
    std::function<std::optional<std::string>(std::string_view field, unsigned value)> value;
    std::function<std::optional<std::string>(std::string_view field, const std::u16string& text)>
        text;
};

// The reverse of ConfigToJson, over what the state already holds: every settings field, the
// device name and the UMD texts that the document names are stored; the others keep their
// values. The keys that only report the device (firmware_version, control_mode,
// output_status, auto_or_manual_status) are accepted when well formed and change nothing. An
// unknown key, a wrong type, a list of other than four entries or a refused value fails the
// whole document with `error` naming the key, and then nothing is stored.
bool ConfigFromJson(const nlohmann::json& doc, const ConfigChecks& checks, SessionState& state,
                    std::string& error);

} // namespace kx
