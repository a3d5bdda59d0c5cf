#pragma once
// kx7214ctl: the panel's operations from a command line. Standard output carries results
// only; diagnostics go to err (the exchange log lines only with --verbose).
#include <ostream>

namespace kx::cli {

// Parses the command line, runs one subcommand against the device and returns the exit
// status (0 accepted, 1 refused, 2 no reply or no device, 64 usage, 66 settings file
// unreadable, 73 settings file unwritable).
int Run(int argc, char** argv, std::ostream& out, std::ostream& err);

} // namespace kx::cli
