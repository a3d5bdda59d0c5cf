#pragma once
// The mapping file: which TSL display drives which UMD line of which multiviewer, and whether
// its text tally colours the label's background.
//
//   {"displays": [
//     {"tsl": {"screen": 0, "index": 1}, "device": "127.0.0.2", "line": 0},
//     {"tsl": {"address": 3}, "device": "127.0.0.2", "line": 1, "tally": {"idle": 1, "amber": 6}}
//   ]}
//
// A v5.0 display is named by screen (0 when left out) and index, a v3.1 display by address.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "service/tsl_message.h"

namespace kx::service {

struct TallyColours {
    std::uint8_t idle = 0;
    std::uint8_t amber = 0;
};

struct DisplayEntry {
    TslVersion version = TslVersion::V50;
    std::uint16_t screen = 0;
    std::uint16_t index = 0; // v5.0 display index, or v3.1 address
    std::uint32_t device_ip = 0;
    std::uint8_t line = 0;
    std::optional<TallyColours> tally;
};

struct DisplayMap {
    std::vector<DisplayEntry> entries;

    // The entries a message drives; a v5.0 screen or index of 0xFFFF matches every one.
    std::vector<const DisplayEntry*> Match(const TslUpdate& update) const;
};

// Checks the whole file before anything runs. On failure `error` names the entry and what is
// wrong with it, for example: displays[2]: "line" must be an integer 0 to 3.
std::optional<DisplayMap> ParseDisplayMap(std::string_view json_text, std::string& error);
std::optional<DisplayMap> LoadDisplayMap(const std::filesystem::path& path, std::string& error);

} // namespace kx::service
