#include "model/json_check.h"

#include <algorithm>

namespace kx::json_check {
namespace {

const nlohmann::json& Member(const nlohmann::json& object, std::string_view key,
                             const std::string& where) {
    const auto it = object.find(key);
    if (it == object.end())
        throw Error{where + ": \"" + std::string(key) + "\" is missing"};
    return *it;
}

std::string Named(const std::string& where, std::string_view key) {
    return where + ": \"" + std::string(key) + "\"";
}

} // namespace

void OnlyKeys(const nlohmann::json& object, std::initializer_list<std::string_view> keys,
              const std::string& where) {
    if (!object.is_object())
        throw Error{where + " must be an object"};
    for (const auto& item : object.items())
        if (std::find(keys.begin(), keys.end(), item.key()) == keys.end())
            throw Error{where + ": unknown key \"" + item.key() + "\""};
}

unsigned Integer(const nlohmann::json& value, unsigned max, const std::string& where) {
    if (!value.is_number_unsigned() || value.get<std::uint64_t>() > max)
        throw Error{where + " must be an integer 0 to " + std::to_string(max)};
    return value.get<unsigned>();
}

unsigned IntegerAt(const nlohmann::json& object, std::string_view key, unsigned max,
                   const std::string& where) {
    return Integer(Member(object, key, where), max, Named(where, key));
}

std::string TextAt(const nlohmann::json& object, std::string_view key, const std::string& where) {
    const nlohmann::json& value = Member(object, key, where);
    if (!value.is_string())
        throw Error{Named(where, key) + " must be text"};
    return value.get<std::string>();
}

} // namespace kx::json_check
