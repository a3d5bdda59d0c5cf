#pragma once
// Command-line numbers: bytes in decimal or 0x-hex, and IPv4 addresses as dotted quads.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kx::cli {

// A whole number in decimal or with a 0x/0X prefix in hex, within lo..hi (hi below 2^27). On
// failure returns nothing and sets error to a one-line message that names `what`.
std::optional<unsigned> ParseUnsigned(std::string_view text, unsigned lo, unsigned hi,
                                      std::string_view what, std::string& error);

// A byte: a whole number in decimal or with a 0x/0X prefix in hex, within lo..hi. On failure
// returns nothing and sets error to a one-line message that names `what`.
std::optional<std::uint8_t> ParseNumber(std::string_view text, unsigned lo, unsigned hi,
                                        std::string_view what, std::string& error);

// "0x94": how the tool writes a command code back.
std::string HexByte(std::uint8_t value);

using Quad = std::array<std::uint8_t, 4>;

// Four decimal numbers 0..255 joined by dots, nothing else: no blanks, no signs, and no
// leading zeros, which some parsers read as octal and would aim at another address.
std::optional<Quad> ParseDottedQuad(std::string_view text, std::string_view what,
                                    std::string& error);

} // namespace kx::cli
