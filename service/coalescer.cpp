#include "service/coalescer.h"

namespace kx::service {

void Coalescer::Offer(const LabelSlot& slot, Job job) {
    State& s = m_slots[slot];
    const std::optional<Job>& current = s.in_flight ? s.in_flight : s.shown;
    if (current == job)
        s.pending.reset();
    else
        s.pending = std::move(job);
}

Coalescer::Clock::time_point Coalescer::DueAt(const State& s) {
    return s.last_start ? *s.last_start + kInterval : Clock::time_point::min();
}

std::vector<LabelSend> Coalescer::TakeDue(Clock::time_point now) {
    std::vector<LabelSend> due;
    for (auto& [slot, s] : m_slots) {
        if (!Waiting(s) || DueAt(s) > now)
            continue;
        s.in_flight = std::move(s.pending);
        s.pending.reset();
        s.last_start = now;
        due.push_back({slot, *s.in_flight});
    }
    return due;
}

std::optional<Coalescer::Clock::time_point> Coalescer::NextDue() const {
    std::optional<Clock::time_point> next;
    for (const auto& [slot, s] : m_slots)
        if (Waiting(s) && (!next || DueAt(s) < *next))
            next = DueAt(s);
    return next;
}

void Coalescer::Finished(const LabelSlot& slot, bool accepted) {
    State& s = m_slots[slot];
    s.shown = accepted ? s.in_flight : std::nullopt;
    s.in_flight.reset();
    if (s.pending == s.shown)
        s.pending.reset();
}

void Coalescer::Forget(const LabelSlot& slot) {
    if (const auto it = m_slots.find(slot); it != m_slots.end())
        it->second.shown.reset();
}

} // namespace kx::service
