#include "link/fleet_table.h"

#include <algorithm>

#include "link/read_all.h"
#include "link/search_reply.h"
#include "link/session.h"
#include "platform/log.h"
#include "platform/text.h"

namespace kx {

using platform::Log;

namespace {

// The session's receive buffers: a datagram longer than the exchange's buffer never reaches
// it (it is discarded whole), so it answers nothing here either.
std::size_t ReceiveRoom(ExchangeKind kind) {
    return kind == ExchangeKind::ReadAll ? kReadAllRecvSize : kRecvSize;
}

// Diagnostic lines of many devices interleave, so each names its device first.
void LogFor(std::uint32_t ip, const char* line) {
    Log("%s %s", platform::InetNtoa(ip).c_str(), line);
}

std::optional<FleetResult> SearchAnswer(std::uint32_t ip, std::span<const std::uint8_t> d) {
    const SearchReply reply = ParseSearchReply(d.data(), d.size());
    if (reply.verdict != SearchVerdict::Device || reply.name_lengths.empty())
        return std::nullopt;
    FleetResult r;
    r.outcome = FleetOutcome::Accepted;
    r.found = FleetFound{reply.dev_type, reply.dev_addr,
                         SearchReplyName(d.data(), reply.name_lengths.front()) + u"_" +
                             platform::BytesToWide(platform::InetNtoa(ip))};
    return r;
}

} // namespace

FleetTable::FleetTable(SendsToItself sends_to_itself)
    : m_sends_to_itself(std::move(sends_to_itself)) {}

void FleetTable::Add(Ticket ticket, FleetJob job) {
    Device& d = m_devices[job.device.ip];
    if (!d.in_flight && d.waiting.empty())
        m_free.push_back(job.device.ip);
    d.waiting.push_back({ticket, std::move(job)});
    ++m_waiting;
}

std::vector<FleetTable::Outgoing> FleetTable::StartFree(std::uint32_t now) {
    std::vector<Outgoing> out;
    for (std::uint32_t ip : m_free) {
        Device& d = m_devices.at(ip);
        Queued next = std::move(d.waiting.front());
        d.waiting.pop_front();
        --m_waiting;
        const FleetJob& job = next.job;
        std::vector<std::uint8_t> frame(frame::TotalLength(job.payload.size()));
        frame::BuildFrame(job.device.dev_type, job.device.dev_addr, job.command, job.payload.data(),
                          job.payload.size(), frame.data());
        out.push_back({{ip, frame::kPort}, frame});
        d.in_flight = InFlight{next.ticket, std::move(next.job), std::move(frame), now};
        ++m_in_flight;
    }
    m_free.clear();
    return out;
}

std::optional<FleetTable::Completion> FleetTable::Take(platform::Endpoint from,
                                                       std::span<const std::uint8_t> datagram,
                                                       std::uint32_t now) {
    const auto it = m_devices.find(from.ip);
    if (it == m_devices.end() || !it->second.in_flight)
        return std::nullopt;
    const InFlight& request = *it->second.in_flight;
    std::optional<FleetResult> result = Answer(from, request, datagram);
    if (!result)
        return std::nullopt;
    result->round_trip_ms = now - request.sent_at;
    return Finish(from.ip, std::move(*result));
}

std::optional<FleetResult> FleetTable::Answer(platform::Endpoint from, const InFlight& request,
                                              std::span<const std::uint8_t> d) const {
    const std::uint32_t ip = from.ip;
    const FleetJob& job = request.job;
    if (d.size() > ReceiveRoom(job.kind))
        return std::nullopt;
    if (job.kind == ExchangeKind::Search)
        return SearchAnswer(ip, d);
    // Our own request, delivered back to our port 7000 because nothing else listens at the
    // address, is no answer; the same bytes from a device are (a status 0 acknowledgement of
    // a value 0 is byte for byte the request).
    if (from.port == frame::kPort && std::ranges::equal(d, request.frame) && m_sends_to_itself(ip))
        return std::nullopt;
    // Bytes past the end of a short datagram read as zero, as from the session's zeroed buffer.
    const auto at = [&d](std::size_t i) { return i < d.size() ? d[i] : std::uint8_t{0}; };
    if (job.kind == ExchangeKind::ReadAll)
        Log("%s recv len is %d \n", platform::InetNtoa(ip).c_str(), static_cast<int>(d.size()));
    if (at(frame::kOffCommand) != job.command) {
        LogFor(ip, "the cmd is not right \n");
        return std::nullopt;
    }
    FleetResult r;
    if (job.kind == ExchangeKind::ReadAll) {
        r.outcome = FleetOutcome::Accepted;
        r.config.emplace();
        DecodeReadAll(d.data(), d.size(), *r.config);
        return r;
    }
    r.status = at(frame::kOffStatus);
    r.outcome = r.status == 0 ? FleetOutcome::Accepted : FleetOutcome::Refused;
    if (job.kind == ExchangeKind::Network)
        LogFor(ip, "set ip success \n");
    LogFor(ip, r.status == 0 ? "send ok \n" : "send error \n");
    return r;
}

FleetTable::Completion FleetTable::Finish(std::uint32_t ip, FleetResult result) {
    Device& d = m_devices.at(ip);
    const Ticket ticket = d.in_flight->ticket;
    d.in_flight.reset();
    --m_in_flight;
    if (d.waiting.empty())
        m_devices.erase(ip);
    else
        m_free.push_back(ip);
    return {ticket, std::move(result)};
}

FleetTable::Completion FleetTable::Unsent(std::uint32_t ip, const std::string& problem) {
    FleetResult r;
    r.problem = problem;
    return Finish(ip, std::move(r));
}

std::vector<FleetTable::Completion> FleetTable::Expire(std::uint32_t now) {
    std::vector<std::uint32_t> late;
    for (const auto& [ip, d] : m_devices)
        if (d.in_flight && now - d.in_flight->sent_at > d.in_flight->job.deadline_ms)
            late.push_back(ip);
    std::vector<Completion> out;
    for (std::uint32_t ip : late) {
        LogFor(ip, "wait time over \n");
        FleetResult r;
        r.outcome = FleetOutcome::NoAnswer;
        r.round_trip_ms = now - m_devices.at(ip).in_flight->sent_at;
        out.push_back(Finish(ip, std::move(r)));
    }
    return out;
}

std::vector<FleetTable::Completion> FleetTable::DropWaiting(const std::string& problem) {
    std::vector<Completion> out;
    for (auto it = m_devices.begin(); it != m_devices.end();) {
        for (Queued& q : it->second.waiting) {
            FleetResult r;
            r.problem = problem;
            out.push_back({q.ticket, std::move(r)});
        }
        it->second.waiting.clear();
        it = it->second.in_flight ? std::next(it) : m_devices.erase(it);
    }
    m_waiting = 0;
    m_free.clear();
    return out;
}

std::optional<std::uint32_t> FleetTable::TimeToNextDeadline(std::uint32_t now) const {
    std::optional<std::uint32_t> next;
    for (const auto& [ip, d] : m_devices) {
        if (!d.in_flight)
            continue;
        const std::uint32_t elapsed = now - d.in_flight->sent_at;
        const std::uint32_t deadline = d.in_flight->job.deadline_ms;
        const std::uint32_t left = elapsed > deadline ? 0 : deadline - elapsed + 1;
        next = std::min(next.value_or(left), left);
    }
    return next;
}

} // namespace kx
