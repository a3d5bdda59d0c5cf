// Single settings: one set command each, checked against the field's option list first.
#include "cli/actions.h"
#include "cli/exit_status.h"
#include "cli/fleet_run.h"
#include "cli/numbers.h"
#include "link/config_layout.h"
#include "platform/text.h"

namespace kx::cli {
namespace {

constexpr std::uint8_t kAudioLeft = 0;
constexpr std::uint8_t kAudioRight = 2;
constexpr std::uint8_t kLastLine = kLineCount - 1;

// The device takes 0 for Left and 2 for Right; the words are what scripts write, and the two
// numbers are accepted as well because read reports them. 1 is refused: it is only the
// desktop list's index for Right, never a value the device itself reports.
std::optional<std::uint8_t> ParseAudioPosition(const std::string& text, std::string& error) {
    if (text == "left" || text == "0")
        return kAudioLeft;
    if (text == "right" || text == "2")
        return kAudioRight;
    error = "VALUE for audio_postion must be left or right (0 or 2), not '" + text + "'";
    return std::nullopt;
}

std::optional<std::uint8_t> ParseFieldValue(const CommandInfo& info, const std::string& text,
                                            std::string& error) {
    if (info.code == CMD_SET_AUDIO_POSITION)
        return ParseAudioPosition(text, error);
    return ParseNumber(text, 0, info.option_count - 1u, "VALUE for " + std::string(info.field),
                       error);
}

// The line of a per-input field; nothing (with error set) when missing, out of range, or
// given for a field that has no lines. `line` is left alone for a whole-device field.
bool ParseFieldLine(const CommandInfo& info, const Args& args, std::uint8_t& line,
                    std::string& error) {
    if (!info.PerLine()) {
        if (args.line_option)
            error = std::string(info.field) + " is not a per-input field: drop --line";
        return !args.line_option;
    }
    if (!args.line_option) {
        error = std::string(info.field) + " is a per-input field: --line 0..3 is required";
        return false;
    }
    const auto parsed = ParseNumber(*args.line_option, 0, kLastLine, "--line", error);
    line = parsed.value_or(0);
    return parsed.has_value();
}

// A text as the report shows what was sent: quoted and escaped as in JSON, so a tab or a line
// end in it cannot break the report's line.
std::string Quoted(const std::string& text) {
    return DumpJson(text);
}

std::string FieldNames() {
    std::string names;
    for (const auto& c : Commands())
        if (c.IsSetting())
            names += (names.empty() ? "" : ", ") + std::string(c.field);
    return names;
}

} // namespace

int RunSet(Context& ctx, const Args& args) {
    const CommandInfo* info = FindSetting(args.field);
    if (info == nullptr)
        return Usage(ctx.err, "unknown field '" + args.field + "' (fields: " + FieldNames() + ")");
    std::string error;
    std::uint8_t line = 0;
    if (!ParseFieldLine(*info, args, line, error))
        return Usage(ctx.err, error);
    const auto value = ParseFieldValue(*info, args.value, error);
    if (!value)
        return Usage(ctx.err, error);
    std::string sent = "set " + std::string(info->field) + " " + std::to_string(*value);
    if (info->PerLine())
        sent += " line " + std::to_string(line);
    return SendToEach(ctx, args.target, Reach::ManyDevices, "set", sent, [&](const FleetDevice& d) {
        return info->PerLine() ? LineValueJob(d, info->code, line, *value)
                               : ValueJob(d, info->code, *value);
    });
}

int RunUmdText(Context& ctx, const Args& args) {
    std::string error;
    const auto line = ParseNumber(args.line, 0, kLastLine, "LINE", error);
    if (!line)
        return Usage(ctx.err, error);
    const std::u16string text = platform::Utf8ToUtf16(args.text);
    if (text.size() > kUmdTextMaxUnits)
        return Usage(ctx.err, "TEXT: the device keeps at most " + std::to_string(kUmdTextMaxUnits) +
                                  " UTF-16 code units");
    const std::string sent = "umd-text " + std::to_string(*line) + " " + Quoted(args.text);
    return SendToEach(ctx, args.target, Reach::ManyDevices, "umd-text", sent,
                      [&](const FleetDevice& d) { return UmdTextJob(d, *line, text); });
}

int RunName(Context& ctx, const Args& args) {
    const std::u16string name = platform::Utf8ToUtf16(args.text);
    if (platform::WideToAnsi(name).size() > kDeviceNameMaxBytes)
        return Usage(ctx.err, "TEXT: the device keeps at most " +
                                  std::to_string(kDeviceNameMaxBytes) + " name bytes");
    return SendToEach(ctx, args.target, Reach::OneDevice, "name", "name " + Quoted(args.text),
                      [&](const FleetDevice& d) { return DeviceNameJob(d, name); });
}

int RunCustom(Context& ctx, const Args& args) {
    std::string error;
    const auto slot = ParseNumber(args.slot, 1, 2, "custom slot", error);
    if (!slot)
        return Usage(ctx.err, error);
    return SendToEach(ctx, args.target, Reach::ManyDevices, "custom",
                      "custom " + std::to_string(*slot),
                      [&](const FleetDevice& d) { return CustomSlotJob(d, *slot); });
}

// One device only: two devices given the same address would both be unreachable.
int RunNetwork(Context& ctx, const Args& args) {
    std::string error;
    const auto ip = ParseDottedQuad(args.ip, "IP", error);
    const auto mask = ip ? ParseDottedQuad(args.mask, "MASK", error) : std::nullopt;
    const auto gateway = mask ? ParseDottedQuad(args.gateway, "GATEWAY", error) : std::nullopt;
    if (!gateway)
        return Usage(ctx.err, error);
    // The device must never be given a zero address, mask or gateway: it would be unreachable.
    if (*ip == Quad{} || *mask == Quad{} || *gateway == Quad{})
        return Usage(ctx.err, "IP, MASK and GATEWAY must not be 0.0.0.0");
    std::array<std::uint8_t, kNetConfigSize> cfg{};
    std::copy(ip->begin(), ip->end(), cfg.begin() + netcfg::kIp);
    std::copy(mask->begin(), mask->end(), cfg.begin() + netcfg::kMask);
    std::copy(gateway->begin(), gateway->end(), cfg.begin() + netcfg::kGateway);
    const std::string sent = "network " + args.ip + " " + args.mask + " " + args.gateway;
    return SendToEach(ctx, args.target, Reach::OneDevice, "network", sent,
                      [&](const FleetDevice& d) { return NetworkJob(d, cfg); });
}

} // namespace kx::cli
