#pragma once
// Running one command over every chosen device: a batch of jobs through the fleet engine, and
// a report row for each device, in the order the devices were given.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/report.h"
#include "cli/target.h"

namespace kx::cli {

DeviceReport RowFor(const Target& target, std::string sent, const FleetResult& result);
// A device no search found: nothing was sent to it.
DeviceReport MissingRow(const Target& target);

// make(i, target) gives the job for targets[i], or nothing to leave that device out; the
// results line up with the targets (nothing for a device left out or not found).
using MakeJob = std::function<std::optional<FleetJob>(std::size_t, const Target&)>;
std::vector<std::optional<FleetResult>> RunEach(Context& ctx, const std::vector<Target>& targets,
                                                const MakeJob& make);

// The devices the options name, found and ready; nothing (with the exit status in `status`
// and the message written) when the options are wrong or --all found no device.
std::optional<std::vector<Target>> ChooseTargets(Context& ctx, const TargetSpec& wanted,
                                                 Reach reach, int& status);

// The common case: one request to each device, one row each, then the summary.
int SendToEach(Context& ctx, const TargetSpec& wanted, Reach reach, const std::string& command,
               const std::string& sent, const std::function<FleetJob(const FleetDevice&)>& make);

} // namespace kx::cli
