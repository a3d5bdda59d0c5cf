#pragma once
// One exchange with one device of a fleet: the request to send, and what came back. The
// requests are the session's own (same frames, commands, payloads and deadlines); only the
// device they go to travels with them instead of being the selected table entry.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/commands.h"
#include "link/frame.h"
#include "model/session_state.h"

namespace kx {

// A device as every request to it addresses it.
struct FleetDevice {
    std::uint32_t ip = 0;      // host byte order
    std::uint8_t dev_addr = 0; // frame byte 5, learned from the device's search reply
    std::uint8_t dev_type = frame::kSelectableDevType; // frame byte 4
    bool operator==(const FleetDevice&) const = default;
};

struct FleetJob {
    FleetDevice device;
    std::uint8_t command = 0;
    std::vector<std::uint8_t> payload;
    ExchangeKind kind = ExchangeKind::Value;
    std::uint32_t deadline_ms = 0;
};

FleetJob ReadAllJob(const FleetDevice& device);
// A one-value command (CMD_SET_OUTPUT_FORMAT ... or any code a caller chooses).
FleetJob ValueJob(const FleetDevice& device, std::uint8_t command, std::uint8_t value);
// A per-input command: line, then value.
FleetJob LineValueJob(const FleetDevice& device, std::uint8_t command, std::uint8_t line,
                      std::uint8_t value);
// The device keeps 16 UTF-16 units of UMD text; a longer text is cut there, never inside a
// surrogate pair.
FleetJob UmdTextJob(const FleetDevice& device, std::uint8_t line, std::u16string_view text);
// The name in the system ANSI code page, cut to the 16 bytes the device keeps, with its zero.
FleetJob DeviceNameJob(const FleetDevice& device, const std::u16string& name);
// The whole configuration as one set-all block (an audio position of 1 travels as 2).
FleetJob SetAllJob(const FleetDevice& device, SessionState config);
// CMD_SAVE_CUSTOM with slot 1 or 2.
FleetJob CustomSlotJob(const FleetDevice& device, std::uint8_t slot);
// Address, mask and gateway, four bytes each in written order.
FleetJob NetworkJob(const FleetDevice& device,
                    const std::array<std::uint8_t, kNetConfigSize>& network);
// The search request sent to this one address instead of the broadcast, to learn the device's
// type and address byte; it waits wait_ms for the answer.
FleetJob SearchJob(std::uint32_t ip, std::uint32_t wait_ms = DeadlineMs(ExchangeKind::Search));

enum class FleetOutcome {
    Accepted, // the reply came; an acknowledgement with status 0, or the read-all reply
    Refused,  // an acknowledgement with another status
    NoAnswer, // nothing that matched before the deadline
    NotSent,  // the request never left (no socket, port 7000 held by another program, stopped)
};

// What a device said about itself in its answer to a search.
struct FleetFound {
    std::uint8_t dev_type = 0;
    std::uint8_t dev_addr = 0;
    std::u16string list_text; // as the device list shows it: name, "_", address
};

struct FleetResult {
    FleetOutcome outcome = FleetOutcome::NotSent;
    std::uint8_t status = 0;            // byte 17 of an acknowledgement
    std::uint32_t round_trip_ms = 0;    // from sending to the reply, or to the deadline
    std::optional<SessionState> config; // a read-all reply, decoded
    std::optional<FleetFound> found;    // a search reply
    std::string problem;                // why a request was not sent
};

// "accepted", "refused", "no answer" or "not sent": the words every report uses.
std::string_view OutcomeWord(FleetOutcome outcome);

} // namespace kx
