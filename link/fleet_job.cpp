#include "link/fleet_job.h"

#include "link/config_layout.h"
#include "link/read_all.h"
#include "platform/text.h"

namespace kx {
namespace {

FleetJob Job(const FleetDevice& device, std::uint8_t command, ExchangeKind kind,
             std::vector<std::uint8_t> payload) {
    return {device, command, std::move(payload), kind, DeadlineMs(kind)};
}

} // namespace

FleetJob ReadAllJob(const FleetDevice& device) {
    return Job(device, CMD_READ_ALL, ExchangeKind::ReadAll, {});
}

FleetJob ValueJob(const FleetDevice& device, std::uint8_t command, std::uint8_t value) {
    return Job(device, command, ExchangeKind::Value, {value});
}

FleetJob LineValueJob(const FleetDevice& device, std::uint8_t command, std::uint8_t line,
                      std::uint8_t value) {
    return Job(device, command, ExchangeKind::LineValue, {line, value});
}

FleetJob UmdTextJob(const FleetDevice& device, std::uint8_t line, std::u16string_view text) {
    std::vector<std::uint8_t> payload{line};
    for (char16_t unit : platform::CutUtf16(text, block::kUmdTextSize / 2)) {
        payload.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        payload.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return Job(device, CMD_SET_UMD_TEXT, ExchangeKind::UmdText, std::move(payload));
}

FleetJob DeviceNameJob(const FleetDevice& device, const std::u16string& name) {
    const std::string ansi = DeviceNameBytes(name);
    std::vector<std::uint8_t> payload(ansi.begin(), ansi.end());
    payload.push_back(0);
    return Job(device, CMD_SET_DEVICE_NAME, ExchangeKind::DeviceName, std::move(payload));
}

FleetJob SetAllJob(const FleetDevice& device, SessionState config) {
    PackAllDataBlock(config);
    const auto& b = config.m_all_data_block;
    return Job(device, CMD_SET_ALL, ExchangeKind::AllConfig, {b.begin(), b.end()});
}

FleetJob CustomSlotJob(const FleetDevice& device, std::uint8_t slot) {
    return ValueJob(device, CMD_SAVE_CUSTOM, slot);
}

FleetJob NetworkJob(const FleetDevice& device,
                    const std::array<std::uint8_t, kNetConfigSize>& network) {
    return Job(device, CMD_SET_NETWORK, ExchangeKind::Network, {network.begin(), network.end()});
}

FleetJob SearchJob(std::uint32_t ip, std::uint32_t wait_ms) {
    FleetJob job = Job({ip, frame::kSearchDevAddr, frame::kSearchDevType}, CMD_SEARCH,
                       ExchangeKind::Search, {});
    job.deadline_ms = wait_ms;
    return job;
}

std::string_view OutcomeWord(FleetOutcome outcome) {
    switch (outcome) {
    case FleetOutcome::Accepted:
        return "accepted";
    case FleetOutcome::Refused:
        return "refused";
    case FleetOutcome::NoAnswer:
        return "no answer";
    case FleetOutcome::NotSent:
        return "not sent";
    }
    return "not sent";
}

} // namespace kx
