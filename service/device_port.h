#pragma once
// The one door from the service to the multiviewers. HTTP handlers and the TSL labels both go
// through it; the fleet engine stands behind it in the running service, a stand-in in tests.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "link/config_layout.h"
#include "link/fleet_job.h"
#include "model/session_state.h"

namespace kx::service {

// A device as a search listed it, or as it answered when asked directly.
struct DeviceListing {
    std::uint32_t ip = 0;
    std::string text; // the list text, e.g. TRQ-9_192.168.1.20
    std::uint8_t dev_type = frame::kSelectableDevType;
    std::uint8_t dev_addr = 0;
};

struct ReadAllJob {
    bool operator==(const ReadAllJob&) const = default;
};
struct ValueJob {
    std::uint8_t code = 0;
    std::uint8_t value = 0;
    bool operator==(const ValueJob&) const = default;
};
struct LineValueJob {
    std::uint8_t code = 0;
    std::uint8_t line = 0;
    std::uint8_t value = 0;
    bool operator==(const LineValueJob&) const = default;
};
struct UmdTextJob {
    std::uint8_t line = 0;
    std::u16string text; // at most 16 code units
    bool operator==(const UmdTextJob&) const = default;
};
struct NameJob {
    std::u16string name; // at most 16 ANSI bytes
    bool operator==(const NameJob&) const = default;
};
struct AllConfigJob {
    std::array<std::uint8_t, block::kSize> block{};
    bool operator==(const AllConfigJob&) const = default;
};
struct NetworkJob {
    std::array<std::uint8_t, netcfg::kSize> config{};
    bool operator==(const NetworkJob&) const = default;
};
using Job =
    std::variant<ReadAllJob, ValueJob, LineValueJob, UmdTextJob, NameJob, AllConfigJob, NetworkJob>;

// Outcome, status byte, round trip, the decoded configuration of an answered read-all, and why
// a request never left (then the outcome is "not sent").
using JobResult = FleetResult;

class DevicePort {
public:
    using Done = std::function<void(const JobResult&)>;
    virtual ~DevicePort() = default;

    // The devices one search found; the search runs again when `refresh` is set or when none
    // has run yet.
    virtual std::vector<DeviceListing> Devices(bool refresh) = 0;
    // The device at this address: from the last search, or by asking the address directly.
    // Nothing when it does not answer; then `problem` says why when the question could not
    // even be sent (port 7000 held by another program), and is empty otherwise.
    virtual std::optional<DeviceListing> Find(std::uint32_t ip, std::string& problem) = 0;
    // Runs the job on the device at this address (found as Find does, without blocking the
    // caller); `done` is called once, possibly on another thread, with its result: no answer
    // when the address does not answer at all. `done` must not wait for other jobs. Jobs to one
    // device run one after the other, jobs to different devices at the same time.
    virtual void Submit(std::uint32_t ip, Job job, Done done) = 0;
};

// Submits and waits for the result.
JobResult RunJob(DevicePort& port, std::uint32_t ip, Job job);

} // namespace kx::service
