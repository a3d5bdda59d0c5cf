#include "cli/fleet_run.h"

#include "cli/exit_status.h"

namespace kx::cli {

DeviceReport RowFor(const Target& target, std::string sent, const FleetResult& result) {
    DeviceReport row;
    row.device = target.ip_text;
    row.list_text = target.list_text;
    row.sent = std::move(sent);
    row.outcome = result.outcome;
    if (result.outcome == FleetOutcome::Accepted || result.outcome == FleetOutcome::Refused)
        if (!result.config && !result.found)
            row.status = result.status;
    if (result.outcome != FleetOutcome::NotSent)
        row.ms = result.round_trip_ms;
    row.problem = result.problem;
    row.exit_status = ExitFor(result.outcome);
    return row;
}

DeviceReport MissingRow(const Target& target) {
    DeviceReport row;
    row.device = target.ip_text;
    row.sent = "search";
    row.outcome = FleetOutcome::NoAnswer;
    row.ms = target.looked_ms;
    row.exit_status = kExitNoReply;
    return row;
}

std::vector<std::optional<FleetResult>> RunEach(Context& ctx, const std::vector<Target>& targets,
                                                const MakeJob& make) {
    std::vector<FleetJob> jobs;
    std::vector<std::size_t> index;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        if (!targets[i].found)
            continue;
        if (auto job = make(i, targets[i])) {
            jobs.push_back(std::move(*job));
            index.push_back(i);
        }
    }
    std::vector<FleetResult> results = ctx.engine.RunBatch(std::move(jobs));
    std::vector<std::optional<FleetResult>> out(targets.size());
    for (std::size_t k = 0; k < results.size(); ++k)
        out[index[k]] = std::move(results[k]);
    return out;
}

std::optional<std::vector<Target>> ChooseTargets(Context& ctx, const TargetSpec& wanted,
                                                 Reach reach, int& status) {
    const auto choice = CheckTargets(wanted, reach, ctx.err);
    if (!choice) {
        status = kExitUsage;
        return std::nullopt;
    }
    std::vector<Target> targets = ResolveTargets(ctx, *choice);
    if (targets.empty()) {
        status = Fail(ctx.err, "no device answered the search", kExitNoReply);
        return std::nullopt;
    }
    return targets;
}

int SendToEach(Context& ctx, const TargetSpec& wanted, Reach reach, const std::string& command,
               const std::string& sent, const std::function<FleetJob(const FleetDevice&)>& make) {
    int status = 0;
    const auto targets = ChooseTargets(ctx, wanted, reach, status);
    if (!targets)
        return status;
    const auto results =
        RunEach(ctx, *targets, [&make](std::size_t, const Target& t) { return make(t.device); });
    Report report(command, ctx.json, ctx.out);
    for (std::size_t i = 0; i < targets->size(); ++i)
        report.Add(results[i] ? RowFor((*targets)[i], sent, *results[i])
                              : MissingRow((*targets)[i]));
    return report.Finish();
}

} // namespace kx::cli
