#include "service/tsl_v31.h"

namespace kx::service::tsl31 {
namespace {

bool IsDisplayHeader(std::uint8_t header) {
    return header >= kHeaderBase && header - kHeaderBase <= kMaxAddress;
}

// Tally 1 is the program bus and tally 2 preview on the switchers that send v3.1; a source on
// both shows amber.
Tally TallyOf(std::uint8_t control) {
    const bool red = (control & kTally1) != 0;
    const bool green = (control & kTally2) != 0;
    if (red && green)
        return Tally::Amber;
    if (red)
        return Tally::Red;
    return green ? Tally::Green : Tally::Off;
}

// The label is padded to 16 characters with blanks (some senders pad with zero bytes); the
// padding is not part of it. Bytes above ASCII are taken as Latin-1.
std::u16string LabelOf(std::span<const std::uint8_t> text) {
    std::u16string label(text.begin(), text.end());
    label = DisplayableText(std::move(label));
    label.erase(label.find_last_not_of(u' ') + 1);
    return label;
}

} // namespace

bool LooksLikeV31(std::span<const std::uint8_t> datagram) {
    return !datagram.empty() && datagram.size() % kMessageSize == 0 &&
           IsDisplayHeader(datagram[kHeader]) && (datagram[kControl] & kControlAlwaysZero) == 0;
}

void Parse(std::span<const std::uint8_t> datagram, std::vector<TslUpdate>& out) {
    for (std::size_t at = 0; at + kMessageSize <= datagram.size(); at += kMessageSize) {
        const auto message = datagram.subspan(at, kMessageSize);
        if (!IsDisplayHeader(message[kHeader]))
            continue;
        TslUpdate u;
        u.version = TslVersion::V31;
        u.index = static_cast<std::uint16_t>(message[kHeader] - kHeaderBase);
        u.text = LabelOf(message.subspan(kText, kTextSize));
        u.text_tally = TallyOf(message[kControl]);
        out.push_back(std::move(u));
    }
}

} // namespace kx::service::tsl31
