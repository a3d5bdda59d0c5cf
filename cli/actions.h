#pragma once
// What each subcommand does. Every action checks all of its arguments before it touches the
// network, so a usage error never sends anything.
#include <optional>
#include <string>

#include "cli/context.h"
#include "cli/target.h"

namespace kx::cli {

// The arguments as typed; the actions parse and check them.
struct Args {
    TargetSpec target;
    std::string code, line, value;          // send-value, send-line-value, umd-text LINE
    std::string field;                      // set FIELD VALUE
    std::optional<std::string> line_option; // set --line N
    std::string text;                       // umd-text, name
    std::string slot;                       // custom 1|2
    std::string ip, mask, gateway;          // network
    std::optional<std::string> file;        // save-settings --file, apply --file
    bool defaults = false;                  // apply --defaults
    std::string dir;                        // backup DIR, restore DIR
    bool by_name = false;                   // restore --by-name
};

// Link: the search and the two raw one-exchange commands.
int RunScan(Context& ctx, const Args& args);
int RunSendValue(Context& ctx, const Args& args);
int RunSendLineValue(Context& ctx, const Args& args);

// Single settings.
int RunSet(Context& ctx, const Args& args);
int RunUmdText(Context& ctx, const Args& args);
int RunName(Context& ctx, const Args& args);
int RunCustom(Context& ctx, const Args& args);
int RunNetwork(Context& ctx, const Args& args);

// Whole configuration: read, save to the settings file, apply a file or the defaults.
int RunRead(Context& ctx, const Args& args);
int RunSaveSettings(Context& ctx, const Args& args);
int RunApply(Context& ctx, const Args& args);

// A whole fleet's settings files, and back.
int RunBackup(Context& ctx, const Args& args);
int RunRestore(Context& ctx, const Args& args);

} // namespace kx::cli
