#pragma once
// Which devices a command goes to: several --device IP (each with its address byte, or asking
// the address for it), or --all, every device one search finds.
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/context.h"
#include "link/fleet_job.h"

namespace kx::cli {

// The options as typed.
struct TargetSpec {
    std::vector<std::string> devices;   // --device IP
    std::vector<std::string> dev_addrs; // --dev-addr N: once for every device, or once each
    bool all = false;                   // --all
    std::vector<std::string> to;        // --to IP: also asked directly by every search
    std::optional<std::string> wait;    // --wait MS: how long a search listens
};

struct SearchChoice {
    std::vector<std::uint32_t> to;
    std::uint32_t wait_ms = kSearchWaitMs;
};

struct TargetChoice {
    struct Given {
        std::string ip_text;
        std::uint32_t ip = 0;
        std::optional<std::uint8_t> dev_addr;
    };
    std::vector<Given> devices;
    bool all = false;
    SearchChoice search;
};

// Names are per device, and an address can be given to one device only: such commands refuse
// --all and more than one --device.
enum class Reach { OneDevice, ManyDevices };

// The search options alone; nothing (with the usage message written) when one is malformed.
std::optional<SearchChoice> CheckSearch(const TargetSpec& wanted, std::ostream& err);
// Every target option, without touching the network. `required` false lets a command go on
// without any device named (restore takes them from its backup).
std::optional<TargetChoice> CheckTargets(const TargetSpec& wanted, Reach reach, std::ostream& err,
                                         bool required = true);

// Runs the session's search with the chosen extra addresses and listening time.
void Search(CKX7214Session& session, const SearchChoice& choice);

struct Target {
    FleetDevice device;
    std::string ip_text;
    std::optional<std::string> list_text; // known when a search found the device
    bool found = true;                    // false: no search found a device at that address
    std::uint32_t looked_ms = 0;          // how long it was looked for, when not found
};

// The devices in the order given (or found). A device without an address byte is first asked
// directly (a search request to its address alone, so a device on another subnet answers),
// then looked for by a broadcast search; one neither finds is returned with found = false. An
// empty result means --all found nothing.
std::vector<Target> ResolveTargets(Context& ctx, const TargetChoice& choice);

} // namespace kx::cli
