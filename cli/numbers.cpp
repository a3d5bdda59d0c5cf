#include "cli/numbers.h"

#include <cctype>

namespace kx::cli {
namespace {

// Digits of the given base only; nothing when empty, not a digit, or above `limit`.
std::optional<unsigned> ParseDigits(std::string_view digits, unsigned base, unsigned limit) {
    if (digits.empty())
        return std::nullopt;
    unsigned value = 0;
    for (char ch : digits) {
        const auto c = static_cast<unsigned char>(ch);
        unsigned d = 0;
        if (std::isdigit(c))
            d = c - '0';
        else if (base == 16 && std::isxdigit(c))
            d = static_cast<unsigned>(std::tolower(c) - 'a' + 10);
        else
            return std::nullopt;
        value = value * base + d;
        if (value > limit)
            return limit + 1; // out of range, but a number: reported as such
    }
    return value;
}

std::string RangeText(unsigned lo, unsigned hi) {
    return std::to_string(lo) + ".." + std::to_string(hi);
}

} // namespace

std::optional<unsigned> ParseUnsigned(std::string_view text, unsigned lo, unsigned hi,
                                      std::string_view what, std::string& error) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const auto value = hex ? ParseDigits(text.substr(2), 16, hi) : ParseDigits(text, 10, hi);
    if (!value) {
        error =
            std::string(what) + ": '" + std::string(text) + "' is not a number (decimal or 0x-hex)";
        return std::nullopt;
    }
    if (*value < lo || *value > hi) {
        error =
            std::string(what) + ": " + std::string(text) + " is out of range " + RangeText(lo, hi);
        return std::nullopt;
    }
    return *value;
}

std::optional<std::uint8_t> ParseNumber(std::string_view text, unsigned lo, unsigned hi,
                                        std::string_view what, std::string& error) {
    const auto value = ParseUnsigned(text, lo, hi, what, error);
    if (!value)
        return std::nullopt;
    return static_cast<std::uint8_t>(*value);
}

std::string HexByte(std::uint8_t value) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    return std::string("0x") + kDigits[value >> 4] + kDigits[value & 0x0F];
}

std::optional<Quad> ParseDottedQuad(std::string_view text, std::string_view what,
                                    std::string& error) {
    Quad quad{};
    std::string_view rest = text;
    for (std::size_t i = 0; i < quad.size(); ++i) {
        const std::size_t dot = i + 1 < quad.size() ? rest.find('.') : rest.size();
        const std::string_view part = rest.substr(0, dot);
        const auto value = part.size() <= 3 && !(part.size() > 1 && part[0] == '0')
                               ? ParseDigits(part, 10, 255)
                               : std::nullopt;
        if (dot == std::string_view::npos || !value || *value > 255) {
            error = std::string(what) + ": '" + std::string(text) +
                    "' is not a dotted-quad IPv4 address";
            return std::nullopt;
        }
        quad[i] = static_cast<std::uint8_t>(*value);
        rest = dot < rest.size() ? rest.substr(dot + 1) : std::string_view{};
    }
    return quad;
}

} // namespace kx::cli
