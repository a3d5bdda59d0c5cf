#include "cli/exit_status.h"

#include <algorithm>
#include <array>

namespace kx::cli {

int ExitFor(FleetOutcome outcome) {
    switch (outcome) {
    case FleetOutcome::Accepted:
        return kExitAccepted;
    case FleetOutcome::Refused:
        return kExitRefused;
    case FleetOutcome::NoAnswer:
        return kExitNoReply;
    case FleetOutcome::NotSent:
        return kExitUnavailable;
    }
    return kExitNoReply;
}

int WorseStatus(int a, int b) {
    constexpr std::array kMildToSevere = {kExitAccepted,    kExitRefused, kExitNoReply,
                                          kExitUnavailable, kExitNoInput, kExitCantWrite,
                                          kExitUsage};
    const auto rank = [&](int s) {
        return std::find(kMildToSevere.begin(), kMildToSevere.end(), s);
    };
    return rank(a) < rank(b) ? b : a;
}

int Fail(std::ostream& err, std::string_view message, int status) {
    err << "kx7214ctl: " << message << '\n';
    err.flush();
    return status;
}

int Usage(std::ostream& err, std::string_view message) {
    return Fail(err, message, kExitUsage);
}

} // namespace kx::cli
