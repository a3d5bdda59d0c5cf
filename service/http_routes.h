#pragma once
// The resources of the HTTP interface and the handler of each.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "service/api.h"

namespace kx::service {

struct Route {
    std::string_view method;
    // Literal segments and {name} segments, each of which matches one non-empty segment.
    std::string_view path;
    ApiResponse (Api::*handler)(const ApiRequest&, const Api::Params&);
};

std::span<const Route> Routes();

// The {name} segments' values in order, or nothing when the path does not fit the pattern.
std::optional<std::vector<std::string>> MatchPath(std::string_view pattern, std::string_view path);

} // namespace kx::service
