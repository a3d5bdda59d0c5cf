#pragma once
// The OpenAPI document served at /api/v1/openapi.json.
#include <string_view>

namespace kx::service {

std::string_view OpenApiDocument();

} // namespace kx::service
