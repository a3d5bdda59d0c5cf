// Search replies come from anything on the segment that answers a broadcast.
#include <cstdint>
#include <string>
#include <vector>

#include "link/commands.h"
#include "link/frame.h"
#include "link/search_reply.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The search receives into a 128-byte buffer; longer datagrams never reach the parser.
    if (size > 128)
        return 0;
    std::vector<std::uint8_t> buf(data, data + size);
    buf.resize(128, 0);
    const kx::SearchReply r = kx::ParseSearchReply(buf.data(), size);
    std::size_t total = 0;
    for (std::size_t p : r.name_lengths) {
        if (p + 22 > size)
            __builtin_trap();
        total += kx::SearchReplyName(buf.data(), p).size();
    }
    return total > 1u << 20 ? 1 : 0;
}

extern "C" void KxFuzzSeeds(std::vector<std::vector<std::uint8_t>>* seeds) {
    for (const std::string text : {"KX7214-A-12", "QX-A-B-CD", "Edit-B-1", "-x-x-x-x-x-x"}) {
        std::vector<std::uint8_t> payload{0};
        payload.insert(payload.end(), text.begin(), text.end());
        std::vector<std::uint8_t> f(kx::frame::kOverhead + payload.size());
        kx::frame::BuildFrame(0xA3, 0x01, kx::CMD_SEARCH, payload.data(), payload.size(), f.data());
        seeds->push_back(f);
    }
}
