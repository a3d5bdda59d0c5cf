#pragma once
// Exit statuses of kx7214ctl. Scripts branch on them, so they never change meaning.
#include <ostream>
#include <string_view>

#include "link/session.h"

namespace kx::cli {

inline constexpr int kExitAccepted = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitNoReply = 2; // no matching reply before the deadline, or no device
inline constexpr int kExitUsage = 64;
inline constexpr int kExitNoInput = 66;   // settings file missing or unreadable
inline constexpr int kExitCantWrite = 73; // settings file cannot be written

int ExitFor(Outcome outcome);

// Writes "kx7214ctl: <message>" as one line to err and returns kExitUsage.
int Usage(std::ostream& err, std::string_view message);
// The same line for any other failure; returns status.
int Fail(std::ostream& err, std::string_view message, int status);

} // namespace kx::cli
