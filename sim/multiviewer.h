#pragma once
// A simulated KX7214: answers the search, holds a whole configuration in the read-all layout,
// applies every set command to it and acknowledges. One host runs any number of devices, each
// on its own loopback address, on a thread of its own so that a panel in the same process can
// block in an exchange while its device answers.
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "link/config_layout.h"
#include "platform/socket.h"

namespace kx::sim {

struct Request;

// The configuration as the read-all reply carries it after the command byte: control mode,
// two firmware bytes, then the 235-byte block (with audio combination and transparency).
struct DeviceConfig {
    std::uint8_t control_mode = 0;
    std::array<std::uint8_t, 2> firmware{16, 23}; // shown by the panel as "Ver 1.6.2.3"
    std::array<std::uint8_t, block::kSize> block{};
    // The two slots that CMD_SAVE_CUSTOM fills.
    std::array<std::optional<std::array<std::uint8_t, block::kSize>>, 2> custom{};
    // The last network settings the device was given (address, mask, gateway).
    std::array<std::uint8_t, netcfg::kSize> network{};

    void SetName(const std::string& ansi_name); // cut to 16 bytes, zero-terminated
    std::string Name() const;
    void SetUmdText(int line, const std::u16string& text); // cut to 16 units
    std::u16string UmdText(int line) const;
    std::uint8_t& At(std::size_t block_offset) { return block[block_offset]; }
    std::uint8_t At(std::size_t block_offset) const { return block[block_offset]; }

    // A plausible factory state for demos: the given name, "Input 1" to "Input 4" shown
    // top left, audio meters on the left, channel pair 1-2.
    static DeviceConfig Sample(const std::string& ansi_name);
};

// A frame the device received or sent, for logs and tests.
struct FrameRecord {
    bool sent = false;
    std::uint32_t peer_ip = 0;
    std::uint16_t peer_port = 0;
    std::vector<std::uint8_t> bytes;
    // Received but not acted on: malformed, from outside the loopback network, or not a
    // search on the broadcast socket.
    bool ignored = false;
};

struct DeviceOptions {
    std::uint32_t ip = 0x7F000002; // 127.0.0.2
    // From reply byte 18. Empty: NameText() of the configured name at the time of the search.
    std::string search_text;
    std::uint8_t dev_addr = 0x01;
    std::uint8_t dev_type = 0xA3;
    DeviceConfig config{};
    // Whether the search sent to 255.255.255.255 reaches the device. Unset: a device on the
    // loopback network hears it; one on the test segment does not, as a device behind a PC's
    // second network card does not, and hears only that segment's own broadcast. False on
    // loopback stands for a device on another subnet, found only by its address.
    std::optional<bool> hears_limited_broadcast;
};

// Search-reply text for a device name: the name, then "-A-01". The panel lists the part before
// each '-'?'-' pattern, so every '-' of the name that has another '-' two places on becomes '_';
// exactly one entry, named by the rest of the text, results.
std::string NameText(const std::string& name);

// Devices live on 127.0.0.0/8, never on 127.0.0.1 (where the panel's replies arrive) nor on the
// loopback network's own or broadcast address; or on the test segment where it is isolated
// (sim/test_segment.h). Empty when usable, else why not.
std::string DeviceIpProblem(std::uint32_t ip);

class SimDevice {
public:
    explicit SimDevice(DeviceOptions options);

    // Test knobs; safe to change while the host runs.
    std::atomic<std::uint32_t> reply_delay_ms{0};
    std::atomic<std::uint8_t> status{0};     // acknowledgement status; not 0 = refused
    std::atomic<bool> silent{false};         // receive and record, never act or answer
    std::atomic<int> wrong_command_first{0}; // datagrams with another command byte before
                                             // every reply to a request
    // When set, sent instead of the normal reply to every request (the search included).
    void SetRawReply(std::optional<std::vector<std::uint8_t>> raw);

    DeviceConfig Config() const;
    void SetConfig(const DeviceConfig& config);
    std::uint32_t Ip() const; // the current address, which CMD_SET_NETWORK may change
    const DeviceOptions& Options() const { return m_options; }
    std::vector<FrameRecord> Frames() const;                         // the last kFrameLimit frames
    std::vector<std::vector<std::uint8_t>> ReceivedRequests() const; // received, search excluded
    void ClearFrames();

    static constexpr std::size_t kFrameLimit = 10000;

private:
    friend class DeviceHost;
    void Record(FrameRecord record);
    std::optional<std::vector<std::uint8_t>> RawReply() const;

    DeviceOptions m_options;
    mutable std::mutex m_mutex;
    DeviceConfig m_config;
    std::optional<std::vector<std::uint8_t>> m_raw_reply;
    std::deque<FrameRecord> m_frames;
    std::atomic<std::uint32_t> m_ip;
    platform::SocketHandle m_socket = platform::kNoSocket;
};

class DeviceHost {
public:
    DeviceHost();
    ~DeviceHost(); // stops
    DeviceHost(const DeviceHost&) = delete;
    DeviceHost& operator=(const DeviceHost&) = delete;

    SimDevice& AddDevice(DeviceOptions options); // before Start
    // Binds every socket; false (with the reason in Error()) when an address is not usable or a
    // socket cannot be bound. Nothing stays open after a failure.
    bool Start();
    void Stop();
    const std::string& Error() const { return m_error; }
    std::vector<SimDevice*> Devices();

    // Called on the host's thread for every frame received and sent. Set before Start.
    std::function<void(const SimDevice&, const FrameRecord&)> on_frame;

private:
    // A reply waiting for its send time; after it is sent the device may move.
    struct Pending {
        std::chrono::steady_clock::time_point due;
        SimDevice* device = nullptr;
        std::vector<std::uint8_t> bytes;
        platform::Endpoint to;
        std::optional<std::uint32_t> move_to;
    };
    void Run();
    void CloseAll();
    void OpenBroadcastSocket(std::uint32_t ip);
    bool WaitForWork();
    // A device's own socket, or (device null) a broadcast socket bound to broadcast_ip.
    void Drain(platform::SocketHandle s, SimDevice* device, std::uint32_t broadcast_ip);
    bool Reachable(std::uint32_t ip) const;
    void OnDatagram(SimDevice& device, const std::vector<std::uint8_t>& bytes,
                    platform::Endpoint from, bool broadcast);
    static std::vector<std::uint8_t> Answer(SimDevice& device, const Request& request,
                                            std::optional<std::uint32_t>* move_to);
    void Queue(SimDevice& device, std::vector<std::uint8_t> bytes, platform::Endpoint to,
               std::optional<std::uint32_t> move_to);
    void SendDue();
    void Send(SimDevice& device, const std::vector<std::uint8_t>& bytes, platform::Endpoint to);
    platform::SocketHandle BindNewAddress(const SimDevice& device, std::uint32_t ip) const;
    void Note(SimDevice& device, const FrameRecord& record);

    std::vector<std::unique_ptr<SimDevice>> m_devices;
    std::deque<Pending> m_pending; // ordered by send time, then by queueing order
    std::vector<std::uint8_t> m_buffer;
    struct BroadcastSocket {
        platform::SocketHandle socket;
        std::uint32_t ip;
    };
    // The limited broadcast's socket, and the test segment's own when a device starts there.
    std::vector<BroadcastSocket> m_broadcast_sockets;
    // Peers on the test segment are answered only where it is isolated.
    bool m_segment_reachable = false;
    int m_wake[2] = {-1, -1};
    std::thread m_thread;
    std::string m_error;
};

} // namespace kx::sim
