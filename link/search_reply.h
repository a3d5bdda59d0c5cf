#pragma once
// Recognising a device's answer to the search broadcast and the names it announces.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kx {

enum class SearchVerdict {
    NotAFrame,   // magic or trailer wrong: skipped
    ForeignType, // a frame from something that is not a selectable multiviewer
    TooShort,    // 21 bytes or fewer: no room for a name
    Device,
};

struct SearchReply {
    SearchVerdict verdict = SearchVerdict::NotAFrame;
    std::uint8_t dev_type = 0;
    std::uint8_t dev_addr = 0;
    // One entry per position p where bytes 18 + p and 20 + p are both '-': the name is the p
    // bytes before that position. A text such as "QX-A-B-CD" announces two names.
    std::vector<std::size_t> name_lengths;
};

SearchReply ParseSearchReply(const std::uint8_t* data, std::size_t len);

// The name for name length p, each byte widened to one UTF-16 unit, with the model-name rule:
// a name beginning "KX7214" or "kx7214" is shown as "TRQ-9".
std::u16string SearchReplyName(const std::uint8_t* data, std::size_t name_len);

// "TRQ-9" for names that begin with the model word in either exact case.
std::u16string DisplayModelName(const std::u16string& name);

} // namespace kx
