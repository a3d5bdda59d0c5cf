// The settings file from the command line: save what the device holds, send a file back.
#include "cli/actions.h"
#include "cli/exit_status.h"
#include "model/settings_file.h"
#include "platform/arguments.h"

namespace kx::cli {
namespace {

// "<what> <path>: <reason>", without naming the path twice when the reason starts with it.
std::string FileProblem(std::string_view what, const std::string& path, const std::string& reason) {
    const bool named = reason.rfind(path, 0) == 0;
    return std::string(what) + " " + (named ? reason : path + ": " + reason);
}

} // namespace

int RunSaveSettings(Context& ctx, const Args& args) {
    const std::string path = args.file.value_or(kSettingsFileName);
    if (const int status = SelectTarget(ctx.session, args.target, ctx.err))
        return status;
    if (const int status = ReadDevice(ctx))
        return status;
    const SettingsSaveResult saved = SaveSettingsFile(ctx.session, platform::PathFromUtf8(path));
    if (!saved.written)
        return Fail(ctx.err, FileProblem("cannot write", path, saved.reason), kExitCantWrite);
    return kExitAccepted;
}

// The set-all block also carries the device name, which the settings file does not keep; the
// device's own configuration is read first so that applying a file or the defaults leaves the
// name as the device has it instead of writing this tool's start-up name over it. A file that
// cannot be read stops everything before the first frame.
int RunApply(Context& ctx, const Args& args) {
    if (!args.file && !args.defaults)
        return Usage(ctx.err, "apply needs --file PATH or --defaults");
    IniDocument doc;
    if (args.file) {
        const IniFileResult read = LoadIniFile(platform::PathFromUtf8(*args.file), doc);
        if (!read.ok)
            return Fail(ctx.err, FileProblem("cannot read", *args.file, read.reason), kExitNoInput);
    }
    if (const int status = SelectTarget(ctx.session, args.target, ctx.err))
        return status;
    if (const int status = ReadDevice(ctx))
        return status;
    if (args.file)
        ReadSettings(doc, ctx.session);
    else
        ctx.session.LoadDefaults();
    return ExitFor(ctx.session.ApplyAllSettings());
}

} // namespace kx::cli
