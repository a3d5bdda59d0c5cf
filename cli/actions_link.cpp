// The search and the raw exchanges.
#include <nlohmann/json.hpp>

#include "cli/actions.h"
#include "cli/exit_status.h"
#include "cli/fleet_run.h"
#include "cli/numbers.h"
#include "platform/text.h"

namespace kx::cli {
namespace {

std::string IpText(const device_entry& entry) {
    return std::string(entry.ip_text, strnlen(entry.ip_text, sizeof(entry.ip_text)));
}

void PrintScanJson(const Context& ctx) {
    auto list = nlohmann::ordered_json::array();
    const int count = std::min(ctx.session.m_device_count, kDeviceTableSize);
    for (int i = 0; i < count; ++i) {
        const auto& entry = ctx.session.m_device_list[static_cast<std::size_t>(i)];
        const auto index = static_cast<std::size_t>(i);
        nlohmann::ordered_json item;
        item["index"] = i;
        item["text"] = index < ctx.view.list_items.size()
                           ? platform::Utf16ToUtf8(ctx.view.list_items[index])
                           : std::string();
        item["ip"] = IpText(entry);
        item["dev_type"] = entry.dev_type;
        item["dev_addr"] = entry.dev_addr;
        list.push_back(item);
    }
    ctx.out << list.dump(2) << '\n';
}

void PrintScanPlain(const Context& ctx) {
    for (const auto& item : ctx.view.list_items)
        ctx.out << platform::Utf16ToUtf8(item) << '\n';
    ctx.out << ctx.view.status_text << '\n';
}

} // namespace

int RunScan(Context& ctx, const Args& args) {
    const auto search = CheckSearch(args.target, ctx.err);
    if (!search)
        return kExitUsage;
    Search(ctx.session, *search);
    if (ctx.json)
        PrintScanJson(ctx);
    else
        PrintScanPlain(ctx);
    ctx.out.flush();
    return ctx.session.m_device_count > 0 ? kExitAccepted : kExitNoReply;
}

int RunSendValue(Context& ctx, const Args& args) {
    std::string error;
    const auto code = ParseNumber(args.code, 0, 255, "CODE", error);
    const auto value = code ? ParseNumber(args.value, 0, 255, "VALUE", error) : std::nullopt;
    if (!value)
        return Usage(ctx.err, error);
    const std::string sent = "send-value " + HexByte(*code) + " " + std::to_string(*value);
    return SendToEach(ctx, args.target, Reach::ManyDevices, "send-value", sent,
                      [&](const FleetDevice& d) { return ValueJob(d, *code, *value); });
}

int RunSendLineValue(Context& ctx, const Args& args) {
    std::string error;
    const auto code = ParseNumber(args.code, 0, 255, "CODE", error);
    const auto line = code ? ParseNumber(args.line, 0, 255, "LINE", error) : std::nullopt;
    const auto value = line ? ParseNumber(args.value, 0, 255, "VALUE", error) : std::nullopt;
    if (!value)
        return Usage(ctx.err, error);
    const std::string sent = "send-line-value " + HexByte(*code) + " " + std::to_string(*line) +
                             " " + std::to_string(*value);
    return SendToEach(ctx, args.target, Reach::ManyDevices, "send-line-value", sent,
                      [&](const FleetDevice& d) { return LineValueJob(d, *code, *line, *value); });
}

} // namespace kx::cli
