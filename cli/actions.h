#pragma once
// What each subcommand does. Every action checks all of its arguments before it touches the
// network, so a usage error never sends anything.
#include <optional>
#include <ostream>
#include <string>

#include "cli/cli_view.h"
#include "cli/target.h"
#include "link/session.h"

namespace kx::cli {

// The arguments as typed; the actions parse and check them.
struct Args {
    TargetSpec target;
    bool json = false;                      // scan --json
    std::string code, line, value;          // send-value, send-line-value, umd-text LINE
    std::string field;                      // set FIELD VALUE
    std::optional<std::string> line_option; // set --line N
    std::string text;                       // umd-text, name
    std::string slot;                       // custom 1|2
    std::string ip, mask, gateway;          // network
    std::optional<std::string> file;        // save-settings --file, apply --file
    bool defaults = false;                  // apply --defaults
};

struct Context {
    CKX7214Session& session;
    CliView& view;
    std::ostream& out;
    std::ostream& err;
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

// Read-all into the session; 0, or kExitNoReply with the message written.
int ReadDevice(Context& ctx);

} // namespace kx::cli
