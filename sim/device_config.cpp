#include <algorithm>
#include <cstring>

#include "platform/socket.h"
#include "platform/text.h"
#include "sim/multiviewer.h"
#include "sim/test_segment.h"

namespace kx::sim {
namespace {

// The name field holds 16 name bytes and always a terminating zero.
constexpr std::size_t kNameBytes = block::kDeviceNameSize - 1;
constexpr std::size_t kUmdUnits = block::kUmdTextSize / 2;

constexpr std::uint32_t kLoopbackNet = 0x7F000000;
constexpr std::uint32_t kLoopbackMask = 0xFF000000;
constexpr std::uint32_t kPanelIp = 0x7F000001;
constexpr std::uint32_t kLoopbackBroadcast = 0x7FFFFFFF;

// What follows the name in a search reply. Its last '-' has two more characters after it, so
// the checksum that follows the text can never complete a pattern.
constexpr const char* kSearchSuffix = "-A-01";

} // namespace

void DeviceConfig::SetName(const std::string& ansi_name) {
    const std::size_t n = std::min(ansi_name.size(), kNameBytes);
    std::fill_n(block.begin() + block::kDeviceName, block::kDeviceNameSize, std::uint8_t{0});
    std::memcpy(block.data() + block::kDeviceName, ansi_name.data(), n);
}

std::string DeviceConfig::Name() const {
    const auto* field = reinterpret_cast<const char*>(block.data() + block::kDeviceName);
    return std::string(field, strnlen(field, block::kDeviceNameSize));
}

void DeviceConfig::SetUmdText(int line, const std::u16string& text) {
    const std::u16string_view cut = platform::CutUtf16(text, kUmdUnits);
    const std::size_t at = block::UmdAt(line);
    std::fill_n(block.begin() + at + block::kUmdText, block::kUmdTextSize, std::uint8_t{0});
    for (std::size_t i = 0; i < cut.size(); ++i) {
        block[at + block::kUmdText + 2 * i] = static_cast<std::uint8_t>(cut[i] & 0xFF);
        block[at + block::kUmdText + 2 * i + 1] = static_cast<std::uint8_t>(cut[i] >> 8);
    }
    block[at + block::kUmdTextLength] = static_cast<std::uint8_t>(2 * cut.size());
}

std::u16string DeviceConfig::UmdText(int line) const {
    const std::size_t at = block::UmdAt(line);
    const std::size_t len =
        std::min<std::size_t>(block[at + block::kUmdTextLength], block::kUmdTextSize);
    std::u16string text;
    for (std::size_t i = 0; i < len; i += 2) {
        const std::uint8_t lo = block[at + block::kUmdText + i];
        const std::uint8_t hi = i + 1 < len ? block[at + block::kUmdText + i + 1] : 0;
        const auto unit = static_cast<char16_t>(lo | (hi << 8));
        if (unit == 0)
            break;
        text.push_back(unit);
    }
    return text;
}

DeviceConfig DeviceConfig::Sample(const std::string& ansi_name) {
    DeviceConfig config;
    config.SetName(ansi_name);
    for (int line = 0; line < 4; ++line) {
        const std::u16string text = u"Input " + std::u16string(1, char16_t(u'1' + line));
        config.SetUmdText(line, text);
        config.At(block::UmdAt(line) + block::kUmdEnable) = 1;
        config.At(block::AudioAt(line) + block::kAudioEnable) = 1;
        config.At(block::InputAt(line) + block::kInputEnable) = 1;
    }
    return config;
}

std::string NameText(const std::string& name) {
    std::string text = name + kSearchSuffix;
    // A '-' with another two places on would make the panel list one more device, named by
    // what stands before it. Changing it only ever removes patterns, so one pass is enough.
    for (std::size_t p = 0; p < name.size(); ++p)
        if (text[p] == '-' && text[p + 2] == '-')
            text[p] = '_';
    return text;
}

std::string DeviceIpProblem(std::uint32_t ip) {
    if (OnTestSegment(ip))
        return TestSegmentAddressProblem(ip);
    const std::string text = platform::InetNtoa(ip);
    if ((ip & kLoopbackMask) != kLoopbackNet)
        return text + " is not a loopback address (127.0.0.0/8)";
    if (ip == kPanelIp)
        return text + " is where the panel's replies arrive";
    if (ip == kLoopbackNet || ip == kLoopbackBroadcast)
        return text + " is not a host address";
    return {};
}

} // namespace kx::sim
