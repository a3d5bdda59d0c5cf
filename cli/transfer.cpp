#include "cli/transfer.h"

#include "cli/exit_status.h"

namespace kx::cli {
namespace {

// The device ignores every command while its DIP switches are not set to PC control; say so,
// as the panel does, without changing the outcome.
void WarnIfNotPcControl(Context& ctx, const Target& target, const SessionState& config) {
    if (config.m_control_mode == kControlModeNotPc)
        ctx.view.ShowAlert(
            {"Please set DIP switches to \"Controls-PC\". (" + target.ip_text + ")", "Err"});
}

} // namespace

Reads ReadEach(Context& ctx, const std::vector<Target>& targets) {
    Reads reads = RunEach(ctx, targets, [](std::size_t, const Target& t) {
        return std::optional(ReadAllJob(t.device));
    });
    for (std::size_t i = 0; i < targets.size(); ++i)
        if (reads[i] && reads[i]->config)
            WarnIfNotPcControl(ctx, targets[i], *reads[i]->config);
    return reads;
}

void WriteEach(Context& ctx, Report& report, const std::vector<Target>& targets, const Reads& reads,
               const Prepare& prepare) {
    std::vector<Rewrite> rewrites(targets.size());
    const auto writes = RunEach(ctx, targets, [&](std::size_t i, const Target& t) {
        std::optional<FleetJob> job;
        if (!reads[i] || !reads[i]->config)
            return job;
        SessionState config = *reads[i]->config;
        rewrites[i] = prepare(t, config);
        if (rewrites[i].skip.empty())
            job = SetAllJob(t.device, config);
        return job;
    });
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const Target& t = targets[i];
        if (!reads[i]) {
            report.Add(MissingRow(t));
        } else if (!reads[i]->config) {
            report.Add(RowFor(t, "read-all", *reads[i]));
        } else if (!rewrites[i].skip.empty()) {
            DeviceReport row = RowFor(t, "read-all", *reads[i]);
            row.outcome = FleetOutcome::NotSent;
            row.problem = rewrites[i].skip;
            row.exit_status = rewrites[i].skip_status;
            report.Add(std::move(row));
        } else {
            report.Add(RowFor(t, rewrites[i].sent, *writes[i]));
        }
    }
}

} // namespace kx::cli
