#include "service/token.h"

#include <fstream>

namespace kx::service {
namespace {

constexpr std::string_view kScheme = "Bearer ";
constexpr std::string_view kBlanks = " \t\r\n";

// Looks at every byte given, whatever it finds; the time depends on the length of the guess
// alone, which its sender knows anyway. The token must not be empty.
bool SameInConstantTime(std::string_view given, std::string_view token) {
    unsigned diff = given.size() == token.size() ? 0u : 1u;
    for (std::size_t i = 0; i < given.size(); ++i) {
        const auto a = static_cast<unsigned char>(given[i]);
        const auto b = static_cast<unsigned char>(token[i % token.size()]);
        diff |= static_cast<unsigned>(a ^ b);
    }
    return diff == 0;
}

} // namespace

std::optional<std::string> LoadToken(const std::filesystem::path& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    if (!in || !std::getline(in, line)) {
        error = "--token-file " + path.string() + ": cannot be read or is empty";
        return std::nullopt;
    }
    const std::size_t first = line.find_first_not_of(kBlanks);
    if (first == std::string::npos) {
        error = "--token-file " + path.string() + ": the first line holds no token";
        return std::nullopt;
    }
    return line.substr(first, line.find_last_not_of(kBlanks) - first + 1);
}

bool AuthorizationMatches(std::string_view header, std::string_view token) {
    if (!header.starts_with(kScheme) || token.empty())
        return false;
    header.remove_prefix(kScheme.size());
    return SameInConstantTime(header, token);
}

} // namespace kx::service
