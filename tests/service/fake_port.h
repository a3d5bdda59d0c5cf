#pragma once
// A stand-in for the devices behind the service: it records every job, answers with what the
// test sets, and can hold jobs back so that a test sees requests pile up.
#include <condition_variable>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "service/device_port.h"

namespace kx::service::test {

class FakePort : public DevicePort {
public:
    FakePort() { Add(0x7F000002, 1); }

    void Add(std::uint32_t ip, std::uint8_t dev_addr) {
        std::lock_guard lock(m_mutex);
        m_devices[ip] = DeviceListing{ip, "TRQ-9_" + std::to_string(ip & 0xFF), 0xA3, dev_addr};
    }

    std::vector<DeviceListing> Devices(bool refresh) override {
        std::lock_guard lock(m_mutex);
        if (refresh || searches == 0)
            ++searches;
        std::vector<DeviceListing> list;
        for (const auto& [ip, d] : m_devices)
            list.push_back(d);
        return list;
    }

    std::optional<DeviceListing> Find(std::uint32_t ip, std::string& problem) override {
        problem.clear();
        std::lock_guard lock(m_mutex);
        const auto it = m_devices.find(ip);
        return it == m_devices.end() ? std::nullopt : std::optional(it->second);
    }

    void Submit(std::uint32_t ip, Job job, Done done) override {
        JobResult r;
        {
            std::unique_lock lock(m_mutex);
            const bool read = std::holds_alternative<ReadAllJob>(job);
            m_jobs.emplace_back(ip, std::move(job));
            ++m_waiting;
            m_changed.notify_all();
            m_changed.wait(lock, [this] { return !m_hold; });
            --m_waiting;
            r = read ? read_result : result;
            if (read && r.outcome == FleetOutcome::Accepted)
                r.config = device;
            if (!m_devices.contains(ip))
                r = JobResult{FleetOutcome::NoAnswer, 0, 500, std::nullopt, std::nullopt, {}};
        }
        done(r);
    }

    void Hold() {
        std::lock_guard lock(m_mutex);
        m_hold = true;
    }
    void Release() {
        std::lock_guard lock(m_mutex);
        m_hold = false;
        m_changed.notify_all();
    }
    void WaitUntilHeld(int count) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_waiting >= count; });
    }
    std::vector<std::pair<std::uint32_t, Job>> Jobs() {
        std::lock_guard lock(m_mutex);
        return m_jobs;
    }

    // What reads return, and what every other job answers.
    SessionState device;
    JobResult read_result{FleetOutcome::Accepted, 0, 5, std::nullopt, std::nullopt, {}};
    JobResult result{FleetOutcome::Accepted, 0, 7, std::nullopt, std::nullopt, {}};
    int searches = 0;

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::map<std::uint32_t, DeviceListing> m_devices;
    std::vector<std::pair<std::uint32_t, Job>> m_jobs;
    int m_waiting = 0;
    bool m_hold = false;
};

} // namespace kx::service::test
