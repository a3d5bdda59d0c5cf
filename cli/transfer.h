#pragma once
// Whole configurations: reading each device, and writing a configuration back to each as one
// set-all block. The block also carries the device name, which no settings file keeps, so a
// device is always read first and its own name goes back with the rest.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/fleet_run.h"

namespace kx::cli {

using Reads = std::vector<std::optional<FleetResult>>;

// Read-all to every found device; warns about each device that is not under PC control.
Reads ReadEach(Context& ctx, const std::vector<Target>& targets);

// What to write to one device that was read: its configuration, changed in place, and what the
// report says was sent; or, with `skip` set, nothing, for that reason and exit status.
struct Rewrite {
    std::string sent;
    std::string skip;
    int skip_status = 0;

    static Rewrite Send(std::string sent) { return {std::move(sent), {}, 0}; }
    static Rewrite Skip(std::string why, int status) { return {{}, std::move(why), status}; }
};
using Prepare = std::function<Rewrite(const Target&, SessionState&)>;

// Sends the set-all block to every device that was read, and adds one row per target: the
// set-all's outcome, or the read's where the read did not succeed.
void WriteEach(Context& ctx, Report& report, const std::vector<Target>& targets, const Reads& reads,
               const Prepare& prepare);

} // namespace kx::cli
