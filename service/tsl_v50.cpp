#include "service/tsl_v50.h"

#include <algorithm>

namespace kx::service::tsl50 {
namespace {

std::uint16_t U16At(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

// An odd byte count in UTF-16 text leaves half a code unit, which is dropped. Some senders
// end the text with a zero as a C string; that is not part of the label either.
std::u16string LabelOf(std::span<const std::uint8_t> text, bool utf16) {
    std::u16string label;
    if (utf16) {
        for (std::size_t i = 0; i + 1 < text.size(); i += 2)
            label.push_back(static_cast<char16_t>(U16At(text, i)));
    } else {
        label.assign(text.begin(), text.end());
    }
    while (!label.empty() && label.back() == u'\0')
        label.pop_back();
    return DisplayableText(std::move(label));
}

Tally TextTally(std::uint16_t control) {
    return static_cast<Tally>((control >> kTextTallyShift) & kTallyMask);
}

} // namespace

std::size_t PacketLength(std::span<const std::uint8_t> bytes) {
    return bytes.size() < kPbcSize ? 0 : kPbcSize + U16At(bytes, kPbc);
}

bool IsExactPacket(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= kHeaderSize && PacketLength(bytes) == bytes.size() &&
           bytes[kVersion] == 0 && (bytes[kFlags] & ~(kFlagUtf16 | kFlagScreenControl)) == 0;
}

void Parse(std::span<const std::uint8_t> packet, std::vector<TslUpdate>& out) {
    const std::size_t end = std::min(PacketLength(packet), packet.size());
    if (end < kHeaderSize || (packet[kFlags] & kFlagScreenControl) != 0)
        return;
    const bool utf16 = (packet[kFlags] & kFlagUtf16) != 0;
    const std::uint16_t screen = U16At(packet, kScreen);
    std::size_t at = kHeaderSize;
    while (at + kDmsgHeaderSize <= end) {
        const std::uint16_t control = U16At(packet, at + kControl);
        const std::size_t length = U16At(packet, at + kLength);
        const std::size_t text_at = at + kDmsgHeaderSize;
        if (length > end - text_at)
            return;
        TslUpdate u;
        u.version = TslVersion::V50;
        u.screen = screen;
        u.index = U16At(packet, at + kIndex);
        u.text_tally = TextTally(control);
        // With control data in its place there is no label; the tally bits still hold.
        if ((control & kControlData) == 0)
            u.text = LabelOf(packet.subspan(text_at, length), utf16);
        out.push_back(std::move(u));
        at = text_at + length;
    }
}

} // namespace kx::service::tsl50
