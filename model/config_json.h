#pragma once
// The decoded configuration as JSON: every record field by its name without the model
// prefix, in record order, then the texts and the device's status.
#include <cstdint>
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
