#include "link/commands.h"
#include "link/frame.h"
#include "sim/multiviewer.h"

namespace kx::sim {

SimDevice::SimDevice(DeviceOptions options)
    : m_options(std::move(options)), m_config(m_options.config), m_ip(m_options.ip) {}

void SimDevice::SetRawReply(std::optional<std::vector<std::uint8_t>> raw) {
    std::lock_guard lock(m_mutex);
    m_raw_reply = std::move(raw);
}

std::optional<std::vector<std::uint8_t>> SimDevice::RawReply() const {
    std::lock_guard lock(m_mutex);
    return m_raw_reply;
}

DeviceConfig SimDevice::Config() const {
    std::lock_guard lock(m_mutex);
    return m_config;
}

void SimDevice::SetConfig(const DeviceConfig& config) {
    std::lock_guard lock(m_mutex);
    m_config = config;
}

std::uint32_t SimDevice::Ip() const {
    return m_ip.load();
}

std::vector<FrameRecord> SimDevice::Frames() const {
    std::lock_guard lock(m_mutex);
    return {m_frames.begin(), m_frames.end()};
}

std::vector<std::vector<std::uint8_t>> SimDevice::ReceivedRequests() const {
    std::lock_guard lock(m_mutex);
    std::vector<std::vector<std::uint8_t>> out;
    for (const FrameRecord& f : m_frames) {
        const bool search =
            f.bytes.size() > frame::kOffCommand && f.bytes[frame::kOffCommand] == CMD_SEARCH;
        if (!f.sent && !search)
            out.push_back(f.bytes);
    }
    return out;
}

void SimDevice::ClearFrames() {
    std::lock_guard lock(m_mutex);
    m_frames.clear();
}

void SimDevice::Record(FrameRecord record) {
    std::lock_guard lock(m_mutex);
    if (m_frames.size() == kFrameLimit)
        m_frames.pop_front();
    m_frames.push_back(std::move(record));
}

} // namespace kx::sim
