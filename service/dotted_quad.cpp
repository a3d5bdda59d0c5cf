#include "service/dotted_quad.h"

#include "platform/socket.h"

namespace kx::service {
namespace {

std::optional<std::uint32_t> ParseOctet(std::string_view part) {
    if (part.empty() || part.size() > 3 || (part.size() > 1 && part[0] == '0'))
        return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : part) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return value <= 255 ? std::optional(value) : std::nullopt;
}

} // namespace

std::optional<std::uint32_t> ParseDottedQuad(std::string_view text) {
    std::uint32_t ip = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t dot = i < 3 ? text.find('.') : text.size();
        if (dot == std::string_view::npos)
            return std::nullopt;
        const auto octet = ParseOctet(text.substr(0, dot));
        if (!octet)
            return std::nullopt;
        ip = ip << 8 | *octet;
        text.remove_prefix(i < 3 ? dot + 1 : dot);
    }
    return ip;
}

std::optional<std::uint32_t> ParseDeviceIp(std::string_view text) {
    const auto ip = ParseDottedQuad(text);
    if (!ip || *ip == platform::kAnyIp || *ip == platform::kBroadcastIp)
        return std::nullopt;
    return ip;
}

std::string DottedQuad(std::uint32_t ip) {
    return platform::InetNtoa(ip);
}

} // namespace kx::service
