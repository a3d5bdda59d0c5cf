#pragma once
// Turns what a switcher says about its displays into label states for the mapped lines.
#include "service/display_map.h"
#include "service/label_sender.h"
#include "service/tsl_message.h"

namespace kx::service {

// Every entry the update matches gets its text (cut to the 16 UTF-16 units a label holds,
// never between the two halves of a pair) and, where the entry asks for it, the background
// colour of its text tally.
void RouteTslUpdate(const DisplayMap& map, const TslUpdate& update, LabelSender& sender);

} // namespace kx::service
