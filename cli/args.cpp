#include "cli/args.h"

namespace kx::cli {
namespace {

// Repeatable: each occurrence takes one value, so the subcommand that follows is never taken
// for a second address.
void AddRepeatable(CLI::App& app, const char* name, std::vector<std::string>& into,
                   const char* help, const char* type) {
    app.add_option(name, into, help)->expected(1)->type_name(type)->take_all();
}

void DefineGlobals(CLI::App& app, Args& args, Grammar& g) {
    TargetSpec& t = args.target;
    AddRepeatable(app, "--device", t.devices, "a device's IPv4 address; repeat for several", "IP");
    AddRepeatable(app, "--dev-addr", t.dev_addrs,
                  "the device's address byte (device type 0xA3): once for every --device, or once "
                  "each; without it the address is asked directly, then by a search",
                  "N");
    app.add_flag("--all", t.all, "every device one search finds");
    AddRepeatable(app, "--to", t.to,
                  "also send the search to this address (a device on another subnet); repeatable",
                  "IP");
    app.add_option("--wait", t.wait, "how long a search listens for answers (default 2000)")
        ->type_name("MS");
    app.add_flag("--json", g.json,
                 "one JSON object per device and a summary, one per line (scan: one array)");
    app.add_flag("--verbose", g.verbose, "write the exchange log lines to standard error");
}

void DefineLink(CLI::App& app, Grammar& g) {
    auto* scan = app.add_subcommand("scan", "search for devices and list them (--to, --wait)");
    g.subcommands.push_back({scan, RunScan});
}

void DefineRaw(CLI::App& app, Args& args, Grammar& g) {
    auto* sv = app.add_subcommand("send-value", "send one command with one value byte");
    sv->add_option("CODE", args.code, "command code")->required();
    sv->add_option("VALUE", args.value, "value byte")->required();
    g.subcommands.push_back({sv, RunSendValue});

    auto* slv = app.add_subcommand("send-line-value", "send one command with a line and a value");
    slv->add_option("CODE", args.code, "command code")->required();
    slv->add_option("LINE", args.line, "input line byte")->required();
    slv->add_option("VALUE", args.value, "value byte")->required();
    g.subcommands.push_back({slv, RunSendLineValue});
}

void DefineSettings(CLI::App& app, Args& args, Grammar& g) {
    auto* set = app.add_subcommand("set", "send the set command of one configuration field");
    set->add_option("FIELD", args.field, "field name as read prints it")->required();
    set->add_option("VALUE", args.value, "option index; left or right for audio_postion")
        ->required();
    set->add_option("--line", args.line_option, "input 0..3 of a per-input field")->type_name("N");
    g.subcommands.push_back({set, RunSet});

    auto* umd = app.add_subcommand("umd-text", "set the UMD text of one input");
    umd->add_option("LINE", args.line, "input 0..3")->required();
    umd->add_option("TEXT", args.text, "at most 16 characters")->required();
    g.subcommands.push_back({umd, RunUmdText});

    auto* name = app.add_subcommand("name", "set the device name (one device only)");
    name->add_option("TEXT", args.text, "at most 16 characters")->required();
    g.subcommands.push_back({name, RunName});

    auto* custom = app.add_subcommand("custom", "save the device's settings to custom slot 1 or 2");
    custom->add_option("SLOT", args.slot, "1 or 2")->required();
    g.subcommands.push_back({custom, RunCustom});

    auto* net =
        app.add_subcommand("network", "write the device's network settings (one device only)");
    net->add_option("IP", args.ip, "new address")->required();
    net->add_option("MASK", args.mask, "subnet mask")->required();
    net->add_option("GATEWAY", args.gateway, "gateway")->required();
    g.subcommands.push_back({net, RunNetwork});
}

void DefineTransfer(CLI::App& app, Args& args, Grammar& g) {
    auto* read = app.add_subcommand(
        "read", "print each device's configuration as JSON (report lines on standard error)");
    g.subcommands.push_back({read, RunRead});

    auto* save = app.add_subcommand("save-settings",
                                    "read one device and save its settings file (one device only)");
    save->add_option("--file", args.file, "settings file (default userSettings_kx7214.ini)")
        ->type_name("PATH");
    g.subcommands.push_back({save, RunSaveSettings});

    auto* apply = app.add_subcommand(
        "apply", "read each device, then send it a settings file or the defaults as a whole");
    auto* file = apply->add_option("--file", args.file, "settings file to send")->type_name("PATH");
    auto* defaults = apply->add_flag("--defaults", args.defaults, "send the defaults");
    file->excludes(defaults);
    g.subcommands.push_back({apply, RunApply});
}

void DefineBackup(CLI::App& app, Args& args, Grammar& g) {
    auto* backup = app.add_subcommand(
        "backup", "read each device and write its settings file into DIR, with fleet.json");
    backup->add_option("DIR", args.dir, "folder of the backup (made when missing)")->required();
    g.subcommands.push_back({backup, RunBackup});

    auto* restore = app.add_subcommand(
        "restore", "read each device, then send it its own file from a backup (by address, or "
                   "by name); without --device or --all, every device of the backup");
    restore->add_option("DIR", args.dir, "folder of the backup")->required();
    restore->add_flag("--by-name", args.by_name,
                      "match devices to files by name (without --device: every device found)");
    g.subcommands.push_back({restore, RunRestore});
}

constexpr const char* kFooter =
    "Every command that sends prints one line per device, tab-separated: address, list text, what "
    "was sent, outcome (accepted, refused, no answer, not sent), status byte, round-trip time; "
    "then "
    "a summary line. --json prints each as one JSON object a line. read prints the configurations "
    "as JSON and its lines on standard error.\n"
    "Numbers are decimal or 0x-hex.\n"
    "Exit status: 0 every device accepted, 1 a device refused, 2 a device did not answer or none "
    "was found, 64 bad usage, 66 settings file or backup missing or unreadable, 69 port 7000 in "
    "use by another program, 73 settings file or backup not written.";

} // namespace

Grammar DefineGrammar(CLI::App& app, Args& args) {
    Grammar g;
    app.footer(kFooter);
    app.require_subcommand(1);
    // Global options may also follow the subcommand.
    app.fallthrough();
    DefineGlobals(app, args, g);
    DefineLink(app, g);
    DefineRaw(app, args, g);
    DefineSettings(app, args, g);
    DefineTransfer(app, args, g);
    DefineBackup(app, args, g);
    return g;
}

} // namespace kx::cli
