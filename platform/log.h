#pragma once
// Diagnostic lines: printf-style, one call one write, flushed at once so that a line is never
// lost or interleaved when the program is stopped mid-exchange.
#include <functional>
#include <string_view>

namespace kx::platform {

using LogSink = std::function<void(std::string_view)>;

// mingw-w64 formats with its own C99 printf (%zu, %lld), not the Microsoft runtime's, so the
// compiler checks the calls against that.
#ifdef __MINGW32__
#define KX_PRINTF_FORMAT __attribute__((format(gnu_printf, 1, 2)))
#else
#define KX_PRINTF_FORMAT __attribute__((format(printf, 1, 2)))
#endif

void Log(const char* format, ...) KX_PRINTF_FORMAT;

// Replaces where lines go (standard output by default); an empty sink drops them.
// Returns the previous sink.
LogSink SetLogSink(LogSink sink);
void LogToStdout(std::string_view line);
void LogToStderr(std::string_view line);

} // namespace kx::platform
