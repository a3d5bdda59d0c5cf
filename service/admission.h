#pragma once
// A bounded queue per device for HTTP requests: a device answers one request at a time, so a
// client that sends faster than that is told to come back (429) instead of piling up requests
// that would be carried out long after anyone waits for them.
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>

namespace kx::service {

class Admission {
public:
    explicit Admission(int per_device) : m_limit(per_device) {}

    // Holds one place in a device's queue while it lives.
    class Ticket {
    public:
        Ticket(Admission& owner, std::uint32_t ip) : m_owner(&owner), m_ip(ip) {}
        Ticket(Ticket&& other) noexcept : m_owner(other.m_owner), m_ip(other.m_ip) {
            other.m_owner = nullptr;
        }
        Ticket(const Ticket&) = delete;
        Ticket& operator=(const Ticket&) = delete;
        Ticket& operator=(Ticket&&) = delete;
        ~Ticket();

    private:
        Admission* m_owner;
        std::uint32_t m_ip;
    };

    // Nothing when the device's queue is full.
    std::optional<Ticket> Enter(std::uint32_t ip);
    int Limit() const { return m_limit; }

private:
    void Leave(std::uint32_t ip);

    const int m_limit;
    std::mutex m_mutex;
    std::map<std::uint32_t, int> m_waiting; // only devices with requests in the queue
};

} // namespace kx::service
