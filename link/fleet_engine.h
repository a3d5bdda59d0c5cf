#pragma once
// Exchanges with many devices at once. Beside the session (which the panel keeps, one device
// and one exchange at a time), the engine holds one socket bound to local port 7000, the port
// every device answers to, and sends each device its next request as soon as the device is
// free: one request in flight per device, each with its own deadline, one reply, no retries.
//
// The engine's loop runs on a thread of its own, waiting on the socket and on a wake-up for
// new jobs. The socket is open only while jobs are waiting or in flight (port 7000 is the
// host's one door to the devices, which other programs share): when the last result of a
// quiet spell is handed over, the socket is already closed.
#include <functional>
#include <future>
#include <memory>
#include <vector>

#include "link/fleet_job.h"

namespace kx {

class FleetEngine {
public:
    using Done = std::function<void(FleetResult)>;

    FleetEngine();
    // Jobs that have not been sent end as not sent; requests in flight are waited for, at
    // most until their deadlines. Not from within a `done` callback.
    ~FleetEngine();
    FleetEngine(const FleetEngine&) = delete;
    FleetEngine& operator=(const FleetEngine&) = delete;

    // Safe from any thread. Jobs for one device run one after another in the order they were
    // submitted; jobs for different devices run side by side. `done` runs on the engine's
    // thread once the job has its result; it may submit further jobs but must not wait for
    // them.
    void Submit(FleetJob job, Done done);
    // The same, with a future that holds the result.
    std::future<FleetResult> Submit(FleetJob job);
    // Runs every job and returns the results in the order of the jobs.
    std::vector<FleetResult> RunBatch(std::vector<FleetJob> jobs);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace kx
