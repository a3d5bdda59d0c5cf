#pragma once
// The bearer token that every request must carry when the service listens beyond loopback.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kx::service {

// The token is the file's first line without surrounding blanks; a file without one is refused.
std::optional<std::string> LoadToken(const std::filesystem::path& path, std::string& error);

// True when the Authorization header is "Bearer <token>". The time taken does not depend on
// where a guess first differs from the token, so the token cannot be found byte by byte.
bool AuthorizationMatches(std::string_view header, std::string_view token);

} // namespace kx::service
