#include "cli/exit_status.h"

namespace kx::cli {

int ExitFor(Outcome outcome) {
    switch (outcome) {
    case Outcome::Accepted:
        return kExitAccepted;
    case Outcome::Refused:
        return kExitRefused;
    case Outcome::TimedOut:
        return kExitNoReply;
    }
    return kExitNoReply;
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
