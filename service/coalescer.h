#pragma once
// Label changes from a switcher come in bursts (a router salvo, a show file loaded), and the
// device takes one command at a time. For every label line the coalescer keeps only the newest
// wanted state: a line gets at most one send per interval, always ends with the newest text or
// colour, and a state the device already shows is not sent again.
#include <chrono>
#include <compare>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "service/device_port.h"

namespace kx::service {

enum class LabelPart : std::uint8_t { Text, BackColour };

struct LabelSlot {
    std::uint32_t ip = 0;
    std::uint8_t line = 0;
    LabelPart part = LabelPart::Text;
    auto operator<=>(const LabelSlot&) const = default;
};

struct LabelSend {
    LabelSlot slot;
    Job job;
};

class Coalescer {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::duration kInterval = std::chrono::milliseconds(100);

    // The newest state wanted for the slot.
    void Offer(const LabelSlot& slot, Job job);
    // The sends to start now; each slot stays busy until Finished.
    std::vector<LabelSend> TakeDue(Clock::time_point now);
    // When the next send is due, if one is waiting.
    std::optional<Clock::time_point> NextDue() const;
    // A send that was not accepted leaves the device's state unknown, so the same state is
    // sent again the next time it is offered.
    void Finished(const LabelSlot& slot, bool accepted);
    // Something else wrote the slot's state to the device: offer it again in full.
    void Forget(const LabelSlot& slot);

private:
    struct State {
        std::optional<Job> shown; // what the device accepted last
        std::optional<Job> in_flight;
        std::optional<Job> pending;
        std::optional<Clock::time_point> last_start;
    };
    static bool Waiting(const State& s) { return s.pending && !s.in_flight; }
    static Clock::time_point DueAt(const State& s);

    std::map<LabelSlot, State> m_slots;
};

} // namespace kx::service
