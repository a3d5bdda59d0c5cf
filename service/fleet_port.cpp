#include "service/fleet_port.h"

#include "link/session_view.h"
#include "platform/text.h"

namespace kx::service {
namespace {

FleetDevice DeviceOf(const DeviceListing& d) {
    return FleetDevice{d.ip, d.dev_addr, d.dev_type};
}

// The set-all block is packed by the caller, who laid the configuration over the device's own.
FleetJob SetAllBlockJob(const FleetDevice& device, const AllConfigJob& job) {
    return FleetJob{device,
                    CMD_SET_ALL,
                    {job.block.begin(), job.block.end()},
                    ExchangeKind::AllConfig,
                    DeadlineMs(ExchangeKind::AllConfig)};
}

FleetJob ToFleetJob(const FleetDevice& device, const Job& job) {
    return std::visit(
        [&](const auto& j) -> FleetJob {
            using T = std::decay_t<decltype(j)>;
            if constexpr (std::is_same_v<T, service::ReadAllJob>)
                return kx::ReadAllJob(device);
            else if constexpr (std::is_same_v<T, service::ValueJob>)
                return kx::ValueJob(device, j.code, j.value);
            else if constexpr (std::is_same_v<T, service::LineValueJob>)
                return kx::LineValueJob(device, j.code, j.line, j.value);
            else if constexpr (std::is_same_v<T, service::UmdTextJob>)
                return kx::UmdTextJob(device, j.line, j.text);
            else if constexpr (std::is_same_v<T, service::NameJob>)
                return kx::DeviceNameJob(device, j.name);
            else if constexpr (std::is_same_v<T, service::AllConfigJob>)
                return SetAllBlockJob(device, j);
            else
                return kx::NetworkJob(device, j.config);
        },
        job);
}

JobResult NoAnswer(const FleetResult& search) {
    JobResult r;
    r.outcome =
        search.outcome == FleetOutcome::NotSent ? FleetOutcome::NotSent : FleetOutcome::NoAnswer;
    r.round_trip_ms = search.round_trip_ms;
    r.problem = search.problem;
    return r;
}

} // namespace

FleetPort::FleetPort() = default;
FleetPort::~FleetPort() = default;

void FleetPort::EnterExchange() {
    std::unique_lock lock(m_mutex);
    m_door.wait(lock, [this] { return !m_searching; });
    ++m_exchanges;
}

void FleetPort::LeaveExchange() {
    std::lock_guard lock(m_mutex);
    --m_exchanges;
    m_door.notify_all();
}

void FleetPort::Search() {
    {
        std::unique_lock lock(m_mutex);
        m_door.wait(lock, [this] { return !m_searching; });
        m_searching = true;
        // The engine closes its socket when its last result is handed over.
        m_door.wait(lock, [this] { return m_exchanges == 0; });
    }
    HeadlessView view;
    CKX7214Session session(view);
    session.ScanDevices();
    std::vector<DeviceListing> list;
    const int count = std::min(session.m_device_count, kDeviceTableSize);
    for (int i = 0; i < count; ++i) {
        const device_entry& e = session.m_device_list[static_cast<std::size_t>(i)];
        const auto index = static_cast<std::size_t>(i);
        list.push_back({platform::InetAddr(e.ip_text),
                        index < view.list_items.size()
                            ? platform::Utf16ToUtf8(view.list_items[index])
                            : std::string(),
                        e.dev_type, e.dev_addr});
    }
    std::lock_guard lock(m_mutex);
    m_list = list;
    for (const DeviceListing& d : list)
        m_known[d.ip] = d;
    m_searched = true;
    m_searching = false;
    m_door.notify_all();
}

std::vector<DeviceListing> FleetPort::Devices(bool refresh) {
    std::unique_lock lock(m_mutex);
    // A search already running answers this request too: a second one would only find the
    // same devices two seconds later.
    if (m_searching) {
        m_door.wait(lock, [this] { return !m_searching; });
        return m_list;
    }
    if (refresh || !m_searched) {
        lock.unlock();
        Search();
        lock.lock();
    }
    return m_list;
}

std::optional<DeviceListing> FleetPort::Known(std::uint32_t ip) {
    std::lock_guard lock(m_mutex);
    const auto it = m_known.find(ip);
    return it == m_known.end() ? std::nullopt : std::optional(it->second);
}

void FleetPort::Learn(std::uint32_t ip, const FleetFound& found) {
    std::lock_guard lock(m_mutex);
    m_known[ip] =
        DeviceListing{ip, platform::Utf16ToUtf8(found.list_text), found.dev_type, found.dev_addr};
}

std::optional<DeviceListing> FleetPort::Find(std::uint32_t ip, std::string& problem) {
    problem.clear();
    if (auto known = Known(ip))
        return known;
    EnterExchange();
    const FleetResult r = m_engine.Submit(SearchJob(ip)).get();
    LeaveExchange();
    if (r.outcome == FleetOutcome::NotSent)
        problem = r.problem;
    if (r.outcome != FleetOutcome::Accepted || !r.found)
        return std::nullopt;
    Learn(ip, *r.found);
    return Known(ip);
}

void FleetPort::SubmitTo(const DeviceListing& device, const Job& job, Done done) {
    m_engine.Submit(ToFleetJob(DeviceOf(device), job), [this, done](FleetResult r) {
        LeaveExchange();
        done(r);
    });
}

void FleetPort::Submit(std::uint32_t ip, Job job, Done done) {
    EnterExchange();
    if (auto known = Known(ip))
        return SubmitTo(*known, job, std::move(done));
    // A device not met yet is asked for its address byte first; the exchange holds the door
    // until the job itself has its result.
    m_engine.Submit(SearchJob(ip), [this, ip, job, done](FleetResult r) {
        if (r.outcome != FleetOutcome::Accepted || !r.found) {
            LeaveExchange();
            return done(NoAnswer(r));
        }
        Learn(ip, *r.found);
        SubmitTo(*Known(ip), job, done);
    });
}

} // namespace kx::service
