#include "cli/target.h"

#include <algorithm>
#include <cstring>

#include "cli/exit_status.h"
#include "cli/numbers.h"
#include "platform/clock.h"
#include "platform/text.h"

namespace kx::cli {
namespace {

// A script that knows its devices answer quickly listens less; a minute is plenty for any.
constexpr unsigned kMaxWaitMs = 60000;

std::uint32_t IpOf(const Quad& q) {
    return std::uint32_t{q[0]} << 24 | std::uint32_t{q[1]} << 16 | std::uint32_t{q[2]} << 8 | q[3];
}

std::optional<std::uint32_t> CheckIp(const std::string& text, std::string_view what,
                                     std::ostream& err) {
    std::string error;
    const auto quad = ParseDottedQuad(text, what, error);
    if (!quad) {
        Usage(err, error);
        return std::nullopt;
    }
    return IpOf(*quad);
}

std::string EntryIp(const device_entry& entry) {
    return std::string(entry.ip_text, strnlen(entry.ip_text, sizeof entry.ip_text));
}

Target FromTable(const CKX7214Session& session, const HeadlessView& view, int index) {
    const device_entry& entry = session.m_device_list[static_cast<std::size_t>(index)];
    Target t;
    t.ip_text = EntryIp(entry);
    t.device = {platform::InetAddr(t.ip_text.c_str()), entry.dev_addr, entry.dev_type};
    if (static_cast<std::size_t>(index) < view.list_items.size())
        t.list_text = platform::Utf16ToUtf8(view.list_items[static_cast<std::size_t>(index)]);
    return t;
}

// Every device the last search listed, each address once (one reply may name two devices).
std::vector<Target> Listed(const Context& ctx) {
    std::vector<Target> out;
    for (int i = 0; i < std::min(ctx.session.m_device_count, kDeviceTableSize); ++i) {
        Target t = FromTable(ctx.session, ctx.view, i);
        if (std::none_of(out.begin(), out.end(),
                         [&t](const Target& o) { return o.device.ip == t.device.ip; }))
            out.push_back(std::move(t));
    }
    return out;
}

// Asks every device without an address byte directly, all at once.
void AskDirectly(Context& ctx, std::vector<Target>& targets, std::uint32_t wait_ms) {
    std::vector<FleetJob> jobs;
    std::vector<Target*> asked;
    for (Target& t : targets)
        if (!t.found) {
            jobs.push_back(SearchJob(t.device.ip, wait_ms));
            asked.push_back(&t);
        }
    const auto results = ctx.engine.RunBatch(std::move(jobs));
    for (std::size_t i = 0; i < results.size(); ++i) {
        Target& t = *asked[i];
        t.looked_ms += results[i].round_trip_ms;
        if (const auto& found = results[i].found) {
            t.device = {t.device.ip, found->dev_addr, found->dev_type};
            t.list_text = platform::Utf16ToUtf8(found->list_text);
            t.found = true;
        }
    }
}

void LookInSearch(Context& ctx, std::vector<Target>& targets, const SearchChoice& search) {
    const std::uint32_t t0 = platform::TickCount();
    Search(ctx.session, search);
    const std::vector<Target> listed = Listed(ctx);
    const std::uint32_t spent = platform::ElapsedSince(t0);
    for (Target& t : targets) {
        if (t.found)
            continue;
        t.looked_ms += spent;
        const auto it = std::find_if(listed.begin(), listed.end(),
                                     [&t](const Target& l) { return l.device.ip == t.device.ip; });
        if (it != listed.end())
            t = *it;
        else
            Fail(ctx.err, "no device answered the search from " + t.ip_text, kExitNoReply);
    }
}

} // namespace

std::optional<SearchChoice> CheckSearch(const TargetSpec& wanted, std::ostream& err) {
    SearchChoice choice;
    for (const std::string& to : wanted.to) {
        const auto ip = CheckIp(to, "--to", err);
        if (!ip)
            return std::nullopt;
        choice.to.push_back(*ip);
    }
    if (wanted.wait) {
        std::string error;
        const auto ms = ParseUnsigned(*wanted.wait, 0, kMaxWaitMs, "--wait", error);
        if (!ms) {
            Usage(err, error);
            return std::nullopt;
        }
        choice.wait_ms = *ms;
    }
    return choice;
}

std::optional<TargetChoice> CheckTargets(const TargetSpec& wanted, Reach reach, std::ostream& err,
                                         bool required) {
    TargetChoice choice;
    const auto search = CheckSearch(wanted, err);
    if (!search)
        return std::nullopt;
    choice.search = *search;
    choice.all = wanted.all;
    const auto refuse = [&err](const std::string& message) {
        Usage(err, message);
        return std::nullopt;
    };
    if (wanted.all && !wanted.devices.empty())
        return refuse("--all and --device exclude each other");
    if (wanted.devices.empty() && !wanted.dev_addrs.empty())
        return refuse("--dev-addr goes with --device (a search learns the address bytes)");
    if (required && !wanted.all && wanted.devices.empty())
        return refuse("--device IP (or --all) is required for this command");
    if (reach == Reach::OneDevice && (wanted.all || wanted.devices.size() > 1))
        return refuse("this command goes to one device at a time: give one --device");
    if (wanted.dev_addrs.size() > 1 && wanted.dev_addrs.size() != wanted.devices.size())
        return refuse("give --dev-addr once for every device, or once for each --device");
    for (std::size_t i = 0; i < wanted.devices.size(); ++i) {
        TargetChoice::Given given;
        given.ip_text = wanted.devices[i];
        const auto ip = CheckIp(wanted.devices[i], "--device", err);
        if (!ip)
            return std::nullopt;
        given.ip = *ip;
        for (const auto& earlier : choice.devices)
            if (earlier.ip == given.ip)
                return refuse("--device " + wanted.devices[i] + " is given twice");
        if (!wanted.dev_addrs.empty()) {
            std::string error;
            const std::string& text = wanted.dev_addrs[wanted.dev_addrs.size() == 1 ? 0 : i];
            given.dev_addr = ParseNumber(text, 0, 255, "--dev-addr", error);
            if (!given.dev_addr)
                return refuse(error);
        }
        choice.devices.push_back(std::move(given));
    }
    return choice;
}

void Search(CKX7214Session& session, const SearchChoice& choice) {
    session.m_search_addresses = choice.to;
    session.m_search_wait_ms = choice.wait_ms;
    session.ScanDevices();
}

std::vector<Target> ResolveTargets(Context& ctx, const TargetChoice& choice) {
    if (choice.all) {
        Search(ctx.session, choice.search);
        return Listed(ctx);
    }
    std::vector<Target> targets;
    for (const auto& given : choice.devices) {
        Target t;
        t.device = {given.ip, given.dev_addr.value_or(0)};
        t.ip_text = given.ip_text;
        t.found = given.dev_addr.has_value();
        targets.push_back(std::move(t));
    }
    if (std::all_of(targets.begin(), targets.end(), [](const Target& t) { return t.found; }))
        return targets;
    AskDirectly(ctx, targets, choice.search.wait_ms);
    if (std::any_of(targets.begin(), targets.end(), [](const Target& t) { return !t.found; }))
        LookInSearch(ctx, targets, choice.search);
    return targets;
}

} // namespace kx::cli
