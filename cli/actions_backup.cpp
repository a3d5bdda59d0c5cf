// A fleet's settings in one folder: one settings file per device and the index that says
// which is whose, and putting them back.
#include <algorithm>

#include "cli/actions.h"
#include "cli/backup_index.h"
#include "cli/exit_status.h"
#include "cli/transfer.h"
#include "link/search_reply.h"
#include "model/config_json.h"
#include "model/settings_file.h"
#include "platform/text.h"

namespace kx::cli {
namespace {

namespace fs = std::filesystem;

// The list text a search would show for the device: from the search that found it, or made
// the same way from the name it reported.
std::string ListText(const Target& t, const SessionState& config) {
    if (t.list_text)
        return *t.list_text;
    return platform::Utf16ToUtf8(DisplayModelName(config.m_device_name)) + "_" + t.ip_text;
}

BackupEntry EntryFor(const Target& t, const SessionState& config, const std::string& list_text) {
    return {platform::Utf16ToUtf8(config.m_device_name),
            t.ip_text,
            FirmwareText(config.m_all_kx7214_page_data.kx7214_firmware_version),
            t.device.dev_addr,
            list_text,
            BackupFileName(list_text)};
}

// The folder exists (made when missing) and its index, if any, is one this tool can keep.
int PrepareFolder(Context& ctx, const fs::path& dir, std::vector<BackupEntry>& kept) {
    std::string problem;
    auto index = LoadIndex(dir, false, problem);
    if (!index)
        return Fail(ctx.err, problem, kExitNoInput);
    kept = std::move(*index);
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (!fs::is_directory(dir))
        return Fail(ctx.err, "cannot write " + dir.string() + ": " + ec.message(), kExitCantWrite);
    return 0;
}

// Every file of the backup, read before anything is sent.
int LoadFiles(Context& ctx, const fs::path& dir, const std::vector<BackupEntry>& index,
              std::vector<IniDocument>& docs) {
    docs.resize(index.size());
    for (std::size_t i = 0; i < index.size(); ++i) {
        const IniFileResult read = LoadIniFile(EntryPath(dir, index[i]), docs[i]);
        if (!read.ok)
            return Fail(ctx.err, "cannot read " + read.reason, kExitNoInput);
    }
    return 0;
}

// Without --device or --all the devices are the backup's own, at their addresses.
std::vector<Target> BackedUpDevices(const std::vector<BackupEntry>& index) {
    std::vector<Target> out;
    for (const BackupEntry& e : index)
        out.push_back({{platform::InetAddr(e.address.c_str()), e.address_byte},
                       e.address,
                       e.list_text.empty() ? std::nullopt : std::optional(e.list_text)});
    return out;
}

std::optional<std::vector<Target>>
RestoreTargets(Context& ctx, const Args& args, const std::vector<BackupEntry>& index, int& status) {
    TargetSpec wanted = args.target;
    const bool named = wanted.all || !wanted.devices.empty();
    if (!named && !args.by_name) {
        if (!CheckTargets(wanted, Reach::ManyDevices, ctx.err, false)) {
            status = kExitUsage;
            return std::nullopt;
        }
        return BackedUpDevices(index);
    }
    // Matched by name, the devices may have moved: without a choice, every device found.
    wanted.all = wanted.all || !named;
    return ChooseTargets(ctx, wanted, Reach::ManyDevices, status);
}

} // namespace

int RunBackup(Context& ctx, const Args& args) {
    // A mistyped option leaves no folder behind.
    if (!CheckTargets(args.target, Reach::ManyDevices, ctx.err))
        return kExitUsage;
    const fs::path dir = args.dir;
    std::vector<BackupEntry> kept;
    if (const int status = PrepareFolder(ctx, dir, kept))
        return status;
    int status = 0;
    const auto targets = ChooseTargets(ctx, args.target, Reach::ManyDevices, status);
    if (!targets)
        return status;
    const Reads reads = ReadEach(ctx, *targets);
    Report report("backup", ctx.json, ctx.out);
    std::vector<BackupEntry> fresh;
    for (std::size_t i = 0; i < targets->size(); ++i) {
        const Target& t = (*targets)[i];
        if (!reads[i] || !reads[i]->config) {
            report.Add(reads[i] ? RowFor(t, "read-all", *reads[i]) : MissingRow(t));
            continue;
        }
        const BackupEntry entry = EntryFor(t, *reads[i]->config, ListText(t, *reads[i]->config));
        DeviceReport row = RowFor(t, "read-all into " + entry.file, *reads[i]);
        row.extra["file"] = entry.file;
        const SettingsSaveResult saved = SaveSettingsFile(*reads[i]->config, EntryPath(dir, entry));
        if (saved.written)
            fresh.push_back(entry);
        else
            row.exit_status = Fail(ctx.err, "cannot write " + saved.reason, kExitCantWrite);
        report.Add(std::move(row));
    }
    const IniFileResult index = SaveIndex(dir, MergeIndex(std::move(kept), fresh));
    if (!index.ok)
        report.AddStatus(Fail(ctx.err, "cannot write " + index.reason, kExitCantWrite));
    return report.Finish();
}

int RunRestore(Context& ctx, const Args& args) {
    const fs::path dir = args.dir;
    std::string problem;
    const auto index = LoadIndex(dir, true, problem);
    if (!index)
        return Fail(ctx.err, problem, kExitNoInput);
    std::vector<IniDocument> docs;
    if (const int status = LoadFiles(ctx, dir, *index, docs))
        return status;
    int status = 0;
    const auto targets = RestoreTargets(ctx, args, *index, status);
    if (!targets)
        return status;
    const Reads reads = ReadEach(ctx, *targets);
    Report report("restore", ctx.json, ctx.out);
    WriteEach(ctx, report, *targets, reads, [&](const Target& t, SessionState& config) {
        const std::string name = platform::Utf16ToUtf8(config.m_device_name);
        std::vector<std::size_t> matches;
        for (std::size_t k = 0; k < index->size(); ++k)
            if (args.by_name ? (*index)[k].name == name : (*index)[k].address == t.ip_text)
                matches.push_back(k);
        if (matches.empty())
            return Rewrite::Skip("not in the backup", kExitNoInput);
        // Names are the operator's, so two devices of a backup may share one (and an index
        // edited by hand may name an address twice): rather nothing than the wrong file.
        if (matches.size() > 1)
            return Rewrite::Skip("the backup holds " + std::to_string(matches.size()) +
                                     " files for it",
                                 kExitNoInput);
        ReadSettings(docs[matches[0]], config);
        return Rewrite::Send("set-all of " + (*index)[matches[0]].file);
    });
    return report.Finish();
}

} // namespace kx::cli
