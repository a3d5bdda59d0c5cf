// The settings file from the command line: save what a device holds, send a file (or the
// defaults) to every chosen device.
#include "cli/actions.h"
#include "cli/exit_status.h"
#include "cli/transfer.h"
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

// One file holds one device's settings, so this goes to one device; `backup` keeps a fleet's.
int RunSaveSettings(Context& ctx, const Args& args) {
    const std::string path_text = args.file.value_or(kSettingsFileName);
    const std::filesystem::path path = platform::PathFromUtf8(path_text);
    int status = 0;
    const auto targets = ChooseTargets(ctx, args.target, Reach::OneDevice, status);
    if (!targets)
        return status;
    const Reads reads = ReadEach(ctx, *targets);
    Report report("save-settings", ctx.json, ctx.out);
    const Target& t = targets->front();
    if (!reads[0]) {
        report.Add(MissingRow(t));
        return report.Finish();
    }
    DeviceReport row = RowFor(t, "read-all into " + path_text, *reads[0]);
    if (const auto& config = reads[0]->config) {
        const SettingsSaveResult saved = SaveSettingsFile(*config, path);
        if (!saved.written)
            row.exit_status =
                Fail(ctx.err, FileProblem("cannot write", path_text, saved.reason), kExitCantWrite);
        row.extra["file"] = path_text;
    }
    report.Add(std::move(row));
    return report.Finish();
}

// A file that cannot be read stops everything before the first frame.
int RunApply(Context& ctx, const Args& args) {
    if (!args.file && !args.defaults)
        return Usage(ctx.err, "apply needs --file PATH or --defaults");
    IniDocument doc;
    if (args.file) {
        const IniFileResult read = LoadIniFile(platform::PathFromUtf8(*args.file), doc);
        if (!read.ok)
            return Fail(ctx.err, FileProblem("cannot read", *args.file, read.reason), kExitNoInput);
    }
    int status = 0;
    const auto targets = ChooseTargets(ctx, args.target, Reach::ManyDevices, status);
    if (!targets)
        return status;
    const Reads reads = ReadEach(ctx, *targets);
    const std::string sent = args.file ? "set-all of " + *args.file : "set-all of the defaults";
    Report report("apply", ctx.json, ctx.out);
    WriteEach(ctx, report, *targets, reads, [&](const Target&, SessionState& config) {
        if (args.file)
            ReadSettings(doc, config);
        else
            config.LoadDefaults();
        return Rewrite::Send(sent);
    });
    return report.Finish();
}

} // namespace kx::cli
