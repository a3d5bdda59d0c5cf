// The mapping file is checked whole at start; a mistake names the entry it is in.
#include <gtest/gtest.h>

#include "service/display_map.h"

namespace kx::service {
namespace {

std::string ErrorOf(const std::string& json) {
    std::string error;
    EXPECT_FALSE(ParseDisplayMap(json, error).has_value()) << json;
    return error;
}

TEST(DisplayMap, ReadsBothKindsOfDisplay) {
    std::string error;
    const auto map = ParseDisplayMap(
        R"({"displays": [{"tsl": {"screen": 0, "index": 1}, "device": "127.0.0.2", "line": 0},
                         {"tsl": {"address": 3}, "device": "127.0.0.2", "line": 1,
                          "tally": {"idle": 1, "amber": 6}},
                         {"tsl": {"index": 0}, "device": "127.0.0.3", "line": 3,
                          "tally": {"idle": 0}}]})",
        error);
    ASSERT_TRUE(map) << error;
    ASSERT_EQ(map->entries.size(), 3u);
    const DisplayEntry& v50 = map->entries[0];
    EXPECT_EQ(v50.version, TslVersion::V50);
    EXPECT_EQ(v50.index, 1);
    EXPECT_EQ(v50.device_ip, 0x7F000002u);
    EXPECT_FALSE(v50.tally);
    const DisplayEntry& v31 = map->entries[1];
    EXPECT_EQ(v31.version, TslVersion::V31);
    EXPECT_EQ(v31.index, 3);
    EXPECT_EQ(v31.line, 1);
    ASSERT_TRUE(v31.tally);
    EXPECT_EQ(v31.tally->idle, 1);
    EXPECT_EQ(v31.tally->amber, 6);
    // Screen 0 when left out; amber Yellow (6) when left out.
    EXPECT_EQ(map->entries[2].screen, 0);
    EXPECT_EQ(map->entries[2].tally->amber, 6);
    // An empty list is a valid (if idle) mapping.
    EXPECT_TRUE(ParseDisplayMap(R"({"displays": []})", error));
}

TEST(DisplayMap, ErrorsNameTheEntryAndTheKey) {
    EXPECT_EQ(ErrorOf("{"), "not valid JSON");
    EXPECT_EQ(ErrorOf("[]"), "the mapping must be an object");
    EXPECT_EQ(ErrorOf(R"({"display": []})"), "the mapping: unknown key \"display\"");
    EXPECT_EQ(ErrorOf(R"({"displays": {}})"), "\"displays\" must be a list of displays");
    const std::string ok = R"({"tsl": {"index": 1}, "device": "127.0.0.2", "line": 0})";
    EXPECT_EQ(ErrorOf(R"({"displays": [)" + ok + R"(, {"tsl": {"index": 2}, "device": "127.0.0.2",
                          "line": 4}]})"),
              "displays[1]: \"line\" must be an integer 0 to 3");
    EXPECT_EQ(
        ErrorOf(R"({"displays": [{"tsl": {"index": 1}, "device": "127.0.0.256", "line": 0}]})"),
        "displays[0]: \"device\" \"127.0.0.256\" is not a device address (a dotted quad "
        "such as 192.168.1.20)");
    EXPECT_EQ(
        ErrorOf(R"({"displays": [{"tsl": {"address": 127}, "device": "127.0.0.2", "line": 0}]})"),
        "displays[0].tsl: \"address\" must be an integer 0 to 126");
    EXPECT_EQ(ErrorOf(R"({"displays": [{"tsl": {"address": 1, "index": 2}, "device": "127.0.0.2",
                          "line": 0}]})"),
              "displays[0].tsl: unknown key \"index\"");
    EXPECT_EQ(
        ErrorOf(R"({"displays": [{"tsl": {"index": 65535}, "device": "127.0.0.2", "line": 0}]})"),
        "displays[0].tsl: \"index\" must be an integer 0 to 65534");
    EXPECT_EQ(ErrorOf(R"({"displays": [{"tsl": {"index": 1}, "device": "127.0.0.2", "line": 0,
                          "tally": {"amber": 6}}]})"),
              "displays[0].tally: \"idle\" is missing");
    EXPECT_EQ(ErrorOf(R"({"displays": [{"tsl": {"index": 1}, "device": "127.0.0.2", "line": 0,
                          "tally": {"idle": 16}}]})"),
              "displays[0].tally: \"idle\" must be an integer 0 to 15");
    EXPECT_EQ(ErrorOf(R"({"displays": [{"device": "127.0.0.2", "line": 0}]})"),
              "displays[0]: \"tsl\" is missing");
    EXPECT_EQ(
        ErrorOf(R"({"displays": [{"tsl": {"index": "1"}, "device": "127.0.0.2", "line": 0}]})"),
        "displays[0].tsl: \"index\" must be an integer 0 to 65534");
    EXPECT_EQ(
        ErrorOf(R"({"displays": [{"tsl": {"index": 1}, "device": "127.0.0.2", "line": 0.5}]})"),
        "displays[0]: \"line\" must be an integer 0 to 3");
    EXPECT_EQ(ErrorOf(R"({"displays": [{"tsl": {"index": 1}, "device": 2130706434, "line": 0}]})"),
              "displays[0]: \"device\" must be text");
}

TEST(DisplayMap, TwoDisplaysMayNotWriteOneLabel) {
    EXPECT_EQ(ErrorOf(R"({"displays": [
                {"tsl": {"index": 1}, "device": "127.0.0.2", "line": 2},
                {"tsl": {"index": 2}, "device": "127.0.0.3", "line": 2},
                {"tsl": {"address": 9}, "device": "127.0.0.2", "line": 2}]})"),
              "displays[2]: device 127.0.0.2 line 2 is already driven by displays[0]");
}

TEST(DisplayMap, BroadcastIndexesMatchEveryDisplayOfTheirVersion) {
    std::string error;
    const auto map = ParseDisplayMap(
        R"({"displays": [{"tsl": {"screen": 0, "index": 0}, "device": "127.0.0.2", "line": 0},
                         {"tsl": {"screen": 1, "index": 0}, "device": "127.0.0.2", "line": 1},
                         {"tsl": {"address": 0}, "device": "127.0.0.2", "line": 2}]})",
        error);
    ASSERT_TRUE(map) << error;
    auto hits = [&](TslVersion v, std::uint16_t screen, std::uint16_t index) {
        TslUpdate u;
        u.version = v;
        u.screen = screen;
        u.index = index;
        std::vector<int> lines;
        for (const DisplayEntry* e : map->Match(u))
            lines.push_back(e->line);
        return lines;
    };
    EXPECT_EQ(hits(TslVersion::V50, 0, 0), (std::vector<int>{0}));
    EXPECT_EQ(hits(TslVersion::V50, 1, 0), (std::vector<int>{1}));
    EXPECT_EQ(hits(TslVersion::V50, 0xFFFF, 0), (std::vector<int>{0, 1}));
    EXPECT_EQ(hits(TslVersion::V50, 0, 0xFFFF), (std::vector<int>{0}));
    EXPECT_EQ(hits(TslVersion::V50, 2, 0), (std::vector<int>{}));
    // A v3.1 address and a v5.0 index with the same number are different displays.
    EXPECT_EQ(hits(TslVersion::V31, 0, 0), (std::vector<int>{2}));
}

} // namespace
} // namespace kx::service
