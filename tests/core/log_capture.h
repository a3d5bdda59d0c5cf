#pragma once
// Collects the diagnostic lines written while it lives.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/log.h"

namespace kx::test {

class LogCapture {
public:
    LogCapture() {
        m_old = platform::SetLogSink([this](std::string_view l) { lines.emplace_back(l); });
    }
    ~LogCapture() { platform::SetLogSink(std::move(m_old)); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    bool Has(const std::string& line) const {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    int Count(const std::string& line) const {
        return static_cast<int>(std::count(lines.begin(), lines.end(), line));
    }
    // Index of the first occurrence, or -1.
    int IndexOf(const std::string& line) const {
        auto it = std::find(lines.begin(), lines.end(), line);
        return it == lines.end() ? -1 : static_cast<int>(it - lines.begin());
    }

    std::vector<std::string> lines;

private:
    platform::LogSink m_old;
};

} // namespace kx::test
