#pragma once
// IPv4 addresses as people write them in requests and in the mapping file.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kx::service {

// Four decimal numbers 0 to 255 separated by dots, without signs, blanks or leading zeros
// (a leading zero reads as octal to some tools, so "010" is refused rather than guessed).
std::optional<std::uint32_t> ParseDottedQuad(std::string_view text);

// A device is reached at a single host address: not 0.0.0.0, not 255.255.255.255.
std::optional<std::uint32_t> ParseDeviceIp(std::string_view text);

std::string DottedQuad(std::uint32_t ip);

} // namespace kx::service
