#pragma once
// The text tally of a TSL display as the background colour of its UMD label.
#include <cstdint>

#include "service/display_map.h"
#include "service/tsl_message.h"

namespace kx::service {

// Positions in the device's label colour list.
inline constexpr std::uint8_t kTallyRedColour = 2;   // "Red"
inline constexpr std::uint8_t kTallyGreenColour = 4; // "Green"

// Red and green are the device's own red and green; amber is the entry's chosen colour, and
// off returns the label to the entry's idle colour.
std::uint8_t TallyColour(Tally tally, const TallyColours& colours);

} // namespace kx::service
