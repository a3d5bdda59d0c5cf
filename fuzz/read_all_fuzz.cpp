// A read-all reply is accepted on its command byte alone, so every other byte may be anything.
#include <cstdint>
#include <vector>

#include "link/config_layout.h"
#include "link/read_all.h"
#include "platform/log.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = (kx::platform::SetLogSink({}), true);
    (void)quiet;
    if (size > 1024)
        return 0;
    kx::SessionState state;
    kx::DecodeReadAll(data, size, state);
    for (const auto& text : state.m_umd_text)
        if (text.size() > kx::block::kUmdTextSize / 2)
            __builtin_trap();
    if (state.m_device_name.size() > kx::block::kDeviceNameSize)
        __builtin_trap();
    // What was read must pack back without running past the block.
    kx::PackAllDataBlock(state);
    return 0;
}

extern "C" void KxFuzzSeeds(std::vector<std::vector<std::uint8_t>>* seeds) {
    std::vector<std::uint8_t> reply(kx::readall::kFrameSize, 0);
    reply[16] = 0x90;
    for (std::size_t i = 17; i < 255; ++i)
        reply[i] = static_cast<std::uint8_t>(i * 7);
    seeds->push_back(reply);
}
