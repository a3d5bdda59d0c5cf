#pragma once
// What every subcommand works with: the session for the search, the fleet engine for the
// exchanges, and the two output streams.
#include <ostream>

#include "cli/cli_view.h"
#include "link/fleet_engine.h"
#include "link/session.h"

namespace kx::cli {

struct Context {
    CKX7214Session& session;
    CliView& view;
    FleetEngine& engine;
    std::ostream& out;
    std::ostream& err;
    bool json = false;
};

} // namespace kx::cli
