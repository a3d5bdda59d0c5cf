#pragma once
// Aiming the session at the device named on the command line.
#include <optional>
#include <ostream>
#include <string>

#include "link/session.h"

namespace kx::cli {

struct TargetSpec {
    std::optional<std::string> device;   // --device IP
    std::optional<std::string> dev_addr; // --dev-addr N
};

// Checks the target options without touching the network; 0 or kExitUsage (message written).
int CheckTarget(const TargetSpec& wanted, std::ostream& err);

// Selects the device in the session's table. With an address byte the entry is filled in
// directly (type 0xA3, no search); without one a search runs and the entry whose address is
// the given one is selected. Returns 0, or the exit status with its message written to err.
int SelectTarget(CKX7214Session& session, const TargetSpec& wanted, std::ostream& err);

} // namespace kx::cli
