#include "service/display_map.h"

#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "model/json_check.h"
#include "model/record.h"
#include "service/dotted_quad.h"
#include "service/tsl_v31.h"

namespace kx::service {
namespace {

using nlohmann::json;

constexpr std::uint8_t kColourCount = 16;
// Yellow: the nearest of the device's label colours to amber.
constexpr std::uint8_t kDefaultAmber = 6;

using json_check::Error;
using json_check::IntegerAt;
using json_check::OnlyKeys;

void ReadTslKey(const json& tsl, DisplayEntry& entry, const std::string& where) {
    const std::string at = where + ".tsl";
    if (tsl.is_object() && tsl.contains("address")) {
        OnlyKeys(tsl, {"address"}, at);
        entry.version = TslVersion::V31;
        entry.index = static_cast<std::uint16_t>(IntegerAt(tsl, "address", tsl31::kMaxAddress, at));
        return;
    }
    OnlyKeys(tsl, {"screen", "index"}, at);
    entry.version = TslVersion::V50;
    // 0xFFFF addresses every display in a message, so it cannot name one here.
    entry.screen = tsl.contains("screen")
                       ? static_cast<std::uint16_t>(IntegerAt(tsl, "screen", kTslEvery - 1, at))
                       : 0;
    entry.index = static_cast<std::uint16_t>(IntegerAt(tsl, "index", kTslEvery - 1, at));
}

std::optional<TallyColours> ReadTally(const json& entry, const std::string& where) {
    const auto it = entry.find("tally");
    if (it == entry.end())
        return std::nullopt;
    const std::string at = where + ".tally";
    OnlyKeys(*it, {"idle", "amber"}, at);
    TallyColours colours;
    colours.idle = static_cast<std::uint8_t>(IntegerAt(*it, "idle", kColourCount - 1, at));
    colours.amber = it->contains("amber")
                        ? static_cast<std::uint8_t>(IntegerAt(*it, "amber", kColourCount - 1, at))
                        : kDefaultAmber;
    return colours;
}

DisplayEntry ReadEntry(const json& item, const std::string& where) {
    OnlyKeys(item, {"tsl", "device", "line", "tally"}, where);
    DisplayEntry entry;
    if (!item.contains("tsl"))
        throw Error{where + ": \"tsl\" is missing"};
    ReadTslKey(item["tsl"], entry, where);
    const std::string device = json_check::TextAt(item, "device", where);
    const auto ip = ParseDeviceIp(device);
    if (!ip)
        throw Error{where + ": \"device\" \"" + device +
                    "\" is not a device address (a dotted quad such as 192.168.1.20)"};
    entry.device_ip = *ip;
    entry.line = static_cast<std::uint8_t>(IntegerAt(item, "line", kLineCount - 1, where));
    entry.tally = ReadTally(item, where);
    return entry;
}

bool SameTarget(const DisplayEntry& a, const DisplayEntry& b) {
    return a.device_ip == b.device_ip && a.line == b.line;
}

// Two displays writing one label would overwrite each other at random.
void CheckTargetsUnique(const std::vector<DisplayEntry>& entries) {
    for (std::size_t i = 0; i < entries.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (SameTarget(entries[i], entries[j]))
                throw Error{"displays[" + std::to_string(i) + "]: device " +
                            DottedQuad(entries[i].device_ip) + " line " +
                            std::to_string(entries[i].line) + " is already driven by displays[" +
                            std::to_string(j) + "]"};
}

bool Matches(const DisplayEntry& e, const TslUpdate& u) {
    if (e.version != u.version)
        return false;
    if (u.version == TslVersion::V31)
        return e.index == u.index;
    return (u.screen == kTslEvery || u.screen == e.screen) &&
           (u.index == kTslEvery || u.index == e.index);
}

} // namespace

std::vector<const DisplayEntry*> DisplayMap::Match(const TslUpdate& update) const {
    std::vector<const DisplayEntry*> hits;
    for (const auto& e : entries)
        if (Matches(e, update))
            hits.push_back(&e);
    return hits;
}

std::optional<DisplayMap> ParseDisplayMap(std::string_view json_text, std::string& error) {
    const json doc = json::parse(json_text, nullptr, false);
    if (doc.is_discarded()) {
        error = "not valid JSON";
        return std::nullopt;
    }
    try {
        OnlyKeys(doc, {"displays"}, "the mapping");
        const auto displays = doc.find("displays");
        if (displays == doc.end() || !displays->is_array())
            throw Error{"\"displays\" must be a list of displays"};
        DisplayMap map;
        for (std::size_t i = 0; i < displays->size(); ++i)
            map.entries.push_back(ReadEntry((*displays)[i], "displays[" + std::to_string(i) + "]"));
        CheckTargetsUnique(map.entries);
        return map;
    } catch (const Error& e) {
        error = e.message;
        return std::nullopt;
    }
}

std::optional<DisplayMap> LoadDisplayMap(const std::filesystem::path& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    if (!in || !(text << in.rdbuf())) {
        error = path.string() + ": cannot be read";
        return std::nullopt;
    }
    auto map = ParseDisplayMap(text.str(), error);
    if (!map)
        error = path.string() + ": " + error;
    return map;
}

} // namespace kx::service
