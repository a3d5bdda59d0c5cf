#include "service/http_routes.h"

#include <array>

namespace kx::service {
namespace {

constexpr std::array kRoutes = {
    Route{"GET", "/api/v1/openapi.json", &Api::OpenApi},
    Route{"GET", "/api/v1/devices", &Api::ListDevices},
    Route{"GET", "/api/v1/devices/{ip}", &Api::ReadDevice},
    Route{"PUT", "/api/v1/devices/{ip}/settings/{field}", &Api::PutSetting},
    Route{"PUT", "/api/v1/devices/{ip}/umd/{line}/text", &Api::PutUmdText},
    Route{"PUT", "/api/v1/devices/{ip}/name", &Api::PutName},
    Route{"POST", "/api/v1/devices/{ip}/apply", &Api::PostApply},
    Route{"POST", "/api/v1/devices/{ip}/custom/{slot}", &Api::PostCustom},
    Route{"PUT", "/api/v1/devices/{ip}/network", &Api::PutNetwork},
};

// Splits "/a/b" into "a", "b"; an empty segment ("//", a trailing "/") stays empty.
std::vector<std::string_view> Segments(std::string_view path) {
    std::vector<std::string_view> out;
    if (!path.starts_with('/'))
        return out;
    path.remove_prefix(1);
    for (;;) {
        const std::size_t slash = path.find('/');
        out.push_back(path.substr(0, slash));
        if (slash == std::string_view::npos)
            return out;
        path.remove_prefix(slash + 1);
    }
}

} // namespace

std::span<const Route> Routes() {
    return kRoutes;
}

std::optional<std::vector<std::string>> MatchPath(std::string_view pattern, std::string_view path) {
    const auto want = Segments(pattern);
    const auto have = Segments(path);
    if (have.empty() || want.size() != have.size())
        return std::nullopt;
    std::vector<std::string> params;
    for (std::size_t i = 0; i < want.size(); ++i) {
        if (want[i].starts_with('{') && !have[i].empty())
            params.emplace_back(have[i]);
        else if (want[i] != have[i])
            return std::nullopt;
    }
    return params;
}

} // namespace kx::service
