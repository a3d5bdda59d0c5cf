#pragma once
// The command-line grammar: global options and one subcommand, bound to Args.
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/actions.h"

namespace kx::cli {

using Action = int (*)(Context&, const Args&);

struct Subcommand {
    CLI::App* app;
    Action action;
};

struct Grammar {
    bool verbose = false;
    bool json = false;
    std::vector<Subcommand> subcommands;
};

// Adds every option and subcommand to app; parsed values land in args.
Grammar DefineGrammar(CLI::App& app, Args& args);

} // namespace kx::cli
