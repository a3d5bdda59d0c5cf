#pragma once
// The device port on the fleet engine: exchanges to one device one after another, different
// devices at the same time, over one socket on port 7000 held only while exchanges are in
// flight. The device list comes from the session's search, which binds port 7000 as well, so
// a search waits for the exchanges in flight and new exchanges wait for the search.
#include <condition_variable>
#include <map>
#include <mutex>

#include "link/fleet_engine.h"
#include "link/session.h"
#include "service/device_port.h"

namespace kx::service {

class FleetPort : public DevicePort {
public:
    FleetPort();
    ~FleetPort() override;

    std::vector<DeviceListing> Devices(bool refresh) override;
    std::optional<DeviceListing> Find(std::uint32_t ip, std::string& problem) override;
    void Submit(std::uint32_t ip, Job job, Done done) override;

private:
    // Exchanges hold the door while they run; a search holds it alone.
    void EnterExchange();
    void LeaveExchange();
    void Search();
    std::optional<DeviceListing> Known(std::uint32_t ip);
    void Learn(std::uint32_t ip, const FleetFound& found);
    void SubmitTo(const DeviceListing& device, const Job& job, Done done);

    std::mutex m_mutex;
    std::condition_variable m_door;
    int m_exchanges = 0;
    bool m_searching = false;
    bool m_searched = false;
    std::vector<DeviceListing> m_list;              // the last search, in its order
    std::map<std::uint32_t, DeviceListing> m_known; // listed, or answered when asked directly

    FleetEngine m_engine;
};

} // namespace kx::service
