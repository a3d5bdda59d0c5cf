#pragma once
// Strict reading of JSON documents that people write by hand or send from scripts: unknown
// keys, wrong types and values out of range are refused with a message that says where.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace kx::json_check {

// Carries the message from deep inside a document to the one place that reports it.
struct Error {
    std::string message;
};

// `where` names the object in messages, e.g. displays[2].tally.
void OnlyKeys(const nlohmann::json& object, std::initializer_list<std::string_view> keys,
              const std::string& where);

// A whole number 0 to max (not a fraction, not a boolean, not text).
unsigned Integer(const nlohmann::json& value, unsigned max, const std::string& where);
unsigned IntegerAt(const nlohmann::json& object, std::string_view key, unsigned max,
                   const std::string& where);
std::string TextAt(const nlohmann::json& object, std::string_view key, const std::string& where);

} // namespace kx::json_check
