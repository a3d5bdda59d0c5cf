// Whole-configuration commands: read-all, saving it to the settings file, and the set-all
// write of a settings file or of the defaults.
#include "cli/actions.h"
#include "cli/exit_status.h"
#include "model/config_json.h"

namespace kx::cli {
namespace {

// The device ignores every command while its DIP switches are not set to PC control; say so,
// as the panel does, without changing the outcome.
void WarnIfNotPcControl(Context& ctx) {
    if (ctx.session.m_control_mode == kControlModeNotPc)
        ctx.view.ShowAlert({"Please set DIP switches to \"Controls-PC\".", "Err"});
}

} // namespace

int ReadDevice(Context& ctx) {
    if (ctx.session.ReadAllConfig() != Outcome::Accepted)
        return Fail(ctx.err, "no read-all reply from the device", kExitNoReply);
    WarnIfNotPcControl(ctx);
    return kExitAccepted;
}

int RunRead(Context& ctx, const Args& args) {
    if (const int status = SelectTarget(ctx.session, args.target, ctx.err))
        return status;
    if (const int status = ReadDevice(ctx))
        return status;
    ctx.out << ConfigToJson(ctx.session).dump(2) << '\n';
    ctx.out.flush();
    return kExitAccepted;
}

} // namespace kx::cli
