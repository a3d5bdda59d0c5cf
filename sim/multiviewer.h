#pragma once
// A simulated KX7214: answers the search, holds a whole configuration in the read-all layout,
// applies every set command to it and acknowledges. One host runs any number of devices, each
// on its own loopback address, on a thread of its own so that a panel in the same process can
// block in an exchange while its device answers.
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "link/config_layout.h"

namespace kx::sim {

// The configuration as the read-all reply carries it after the command byte: control mode,
// two firmware bytes, then the 235-byte block (with audio combination and transparency).
struct DeviceConfig {
    std::uint8_t control_mode = 0;
    std::array<std::uint8_t, 2> firmware{0x10, 0x23}; // "Ver 1.6.2.3"
    std::array<std::uint8_t, block::kSize> block{};
    // The two slots that CMD_SAVE_CUSTOM fills.
    std::array<std::optional<std::array<std::uint8_t, block::kSize>>, 2> custom{};

    void SetName(const std::string& ansi_name); // cut to 16 bytes, zero-terminated
    std::string Name() const;
    void SetUmdText(int line, const std::u16string& text); // cut to 16 units
    std::u16string UmdText(int line) const;
    std::uint8_t& At(std::size_t block_offset) { return block[block_offset]; }
    std::uint8_t At(std::size_t block_offset) const { return block[block_offset]; }
};

// A frame the device received or sent, for logs and tests.
struct FrameRecord {
    bool sent = false;
    std::uint32_t peer_ip = 0;
    std::uint16_t peer_port = 0;
    std::vector<std::uint8_t> bytes;
};

struct DeviceOptions {
    std::uint32_t ip = 0x7F000002;    // 127.0.0.2
    std::string search_text;          // from reply byte 18: "<name>-A-1" style; see NameText()
    std::uint8_t dev_addr = 0x01;
    std::uint8_t dev_type = 0xA3;
    DeviceConfig config{};
};

// Search-reply text for a device name: the panel lists the part before the '-'?'-' pattern.
std::string NameText(const std::string& name);

class SimDevice {
public:
    explicit SimDevice(DeviceOptions options);

    // Test knobs; safe to change while the host runs.
    std::atomic<std::uint32_t> reply_delay_ms{0};
    std::atomic<std::uint8_t> status{0};   // acknowledgement status; not 0 = refused
    std::atomic<bool> silent{false};       // receive and record, never answer
    std::atomic<int> wrong_command_first{0}; // datagrams with another command byte before the reply
    // When set, sent instead of the normal reply to every request.
    void SetRawReply(std::optional<std::vector<std::uint8_t>> raw);

    DeviceConfig Config() const;
    void SetConfig(const DeviceConfig& config);
    std::uint32_t Ip() const;
    const DeviceOptions& Options() const { return m_options; }
    std::vector<FrameRecord> Frames() const;
    std::vector<std::vector<std::uint8_t>> ReceivedRequests() const; // received, search excluded
    void ClearFrames();

private:
    friend class DeviceHost;
    DeviceOptions m_options;
    mutable std::mutex m_mutex;
    std::optional<std::vector<std::uint8_t>> m_raw_reply;
    std::vector<FrameRecord> m_frames;
    int m_socket = -1;
};

class DeviceHost {
public:
    DeviceHost();
    ~DeviceHost(); // stops
    DeviceHost(const DeviceHost&) = delete;
    DeviceHost& operator=(const DeviceHost&) = delete;

    SimDevice& AddDevice(DeviceOptions options); // before Start
    // Binds every socket; false (with the reason in Error()) when one cannot be bound.
    bool Start();
    void Stop();
    const std::string& Error() const { return m_error; }
    std::vector<SimDevice*> Devices();

    // Called on the host's thread for every frame received and sent.
    std::function<void(const SimDevice&, const FrameRecord&)> on_frame;

private:
    void Run();
    std::vector<std::unique_ptr<SimDevice>> m_devices;
    int m_broadcast_socket = -1;
    int m_wake[2] = {-1, -1};
    std::thread m_thread;
    std::string m_error;
};

} // namespace kx::sim
