#include "ui/demo.h"

#include "link/config_layout.h"
#include "platform/interfaces.h"

namespace kx::ui {

namespace {

constexpr std::uint32_t kStudioAIp = 0x7F000002; // 127.0.0.2
constexpr std::uint32_t kEditBIp = 0x7F000003;   // 127.0.0.3
constexpr std::uint32_t kRemoteIp = 0x7F000004;  // 127.0.0.4

// Labels on every input: UMD centred, meter on the left, input status top left.
void ShowAllLabels(sim::DeviceConfig& c, std::uint8_t umd_colour, std::uint8_t input_colour) {
    for (int line = 0; line < 4; ++line) {
        c.At(block::UmdAt(line) + block::kUmdEnable) = 1;
        c.At(block::UmdAt(line) + block::kUmdPosition) = 1;
        c.At(block::UmdAt(line) + block::kUmdTextColor) = 7;
        c.At(block::UmdAt(line) + block::kUmdBackColor) = umd_colour;
        c.At(block::AudioAt(line) + block::kAudioEnable) = 1;
        c.At(block::AudioAt(line) + block::kAudioPosition) = 0;
        c.At(block::InputAt(line) + block::kInputEnable) = 1;
        c.At(block::InputAt(line) + block::kInputPosition) = 0;
        c.At(block::InputAt(line) + block::kInputBackColor) = input_colour;
    }
}

sim::DeviceOptions Demo(std::uint32_t ip, const std::string& name, std::uint8_t addr) {
    sim::DeviceOptions options;
    options.ip = ip;
    options.dev_addr = addr;
    options.search_text = sim::NameText(name);
    options.config.SetName(name);
    return options;
}

} // namespace

sim::DeviceOptions DemoStudioA() {
    sim::DeviceOptions options = Demo(kStudioAIp, "KX7214-Studio-A", 0x01);
    sim::DeviceConfig& c = options.config;
    c.firmware = {12, 34};
    c.At(block::kOutputFormat) = 0; // 1080p60
    c.At(block::kOutputLayout) = 0; // four equal windows
    c.At(block::kBorderEnable) = 1;
    c.At(block::kBorderColor) = 0; // white
    ShowAllLabels(c, 1, 4);
    const char16_t* texts[] = {u"CAM 1", u"CAM 2", u"GFX", u"PGM"};
    for (int line = 0; line < 4; ++line)
        c.SetUmdText(line, texts[line]);
    return options;
}

sim::DeviceOptions DemoEditB() {
    sim::DeviceOptions options = Demo(kEditBIp, "Edit-Bay", 0x02);
    sim::DeviceConfig& c = options.config;
    c.firmware = {10, 23};
    c.At(block::kOutputFormat) = 6; // 1080i50
    c.At(block::kOutputLayout) = 5; // one large, two small
    c.At(block::kBorderEnable) = 1;
    c.At(block::kBorderColor) = 1; // red
    ShowAllLabels(c, 2, 6);
    return options;
}

sim::DeviceOptions DemoRemote() {
    sim::DeviceOptions options = Demo(kRemoteIp, "Remote-Rack", 0x03);
    options.hears_limited_broadcast = false;
    sim::DeviceConfig& c = options.config;
    c.At(block::kOutputLayout) = 12; // input 4 full size
    ShowAllLabels(c, 3, 5);
    return options;
}

bool OnlyLoopbackNetwork() {
    return platform::NonLoopbackInterface().empty();
}

bool DemoDevices::Start(std::string& error) {
    m_host.AddDevice(DemoStudioA());
    m_host.AddDevice(DemoEditB());
    m_host.AddDevice(DemoRemote());
    if (!m_host.Start()) {
        error = m_host.Error();
        return false;
    }
    return true;
}

} // namespace kx::ui
