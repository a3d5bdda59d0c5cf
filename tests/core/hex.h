#pragma once
// Frames written in tests as the hex bytes a person reads off the wire, "A5 6C 15 00 ...".
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace kx::test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes Hex(const std::string& text) {
    Bytes out;
    std::istringstream in(text);
    for (std::string word; in >> word;)
        out.push_back(static_cast<std::uint8_t>(std::strtoul(word.c_str(), nullptr, 16)));
    return out;
}

inline std::string ToHex(const Bytes& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (std::uint8_t b : bytes) {
        if (!out.empty())
            out += ' ';
        out += digits[b >> 4];
        out += digits[b & 0x0F];
    }
    return out;
}

} // namespace kx::test
