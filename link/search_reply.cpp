#include "link/search_reply.h"

#include "link/frame.h"
#include "platform/text.h"

namespace kx {

namespace {
constexpr std::size_t kMinNamedReply = 22;
} // namespace

SearchReply ParseSearchReply(const std::uint8_t* data, std::size_t len) {
    SearchReply r;
    if (len == 0 || data[frame::kOffMagic1] != frame::kMagic1 ||
        (len > 1 ? data[frame::kOffMagic2] : 0) != frame::kMagic2 ||
        data[len - 1] != frame::kTrailer)
        return r;
    const std::uint8_t type = len > frame::kOffDevType ? data[frame::kOffDevType] : 0;
    if (type != frame::kSelectableDevType) {
        r.verdict = SearchVerdict::ForeignType;
        return r;
    }
    if (len < kMinNamedReply) {
        r.verdict = SearchVerdict::TooShort;
        return r;
    }
    r.verdict = SearchVerdict::Device;
    r.dev_type = type;
    r.dev_addr = data[frame::kOffDevAddr];
    for (std::size_t p = 0; p + kMinNamedReply <= len; ++p)
        if (data[frame::kOffSearchText + p] == '-' && data[frame::kOffSearchText + p + 2] == '-')
            r.name_lengths.push_back(p);
    return r;
}

std::u16string DisplayModelName(const std::u16string& name) {
    if (name.starts_with(u"KX7214") || name.starts_with(u"kx7214"))
        return u"TRQ-9";
    return name;
}

std::u16string SearchReplyName(const std::uint8_t* data, std::size_t name_len) {
    std::string bytes(reinterpret_cast<const char*>(data + frame::kOffSearchText), name_len);
    return DisplayModelName(platform::BytesToWide(bytes));
}

} // namespace kx
