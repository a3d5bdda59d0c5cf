#include "sim/device_logic.h"

#include <algorithm>

#include "link/commands.h"
#include "link/frame.h"

namespace kx::sim {
namespace {

constexpr int kLines = 4;

std::uint16_t Checksum(std::span<const std::uint8_t> bytes) {
    std::uint16_t sum = 0;
    for (std::uint8_t b : bytes)
        sum = static_cast<std::uint16_t>(sum + b);
    return sum;
}

bool FramingOk(std::span<const std::uint8_t> d) {
    if (d.size() < frame::kOverhead || d[frame::kOffMagic1] != frame::kMagic1 ||
        d[frame::kOffMagic2] != frame::kMagic2 || d.back() != frame::kTrailer)
        return false;
    const std::size_t length = d[frame::kOffLength] | (d[frame::kOffLength + 1] << 8);
    if (length != d.size())
        return false;
    const std::size_t checksum_at = d.size() - frame::kChecksumSize - 1;
    const std::uint16_t stored =
        static_cast<std::uint16_t>(d[checksum_at] | (d[checksum_at + 1] << 8));
    return stored == Checksum(d.first(checksum_at));
}

// Whether a payload of n bytes has the shape the command carries.
bool PayloadFits(std::uint8_t command, std::size_t n) {
    const CommandInfo* info = FindCommand(command);
    if (info == nullptr)
        return true;
    switch (info->shape) {
    case PayloadShape::LineText:
        return n % 2 == 1; // the line, then whole UTF-16 code units
    case PayloadShape::Name:
        return n >= 1;
    default:
        return RequestLength(info->shape) == frame::TotalLength(n);
    }
}

std::vector<std::uint8_t> Build(Identity id, std::uint8_t command,
                                std::span<const std::uint8_t> payload) {
    std::vector<std::uint8_t> out(frame::TotalLength(payload.size()));
    frame::BuildFrame(id.dev_type, id.dev_addr, command, payload.data(), payload.size(),
                      out.data());
    return out;
}

bool ValidLine(std::uint8_t line) {
    return line < kLines;
}

std::uint8_t ApplySetting(const CommandInfo& info, const Request& r, DeviceConfig& config) {
    std::size_t at = info.block_offset;
    std::uint8_t value = r.payload[0];
    if (info.PerLine()) {
        if (!ValidLine(r.payload[0]))
            return kStatusNoSuchField;
        at += info.block_stride * r.payload[0];
        value = r.payload[1];
    }
    config.At(at) = value;
    return 0;
}

std::uint8_t ApplyUmdText(const Request& r, DeviceConfig& config) {
    const std::uint8_t line = r.payload[0];
    if (!ValidLine(line))
        return kStatusNoSuchField;
    std::u16string text;
    for (std::size_t i = 1; i + 1 < r.payload.size(); i += 2)
        text.push_back(static_cast<char16_t>(r.payload[i] | (r.payload[i + 1] << 8)));
    config.SetUmdText(line, text);
    return 0;
}

std::uint8_t ApplyName(const Request& r, DeviceConfig& config) {
    const auto end = std::find(r.payload.begin(), r.payload.end(), std::uint8_t{0});
    config.SetName(std::string(r.payload.begin(), end));
    return 0;
}

std::uint8_t ApplyAll(const Request& r, DeviceConfig& config) {
    // The block carries zeros where audio combination and transparency lie; the device keeps
    // its own values of those two.
    auto block = config.block;
    std::copy(r.payload.begin(), r.payload.end(), config.block.begin());
    for (int line = 0; line < kLines; ++line)
        for (std::size_t field : {block::kAudioCombination, block::kAudioTransparency})
            config.At(block::AudioAt(line) + field) = block[block::AudioAt(line) + field];
    return 0;
}

std::uint8_t SaveCustom(const Request& r, DeviceConfig& config) {
    const std::uint8_t slot = r.payload[0];
    if (slot < 1 || slot > config.custom.size())
        return kStatusNoSuchField;
    config.custom[slot - 1] = config.block;
    return 0;
}

} // namespace

std::optional<Request> ParseRequest(std::span<const std::uint8_t> datagram) {
    if (!FramingOk(datagram))
        return std::nullopt;
    Request r;
    r.command = datagram[frame::kOffCommand];
    const auto payload = datagram.subspan(frame::kOffPayload, datagram.size() - frame::kOverhead);
    if (!PayloadFits(r.command, payload.size()))
        return std::nullopt;
    r.payload.assign(payload.begin(), payload.end());
    return r;
}

std::vector<std::uint8_t> BuildSearchReply(Identity id, const std::string& text) {
    // The byte before the text is not read by the panel; the device sends zero there.
    std::vector<std::uint8_t> payload(frame::kOffSearchText - frame::kOffPayload, 0);
    payload.insert(payload.end(), text.begin(), text.end());
    return Build(id, CMD_SEARCH, payload);
}

std::vector<std::uint8_t> BuildReadAllReply(Identity id, const DeviceConfig& config) {
    std::vector<std::uint8_t> payload;
    payload.reserve(readall::kPayloadSize);
    payload.push_back(config.control_mode);
    payload.insert(payload.end(), config.firmware.begin(), config.firmware.end());
    payload.insert(payload.end(), config.block.begin(), config.block.end());
    return Build(id, CMD_READ_ALL, payload);
}

std::vector<std::uint8_t> BuildAck(Identity id, std::uint8_t command, std::uint8_t status) {
    return Build(id, command, std::span<const std::uint8_t>(&status, 1));
}

std::uint8_t Apply(const Request& request, DeviceConfig& config, std::uint8_t refuse_status) {
    if (refuse_status != 0)
        return refuse_status;
    const CommandInfo* info = FindCommand(request.command);
    if (info == nullptr)
        return 0;
    if (info->IsSetting())
        return ApplySetting(*info, request, config);
    switch (request.command) {
    case CMD_SET_UMD_TEXT:
        return ApplyUmdText(request, config);
    case CMD_SET_DEVICE_NAME:
        return ApplyName(request, config);
    case CMD_SET_ALL:
        return ApplyAll(request, config);
    case CMD_SAVE_CUSTOM:
        return SaveCustom(request, config);
    case CMD_SET_NETWORK:
        std::copy(request.payload.begin(), request.payload.end(), config.network.begin());
        return 0;
    default:
        return 0;
    }
}

std::uint32_t NetworkIp(const std::array<std::uint8_t, netcfg::kSize>& network) {
    std::uint32_t ip = 0;
    for (std::size_t i = 0; i < 4; ++i)
        ip = (ip << 8) | network[netcfg::kIp + i];
    return ip;
}

} // namespace kx::sim
