#include "cli/args.h"

namespace kx::cli {
namespace {

void DefineGlobals(CLI::App& app, Args& args, Grammar& g) {
    app.add_option("--device", args.target.device, "the device's IPv4 address")->type_name("IP");
    app.add_option("--dev-addr", args.target.dev_addr,
                   "the device's address byte (no search; device type 0xA3)")
        ->type_name("N");
    app.add_flag("--verbose", g.verbose, "write the exchange log lines to standard error");
}

void DefineLink(CLI::App& app, Args& args, Grammar& g) {
    auto* scan = app.add_subcommand("scan", "search the local segment for devices (2 s)");
    scan->add_flag("--json", args.json, "print the devices as one JSON array");
    g.subcommands.push_back({scan, RunScan});

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

    auto* name = app.add_subcommand("name", "set the device name");
    name->add_option("TEXT", args.text, "at most 16 characters")->required();
    g.subcommands.push_back({name, RunName});

    auto* custom = app.add_subcommand("custom", "save the device's settings to custom slot 1 or 2");
    custom->add_option("SLOT", args.slot, "1 or 2")->required();
    g.subcommands.push_back({custom, RunCustom});

    auto* net = app.add_subcommand("network", "write the device's network settings");
    net->add_option("IP", args.ip, "new address")->required();
    net->add_option("MASK", args.mask, "subnet mask")->required();
    net->add_option("GATEWAY", args.gateway, "gateway")->required();
    g.subcommands.push_back({net, RunNetwork});
}

void DefineTransfer(CLI::App& app, Args& args, Grammar& g) {
    auto* read = app.add_subcommand("read", "print the device's configuration as JSON");
    g.subcommands.push_back({read, RunRead});

    auto* save = app.add_subcommand("save-settings", "read the device and save the settings file");
    save->add_option("--file", args.file, "settings file (default userSettings_kx7214.ini)")
        ->type_name("PATH");
    g.subcommands.push_back({save, RunSaveSettings});

    auto* apply = app.add_subcommand("apply", "send a settings file or the defaults as a whole");
    auto* file = apply->add_option("--file", args.file, "settings file to send")->type_name("PATH");
    auto* defaults = apply->add_flag("--defaults", args.defaults, "send the defaults");
    file->excludes(defaults);
    g.subcommands.push_back({apply, RunApply});
}

} // namespace

Grammar DefineGrammar(CLI::App& app, Args& args) {
    Grammar g;
    app.require_subcommand(1);
    // Global options may also follow the subcommand.
    app.fallthrough();
    DefineGlobals(app, args, g);
    DefineLink(app, args, g);
    DefineSettings(app, args, g);
    DefineTransfer(app, args, g);
    return g;
}

} // namespace kx::cli
