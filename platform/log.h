#pragma once
// Diagnostic lines: printf-style, one call one write, flushed at once so that a line is never
// lost or interleaved when the program is stopped mid-exchange.
#include <functional>
#include <string_view>

namespace kx::platform {

using LogSink = std::function<void(std::string_view)>;

void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Replaces where lines go (standard output by default); an empty sink drops them.
// Returns the previous sink.
LogSink SetLogSink(LogSink sink);
void LogToStdout(std::string_view line);
void LogToStderr(std::string_view line);

} // namespace kx::platform
