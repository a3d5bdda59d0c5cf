#pragma once
// What a simulated device does with one request, apart from sockets and threads: check the
// framing, apply the command to the configuration and build the reply.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sim/multiviewer.h"

namespace kx::sim {

// The part of a well-formed request the device acts on.
struct Request {
    std::uint8_t command = 0;
    std::vector<std::uint8_t> payload;
};

// nullopt unless the datagram is one whole frame (magic, length field equal to its size,
// checksum, trailer) whose payload has the size its command needs.
std::optional<Request> ParseRequest(std::span<const std::uint8_t> datagram);

// Answered for a line other than 0..3 or a custom slot other than 1 and 2: the device has no
// such field and changes nothing.
inline constexpr std::uint8_t kStatusNoSuchField = 1;

// Frame bytes 4 and 5 of every reply.
struct Identity {
    std::uint8_t dev_type = 0;
    std::uint8_t dev_addr = 0;
};

std::vector<std::uint8_t> BuildSearchReply(Identity id, const std::string& text);
std::vector<std::uint8_t> BuildReadAllReply(Identity id, const DeviceConfig& config);
std::vector<std::uint8_t> BuildAck(Identity id, std::uint8_t command, std::uint8_t status);

// Applies a set command (anything but the search and the read-all) and returns the status to
// acknowledge with. With refuse_status not 0 nothing is applied and that status is returned.
// Codes the device does not know are acknowledged with 0 and change nothing.
std::uint8_t Apply(const Request& request, DeviceConfig& config, std::uint8_t refuse_status);

// The address a CMD_SET_NETWORK payload gives the device.
std::uint32_t NetworkIp(const std::array<std::uint8_t, netcfg::kSize>& network);

} // namespace kx::sim
