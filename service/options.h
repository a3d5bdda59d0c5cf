#pragma once
// The command line of kx7214d.
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "platform/socket.h"
#include "service/tsl_listener.h"

namespace kx::service {

struct CommandLine {
    platform::Endpoint listen{0x7F000001, 8723};
    std::optional<std::filesystem::path> token_file;
    TslPorts tsl;
    std::optional<std::filesystem::path> map_file;
    bool verbose = false;
};

inline constexpr int kExitUsage = 64;
inline constexpr int kExitNoInput = 66;
inline constexpr int kExitUnavailable = 69;

// Nothing (after writing the reason or the help to `out`/`err`) when the program should end
// at once; `exit_status` then says how.
std::optional<CommandLine> ParseCommandLine(int argc, char** argv, std::ostream& out,
                                            std::ostream& err, int& exit_status);

} // namespace kx::service
