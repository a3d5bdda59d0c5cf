#pragma once
// The fleet's bookkeeping, apart from sockets and threads: at most one request in flight per
// device with its own deadline, the jobs that wait for their device to be free, and which
// datagram answers which request. A reply is told apart by its sender's address and, as in the
// session, by the command byte it echoes; a datagram from an address with no request in
// flight answers nothing.
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "link/fleet_job.h"
#include "platform/socket.h"

namespace kx {

class FleetTable {
public:
    using Ticket = std::uint64_t;
    struct Completion {
        Ticket ticket = 0;
        FleetResult result;
    };
    struct Outgoing {
        platform::Endpoint to;
        std::vector<std::uint8_t> frame;
    };
    // Whether a request sent to `ip` arrives back at our own socket: true when ip is this
    // machine's own address and nothing else listens there.
    using SendsToItself = std::function<bool(std::uint32_t ip)>;

    explicit FleetTable(SendsToItself sends_to_itself);

    // Queues the job behind its device's earlier ones.
    void Add(Ticket ticket, FleetJob job);
    // Puts the next job of every free device in flight, sent at `now`; returns the frames.
    std::vector<Outgoing> StartFree(std::uint32_t now);
    // The completion a datagram brings, if it answers the request in flight to its sender.
    std::optional<Completion> Take(platform::Endpoint from, std::span<const std::uint8_t> datagram,
                                   std::uint32_t now);
    // Ends the request in flight to `ip` as not sent: the system would not send it.
    Completion Unsent(std::uint32_t ip, const std::string& problem);
    // The requests whose deadline passed before `now`.
    std::vector<Completion> Expire(std::uint32_t now);
    // Ends every job that has not been sent, with the reason.
    std::vector<Completion> DropWaiting(const std::string& problem);

    // Milliseconds until the first deadline ends (a reply at the deadline itself still counts);
    // nothing while no request is in flight.
    std::optional<std::uint32_t> TimeToNextDeadline(std::uint32_t now) const;
    bool HasWork() const { return !m_devices.empty(); }
    bool HasWaiting() const { return m_waiting > 0; }
    std::size_t InFlightCount() const { return m_in_flight; }

private:
    struct Queued {
        Ticket ticket;
        FleetJob job;
    };
    struct InFlight {
        Ticket ticket;
        FleetJob job;
        std::vector<std::uint8_t> frame;
        std::uint32_t sent_at;
    };
    struct Device {
        std::deque<Queued> waiting;
        std::optional<InFlight> in_flight;
    };

    std::optional<FleetResult> Answer(platform::Endpoint from, const InFlight& request,
                                      std::span<const std::uint8_t> datagram) const;
    Completion Finish(std::uint32_t ip, FleetResult result);

    SendsToItself m_sends_to_itself;
    std::unordered_map<std::uint32_t, Device> m_devices; // only devices with work
    std::vector<std::uint32_t> m_free;                   // free devices that have work waiting
    std::size_t m_waiting = 0;
    std::size_t m_in_flight = 0;
};

} // namespace kx
