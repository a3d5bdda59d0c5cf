#include "platform/log.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace kx::platform {
namespace {

LogSink& Sink() {
    static LogSink sink = LogToStdout;
    return sink;
}

void WriteAll(FILE* f, std::string_view line) {
    std::fwrite(line.data(), 1, line.size(), f);
    std::fflush(f);
}

} // namespace

void LogToStdout(std::string_view line) {
    WriteAll(stdout, line);
}
void LogToStderr(std::string_view line) {
    WriteAll(stderr, line);
}

LogSink SetLogSink(LogSink sink) {
    LogSink old = std::move(Sink());
    Sink() = std::move(sink);
    return old;
}

void Log(const char* format, ...) {
    if (!Sink())
        return;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string line(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
    if (n > 0)
        std::vsnprintf(line.data(), line.size() + 1, format, args);
    va_end(args);
    Sink()(line);
}

} // namespace kx::platform
