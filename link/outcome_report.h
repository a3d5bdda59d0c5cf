#pragma once
// What came of one exchange with a device (or of one search), as the operator is told it: the
// request, who it went to, what came back and how long it took. The session keeps the latest
// reports in order.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "link/commands.h"

namespace kx {

enum class Outcome { Accepted, Refused, TimedOut };

struct OutcomeReport {
    ExchangeKind kind = ExchangeKind::Value;
    std::uint8_t command = 0;
    std::vector<std::uint8_t> payload; // the request's payload: line and value, text, block
    std::string device_ip;             // address text; empty for a search or without a device
    std::u16string device_text;        // the device's entry in the list, e.g. TRQ-9_127.0.0.2
    Outcome outcome = Outcome::TimedOut;
    std::optional<std::uint8_t> status; // reply byte 17; none without a reply
    std::chrono::microseconds round_trip{0};
    std::uint32_t deadline_ms = 0;
    int devices_answered = 0; // a search only
    std::chrono::system_clock::time_point at{};
};

class OutcomeHistory {
public:
    static constexpr std::size_t kCapacity = 50;

    // Keeps the newest kCapacity reports, oldest first.
    void Add(OutcomeReport report);
    const std::deque<OutcomeReport>& Reports() const { return m_reports; }

private:
    std::deque<OutcomeReport> m_reports;
};

} // namespace kx
