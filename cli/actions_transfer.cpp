// Reading whole configurations.
#include "cli/actions.h"
#include "cli/exit_status.h"
#include "cli/transfer.h"
#include "model/config_json.h"

namespace kx::cli {

// Standard output carries the configurations alone, so `read | jq` keeps working: one device
// prints its configuration as it always has; several print one object each, with the device's
// address and list text around the configuration. The report rows go to standard error. With
// --json the rows themselves carry the configurations, on standard output.
int RunRead(Context& ctx, const Args& args) {
    int status = 0;
    const auto targets = ChooseTargets(ctx, args.target, Reach::ManyDevices, status);
    if (!targets)
        return status;
    const bool several = args.target.all || args.target.devices.size() > 1;
    const Reads reads = ReadEach(ctx, *targets);
    Report report("read", ctx.json, ctx.json ? ctx.out : ctx.err);
    for (std::size_t i = 0; i < targets->size(); ++i) {
        const Target& t = (*targets)[i];
        if (!reads[i]) {
            report.Add(MissingRow(t));
            continue;
        }
        DeviceReport row = RowFor(t, "read-all", *reads[i]);
        if (const auto& config = reads[i]->config) {
            nlohmann::ordered_json j = ConfigToJson(*config);
            if (ctx.json)
                row.extra["config"] = std::move(j);
            else if (several)
                ctx.out << DumpJson({{"device", t.ip_text},
                                     {"list_text", TextOrNull(t.list_text)},
                                     {"config", std::move(j)}},
                                    2)
                        << '\n';
            else
                ctx.out << DumpJson(j, 2) << '\n';
            ctx.out.flush();
        }
        report.Add(std::move(row));
    }
    return report.Finish();
}

} // namespace kx::cli
