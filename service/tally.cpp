#include "service/tally.h"

namespace kx::service {

std::uint8_t TallyColour(Tally tally, const TallyColours& colours) {
    switch (tally) {
    case Tally::Red:
        return kTallyRedColour;
    case Tally::Green:
        return kTallyGreenColour;
    case Tally::Amber:
        return colours.amber;
    case Tally::Off:
        break;
    }
    return colours.idle;
}

} // namespace kx::service
