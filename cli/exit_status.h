#pragma once
// Exit statuses of kx7214ctl. Scripts branch on them, so they never change meaning.
#include <ostream>
#include <string_view>

#include "link/fleet_job.h"

namespace kx::cli {

inline constexpr int kExitAccepted = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitNoReply = 2; // no matching reply before the deadline, or no device
inline constexpr int kExitUsage = 64;
inline constexpr int kExitNoInput = 66;     // settings file (or backup) missing or unreadable
inline constexpr int kExitUnavailable = 69; // port 7000 held by another program, no socket
inline constexpr int kExitCantWrite = 73;   // settings file (or backup) cannot be written

int ExitFor(FleetOutcome outcome);

// The status of a run over many devices: the worse of the two, where a file problem is worse
// than an unusable port, that worse than a device that did not answer, that worse than a
// refusal, and that worse than acceptance.
int WorseStatus(int a, int b);

// Writes "kx7214ctl: <message>" as one line to err and returns kExitUsage.
int Usage(std::ostream& err, std::string_view message);
// The same line for any other failure; returns status.
int Fail(std::ostream& err, std::string_view message, int status);

} // namespace kx::cli
