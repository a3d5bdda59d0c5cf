#pragma once
// What a switcher or router says about one display over TSL UMD, whichever version it speaks:
// which display, its label (when the message carries one) and its text tally.
#include <cstdint>
#include <optional>
#include <string>

namespace kx::service {

enum class Tally : std::uint8_t { Off, Red, Green, Amber };
enum class TslVersion : std::uint8_t { V31, V50 };

// A v5.0 screen or display index of 0xFFFF addresses every screen or every display.
inline constexpr std::uint16_t kTslEvery = 0xFFFF;

struct TslUpdate {
    TslVersion version = TslVersion::V50;
    std::uint16_t screen = 0; // v5.0 only
    std::uint16_t index = 0;  // v5.0 display index, or the v3.1 display address
    // Absent when the message carries display control data in place of a label.
    std::optional<std::u16string> text;
    Tally text_tally = Tally::Off;
};

// Labels go to a character display: control characters would show as garbage or not at all,
// so each becomes a blank.
std::u16string DisplayableText(std::u16string text);

} // namespace kx::service
