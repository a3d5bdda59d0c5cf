// kx7214ctl on several simulated multiviewers at once: each device gets its own requests, the
// outcome lines and the exit status of mixed fleets, --all, --to, --wait, finding a device by
// asking its address, and backup then restore.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "link/config_layout.h"
#include "platform/clock.h"
#include "sim/multiviewer.h"
#include "tests/core/cli_runner.h"
#include "tests/core/hand_device.h"
#include "tests/core/temp_dir.h"
#include "tests/support/private_network.h"
#include "tests/support/sample_device.h"
#include "tests/support/test_segment.h"

namespace kx {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Json = nlohmann::json;
using test::CliResult;
using test::RunCli;
namespace fs = std::filesystem;

constexpr int kDevices = 4;

std::string Ip(int i) {
    return "127.0.0." + std::to_string(2 + i);
}

// The JSON objects of a --json run, one a line.
std::vector<Json> JsonLines(const std::string& out) {
    std::vector<Json> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        lines.push_back(Json::parse(line));
    return lines;
}

std::vector<std::string> Lines(const std::string& out) {
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class FleetCli : public ::testing::Test {
protected:
    void SetUp() override {
        KX_REQUIRE_PRIVATE_NETWORK();
        for (int i = 0; i < kDevices; ++i) {
            devices.push_back(&host.AddDevice(test::SampleDevice(
                0x7F000002u + static_cast<std::uint32_t>(i), "Cam" + std::to_string(i + 1),
                static_cast<std::uint8_t>(0x10 + i))));
        }
        ASSERT_TRUE(host.Start()) << host.Error();
        dir = m_temp.Path() / "fleet"; // made by the command under test
    }

    // --device and --dev-addr of the first n devices, then the command.
    static std::vector<std::string> At(int n, std::vector<std::string> command) {
        std::vector<std::string> args;
        for (int i = 0; i < n; ++i)
            args.insert(args.end(), {"--device", Ip(i), "--dev-addr", std::to_string(0x10 + i)});
        args.insert(args.end(), command.begin(), command.end());
        return args;
    }

    std::vector<Bytes> Requests(int i) {
        return devices[static_cast<std::size_t>(i)]->ReceivedRequests();
    }
    void Clear() {
        for (auto* d : devices)
            d->ClearFrames();
    }

    sim::DeviceHost host;
    std::vector<sim::SimDevice*> devices;
    test::TempDir m_temp{"kx_fleet_cli"};
    fs::path dir;
};

TEST_F(FleetCli, EveryCommandReachesEachDeviceWithItsOwnAddressByte) {
    struct Case {
        std::vector<std::string> command;
        Bytes first_device_frame; // what 127.0.0.2 (address byte 0x10) must receive
    };
    const std::vector<Case> cases = {
        {{"set", "output_layout", "12"},
         {0xA5, 0x6C, 0x15, 0x00, 0xA3, 0x10, 0x01, 0,    0,    0,   0,
          0,    0,    0,    0,    0,    0x94, 0x0C, 0x7A, 0x02, 0xAE}},
        {{"set", "audio_postion", "right", "--line", "3"},
         {0xA5, 0x6C, 0x16, 0x00, 0xA3, 0x10, 0x01, 0,    0,    0,    0,
          0,    0,    0,    0,    0,    0x9B, 0x03, 0x02, 0x7B, 0x02, 0xAE}},
        {{"umd-text", "1", "Cam"},
         {0xA5, 0x6C, 0x1B, 0x00, 0xA3, 0x10, 0x01, 0,    0,    0,    0,    0,    0,   0,
          0,    0,    0x99, 0x01, 0x43, 0x00, 0x61, 0x00, 0x6D, 0x00, 0x8B, 0x03, 0xAE}},
        {{"custom", "2"}, {0xA5, 0x6C, 0x15, 0x00, 0xA3, 0x10, 0x01, 0,    0,    0,   0,
                           0,    0,    0,    0,    0,    0xA3, 0x02, 0x7F, 0x02, 0xAE}},
        // Value 0: its acknowledgement is byte for byte this request, and still an answer.
        {{"send-value", "0x92", "0"}, {0xA5, 0x6C, 0x15, 0x00, 0xA3, 0x10, 0x01, 0,    0,    0,   0,
                                       0,    0,    0,    0,    0,    0x92, 0x00, 0x6C, 0x02, 0xAE}},
        {{"send-line-value", "0x9C", "0", "1"},
         {0xA5, 0x6C, 0x16, 0x00, 0xA3, 0x10, 0x01, 0,    0,    0,    0,
          0,    0,    0,    0,    0,    0x9C, 0x00, 0x01, 0x78, 0x02, 0xAE}},
        {{"read"}, {0xA5, 0x6C, 0x14, 0x00, 0xA3, 0x10, 0x01, 0,    0,    0,
                    0,    0,    0,    0,    0,    0,    0x90, 0x69, 0x02, 0xAE}},
    };
    for (const Case& c : cases) {
        Clear();
        const CliResult r = RunCli(At(3, c.command));
        EXPECT_EQ(r.status, 0) << c.command[0] << ": " << r.err;
        for (int i = 0; i < 3; ++i) {
            const auto rq = Requests(i);
            ASSERT_EQ(rq.size(), 1u) << c.command[0] << " to " << Ip(i);
            Bytes expected = c.first_device_frame;
            // Another address byte moves the checksum's low byte by as much.
            expected[5] = static_cast<std::uint8_t>(0x10 + i);
            expected[expected.size() - 3] =
                static_cast<std::uint8_t>(expected[expected.size() - 3] + i);
            EXPECT_EQ(rq[0], expected) << c.command[0] << " to " << Ip(i);
        }
        EXPECT_TRUE(Requests(3).empty()) << "only the named devices";
    }

    // apply: each device is read, then gets the set-all block with its own name in it.
    Clear();
    const CliResult r = RunCli(At(3, {"apply", "--defaults"}));
    ASSERT_EQ(r.status, 0) << r.err;
    for (int i = 0; i < 3; ++i) {
        const auto rq = Requests(i);
        ASSERT_EQ(rq.size(), 2u);
        EXPECT_EQ(rq[0][16], 0x90);
        ASSERT_EQ(rq[1].size(), 255u);
        EXPECT_EQ(rq[1][5], 0x10 + i);
        EXPECT_EQ(rq[1][16], 0xA5);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&rq[1][27])),
                  "Cam" + std::to_string(i + 1));
    }
}

TEST_F(FleetCli, OneLinePerDeviceInTheOrderGivenThenTheSummary) {
    const CliResult r = RunCli(At(3, {"set", "border_color", "0"}));
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 4u) << r.out;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(lines[static_cast<std::size_t>(i)].rfind(
                      Ip(i) + "\t-\tset border_color 0\taccepted\tstatus 0\t", 0),
                  0u)
            << lines[static_cast<std::size_t>(i)];
    EXPECT_EQ(lines[3], "3 devices: 3 accepted, 0 refused, 0 no answer");

    const CliResult j = RunCli(At(2, {"--json", "custom", "1"}));
    const auto objects = JsonLines(j.out);
    ASSERT_EQ(objects.size(), 3u) << j.out;
    EXPECT_EQ(objects[0]["command"], "custom");
    EXPECT_EQ(objects[0]["device"], "127.0.0.2");
    EXPECT_TRUE(objects[0]["list_text"].is_null());
    EXPECT_EQ(objects[0]["sent"], "custom 1");
    EXPECT_EQ(objects[0]["outcome"], "accepted");
    EXPECT_EQ(objects[0]["status"], 0);
    EXPECT_TRUE(objects[0]["ms"].is_number());
    EXPECT_EQ(objects[1]["device"], "127.0.0.3");
    EXPECT_EQ(objects[2], Json::parse(R"({"summary": {"devices": 2, "accepted": 2, "refused": 0,
                                          "no_answer": 0, "not_sent": 0, "exit_status": 0}})"));
}

TEST_F(FleetCli, MixedFleetsExitWithTheWorstOutcome) {
    devices[1]->status = 5;
    devices[2]->silent = true;
    const auto set = [&](int n) {
        return RunCli(At(n, {"--json", "set", "umd_enable", "0", "--line", "0"}));
    };
    EXPECT_EQ(set(1).status, 0);
    CliResult r = set(2);
    EXPECT_EQ(r.status, 1) << "a refusal";
    EXPECT_EQ(JsonLines(r.out).at(1)["status"], 5);
    r = set(3);
    EXPECT_EQ(r.status, 2) << "a device that did not answer outweighs a refusal";
    const auto objects = JsonLines(r.out);
    EXPECT_EQ(objects.at(1)["outcome"], "refused");
    EXPECT_EQ(objects.at(2)["outcome"], "no answer");
    EXPECT_TRUE(objects.at(2)["status"].is_null());
    EXPECT_GE(objects.at(2)["ms"].get<int>(), 500);
    EXPECT_EQ(objects.at(3)["summary"]["refused"], 1);
    EXPECT_EQ(objects.at(3)["summary"]["no_answer"], 1);
    EXPECT_EQ(objects.at(3)["summary"]["exit_status"], 2);
    // The others were not held up by the silent one: every device got its request.
    EXPECT_EQ(Requests(0).size(), 3u);
}

TEST_F(FleetCli, CommandsForOneDeviceRefuseSeveralBeforeSendingAnything) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             At(2, {"name", "X"}),
             At(2, {"network", "10.0.0.2", "255.0.0.0", "10.0.0.1"}),
             At(2, {"save-settings", "--file", (dir / "x.ini").string()}),
             {"--all", "name", "X"},
             {"--all", "--device", "127.0.0.2", "read"},
             {"--device", "127.0.0.2", "--device", "127.0.0.2", "read"},
             {"--device", "127.0.0.2", "--device", "127.0.0.3", "--device", "127.0.0.4",
              "--dev-addr", "1", "--dev-addr", "2", "read"},
             {"--all", "--dev-addr", "1", "read"},
             {"--all", "--wait", "60001", "read"},
             {"--all", "--to", "127.1", "read"},
             {"scan", "--wait", "x"},
             {"--device", "127.0.0.2", "--dev-addr", "256", "backup", dir.string()},
         }) {
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.status, 64) << args.back() << ": " << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
    for (int i = 0; i < kDevices; ++i)
        EXPECT_TRUE(devices[static_cast<std::size_t>(i)]->Frames().empty());
    EXPECT_FALSE(fs::exists(dir));
}

TEST_F(FleetCli, AllListsEachDeviceOnceEvenWhenItAnswersTwice) {
    // The search also goes to 127.0.0.2 directly, so that device answers twice.
    const CliResult r = RunCli({"--all", "--to", "127.0.0.2", "--wait", "300", "--json", "read"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto objects = JsonLines(r.out);
    ASSERT_EQ(objects.size(), kDevices + 1u) << r.out;
    std::vector<std::string> seen;
    for (int i = 0; i < kDevices; ++i) {
        const Json& o = objects[static_cast<std::size_t>(i)];
        seen.push_back(o["device"]);
        EXPECT_EQ(o["list_text"], "Cam" + o["config"]["device_name"].get<std::string>().substr(3) +
                                      "_" + o["device"].get<std::string>());
        EXPECT_EQ(o["config"]["output_layout"], 0);
    }
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::string>{Ip(0), Ip(1), Ip(2), Ip(3)}));
    int searches = 0;
    for (const auto& f : devices[0]->Frames())
        searches += !f.sent && f.bytes.size() > 16 && f.bytes[16] == 0xFF;
    EXPECT_EQ(searches, 2);
    EXPECT_EQ(Requests(0).size(), 1u) << "read once";
}

TEST_F(FleetCli, WaitShortensTheSearchAndToAsksAddressesDirectly) {
    const std::uint32_t t0 = platform::TickCount();
    CliResult r = RunCli({"scan", "--wait", "250", "--to", "127.0.0.9"});
    EXPECT_LT(platform::ElapsedSince(t0), 1500u);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Lines(r.out).back(), "Connected - 4 ");
    r = RunCli({"scan", "--json", "--wait", "0x80"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Json::parse(r.out).size(), 4u);
}

TEST_F(FleetCli, DeviceWithoutAddressByteIsAskedDirectlyNotByBroadcast) {
    const CliResult r = RunCli({"--device", "127.0.0.4", "--json", "set", "output_format", "3"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto objects = JsonLines(r.out);
    EXPECT_EQ(objects.at(0)["list_text"], "Cam3_127.0.0.4");
    // The search reached that device alone, on its own address.
    for (int i : {0, 1, 3})
        EXPECT_TRUE(devices[static_cast<std::size_t>(i)]->Frames().empty()) << Ip(i);
    const auto rq = Requests(2);
    ASSERT_EQ(rq.size(), 1u);
    EXPECT_EQ(rq[0][5], 0x12);
}

// A device that answers the broadcast search only: asked directly it stays silent, so the
// tool falls back to the search.
TEST(FleetCliFallback, DeviceThatOnlyHearsTheBroadcastIsFoundBySearch) {
    KX_REQUIRE_PRIVATE_NETWORK();
    test::HandDevice own(0x7F000005), broadcast(0xFFFFFFFF);
    ASSERT_TRUE(own.Bound() && broadcast.Bound());
    std::thread device([&] {
        for (int handled = 0; handled < 3;) {
            if (auto rq = broadcast.Receive(100)) {
                own.SendTo({0xA5, 0x6C, 0x1F, 0x00, 0xA3, 0x21, 0x01, 0,    0,    0,
                            0,    0,    0,    0,    0,    0,    0xFF, 0x00, 'S',  'o',
                            'l',  'o',  '-',  'A',  '-',  '0',  '1',  0x00, 0x00, 0xAE},
                           {0x7F000001, 7000});
                ++handled;
            } else if (auto direct = own.Receive(100)) {
                if (direct->at(16) == 0x94) { // the set command: acknowledge
                    own.Send({0xA5, 0x6C, 0x15, 0x00, 0xA3, 0x21, 0x01, 0,    0,    0,   0,
                              0,    0,    0,    0,    0,    0x94, 0x00, 0x00, 0x00, 0xAE});
                    handled = 3;
                }
            }
        }
    });
    const CliResult r =
        RunCli({"--device", "127.0.0.5", "--wait", "300", "set", "output_layout", "1"});
    device.join();
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("127.0.0.5\tSolo_127.0.0.5\tset output_layout 1\taccepted", 0), 0u)
        << r.out;
}

TEST_F(FleetCli, ReadOfSeveralPrintsEachConfigurationWithItsDevice) {
    // Later devices answer sooner: replies come back in the reverse order.
    for (int i = 0; i < 3; ++i) {
        auto& d = *devices[static_cast<std::size_t>(i)];
        d.reply_delay_ms = static_cast<std::uint32_t>(200 - 80 * i);
        auto c = d.Config();
        c.At(block::kOutputLayout) = static_cast<std::uint8_t>(13 + i);
        d.SetConfig(c);
    }
    const CliResult r = RunCli(At(3, {"read"}));
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream in(r.out);
    for (int i = 0; i < 3; ++i) {
        Json j;
        in >> j;
        EXPECT_EQ(j["device"], Ip(i));
        EXPECT_TRUE(j["list_text"].is_null());
        EXPECT_EQ(j["config"]["output_layout"], 13 + i);
        EXPECT_EQ(j["config"]["device_name"], "Cam" + std::to_string(i + 1));
    }
    // The outcome lines and the summary go to standard error, beside the JSON.
    EXPECT_NE(r.err.find("3 devices: 3 accepted"), std::string::npos) << r.err;
}

// Devices no broadcast reaches: one on another subnet (asked by address only), one behind a
// second network card (the test's own segment, reached by that segment's broadcast).
class FarDevicesCli : public ::testing::Test {
protected:
    void SetUp() override { KX_REQUIRE_PRIVATE_NETWORK(); }

    sim::SimDevice& Add(std::uint32_t ip, const std::string& name, std::uint8_t addr,
                        std::optional<bool> hears_limited_broadcast = std::nullopt) {
        sim::DeviceOptions o = test::SampleDevice(ip, name, addr);
        o.hears_limited_broadcast = hears_limited_broadcast;
        return host.AddDevice(o);
    }

    sim::DeviceHost host;
};

TEST_F(FarDevicesCli, ADeviceOnAnotherSubnetIsReachedByItsAddress) {
    Add(0x7F000002, "Near", 0x01);
    auto& remote = Add(0x7F000004, "Far", 0x33, false);
    ASSERT_TRUE(host.Start()) << host.Error();

    EXPECT_EQ(RunCli({"scan", "--wait", "300"}).out, "Near_127.0.0.2\nConnected - 1 \n");
    EXPECT_EQ(RunCli({"scan", "--wait", "300", "--to", "127.0.0.4"}).status, 0);
    const CliResult found = RunCli({"--all", "--wait", "300", "--to", "127.0.0.4", "custom", "1"});
    EXPECT_EQ(found.status, 0) << found.err;
    EXPECT_NE(found.out.find("127.0.0.4\tFar_127.0.0.4\tcustom 1\taccepted"), std::string::npos)
        << found.out;

    // Named by address alone: asked directly, no broadcast needed.
    remote.ClearFrames();
    const CliResult r =
        RunCli({"--device", "127.0.0.4", "--wait", "300", "set", "output_layout", "3"});
    EXPECT_EQ(r.status, 0) << r.err;
    const auto rq = remote.ReceivedRequests();
    ASSERT_EQ(rq.size(), 1u);
    EXPECT_EQ(rq[0], (Bytes{0xA5, 0x6C, 0x15, 0x00, 0xA3, 0x33, 0x01, 0,    0,    0,   0,
                            0,    0,    0,    0,    0,    0x94, 0x03, 0x94, 0x02, 0xAE}));
}

TEST_F(FarDevicesCli, ADeviceBehindASecondNetworkCardIsFoundAndDriven) {
    test::TestSegment segment({test::SegmentIp(2)});
    KX_REQUIRE_TEST_SEGMENT(segment);
    auto& gallery = Add(test::SegmentIp(2), "Gallery", 0x05);
    Add(0x7F000002, "Studio", 0x01);
    ASSERT_TRUE(host.Start()) << host.Error();

    CliResult r = RunCli({"--all", "--wait", "500", "--json", "read"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto objects = JsonLines(r.out);
    ASSERT_EQ(objects.size(), 3u) << r.out;
    std::vector<std::string> texts = {objects[0]["list_text"], objects[1]["list_text"]};
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(texts, (std::vector<std::string>{"Gallery_192.0.2.2", "Studio_127.0.0.2"}));

    r = RunCli({"--device", "192.0.2.2", "--wait", "500", "umd-text", "0", "Wall"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(gallery.Config().UmdText(0), u"Wall");
}

TEST(FleetCliPort, PortHeldByAnotherProgramIsNeitherAnAnswerNorSilence) {
    KX_REQUIRE_PRIVATE_NETWORK();
    test::Port7000Holder holder;
    ASSERT_TRUE(holder.Held());
    const CliResult r = RunCli({"--device", "127.0.0.2", "--dev-addr", "1", "custom", "1"});
    EXPECT_EQ(r.status, 69);
    EXPECT_NE(r.out.find("not sent: port 7000 is in use by another program"), std::string::npos)
        << r.out;
}

// ---- backup and restore ----

sim::DeviceConfig Distinct(const sim::DeviceConfig& base, int i) {
    sim::DeviceConfig c = base;
    c.At(block::kOutputFormat) = static_cast<std::uint8_t>(i);
    c.At(block::kOutputLayout) = static_cast<std::uint8_t>(15 - i);
    c.At(block::kBorderEnable) = 1;
    c.At(block::UmdAt(i) + block::kUmdBackColor) = 15;
    c.At(block::AudioAt(3 - i) + block::kAudioPosition) = 2;
    c.At(block::AudioAt(i) + block::kAudioChannel) = 7;
    c.At(block::InputAt(i) + block::kInputTextColor) = static_cast<std::uint8_t>(3 + i);
    c.SetUmdText(i, u"Kamera " + std::u16string(1, static_cast<char16_t>(u'A' + i)));
    return c;
}

TEST_F(FleetCli, BackupThenChangesThenRestoreGivesBackEveryDevicesConfiguration) {
    std::vector<sim::DeviceConfig> before;
    for (int i = 0; i < kDevices; ++i) {
        auto& d = *devices[static_cast<std::size_t>(i)];
        d.SetConfig(Distinct(d.Config(), i));
        before.push_back(d.Config());
    }
    CliResult r = RunCli({"--all", "--wait", "300", "--json", "backup", dir.string()});
    ASSERT_EQ(r.status, 0) << r.err;

    std::ifstream index_file(dir / "fleet.json");
    const Json index = Json::parse(index_file);
    ASSERT_EQ(index["devices"].size(), 4u);
    for (const Json& e : index["devices"]) {
        const int i = std::stoi(e["address"].get<std::string>().substr(8)) - 2;
        EXPECT_EQ(e["name"], "Cam" + std::to_string(i + 1));
        EXPECT_EQ(e["firmware"], "Ver 1.6.2.3");
        EXPECT_EQ(e["address_byte"], 0x10 + i);
        EXPECT_EQ(e["file"], "Cam" + std::to_string(i + 1) + "_" + Ip(i) + ".ini");
        EXPECT_TRUE(fs::exists(dir / e["file"].get<std::string>()));
    }
    EXPECT_FALSE(fs::exists(dir / "fleet.json.tmp")) << "nothing left half-written";

    // Change what the files carry, on every device.
    ASSERT_EQ(RunCli(At(4, {"set", "output_layout", "0"})).status, 0);
    ASSERT_EQ(RunCli(At(4, {"set", "audio_in_ch", "1", "--line", "0"})).status, 0);
    ASSERT_EQ(RunCli(At(4, {"umd-text", "2", "changed"})).status, 0);
    ASSERT_EQ(RunCli(At(4, {"apply", "--defaults"})).status, 0);
    for (int i = 0; i < kDevices; ++i)
        ASSERT_NE(devices[static_cast<std::size_t>(i)]->Config().block,
                  before[static_cast<std::size_t>(i)].block);

    r = RunCli({"restore", dir.string()});
    ASSERT_EQ(r.status, 0) << r.err << r.out;
    EXPECT_EQ(Lines(r.out).size(), 5u);
    for (int i = 0; i < kDevices; ++i) {
        const auto& d = *devices[static_cast<std::size_t>(i)];
        EXPECT_EQ(d.Config().block, before[static_cast<std::size_t>(i)].block) << Ip(i);
        // Read first, then one set-all with the device's own address byte.
        const auto rq = Requests(i);
        ASSERT_GE(rq.size(), 2u);
        EXPECT_EQ(rq[rq.size() - 2][16], 0x90);
        EXPECT_EQ(rq.back()[16], 0xA5);
        EXPECT_EQ(rq.back()[5], 0x10 + i);
    }
}

TEST_F(FleetCli, RestoreToADeviceThatIsGoneAndByName) {
    ASSERT_EQ(RunCli(At(3, {"backup", dir.string()})).status, 0);
    auto cfg = devices[1]->Config();
    const auto saved = cfg;
    cfg.At(block::kBorderColor) = 3;
    devices[1]->SetConfig(cfg);
    devices[2]->silent = true;

    CliResult r = RunCli({"restore", dir.string()});
    EXPECT_EQ(r.status, 2) << r.out;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_NE(lines[2].find("\tread-all\tno answer\t"), std::string::npos) << lines[2];
    EXPECT_EQ(devices[1]->Config().block, saved.block) << "the others are restored";

    // By name: a device whose name the backup does not hold is left alone.
    devices[2]->silent = false;
    auto other = devices[3]->Config();
    r = RunCli({"--device", Ip(1), "--device", Ip(3), "--dev-addr", "0x11", "--dev-addr", "0x13",
                "--json", "restore", dir.string(), "--by-name"});
    EXPECT_EQ(r.status, 66) << r.out;
    const auto objects = JsonLines(r.out);
    EXPECT_EQ(objects.at(0)["outcome"], "accepted");
    EXPECT_EQ(objects.at(0)["sent"], "set-all of Cam2_127.0.0.3.ini");
    EXPECT_EQ(objects.at(1)["outcome"], "not sent");
    EXPECT_EQ(objects.at(1)["problem"], "not in the backup");
    EXPECT_EQ(devices[3]->Config().block, other.block);
}

TEST_F(FleetCli, NamesThatNoFileNameCanHoldStillGiveFilesInTheFolder) {
    const std::vector<std::string> names = {"../up", "R\xE9gie", "a:b*c", ".hidden"};
    for (int i = 0; i < kDevices; ++i) {
        auto c = devices[static_cast<std::size_t>(i)]->Config();
        c.SetName(names[static_cast<std::size_t>(i)]);
        devices[static_cast<std::size_t>(i)]->SetConfig(c);
    }
    ASSERT_EQ(RunCli(At(4, {"backup", dir.string()})).status, 0);
    std::vector<std::string> files;
    for (const auto& e : fs::directory_iterator(dir))
        files.push_back(e.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"R\xC3\xA9gie_127.0.0.3.ini", "_.._up_127.0.0.2.ini",
                                               "_.hidden_127.0.0.5.ini", "a_b_c_127.0.0.4.ini",
                                               "fleet.json"}));
    EXPECT_EQ(RunCli({"restore", dir.string()}).status, 0);
}

TEST_F(FleetCli, ByNameNeverGuessesBetweenDevicesOfTheSameName) {
    for (int i : {0, 1}) {
        auto c = devices[static_cast<std::size_t>(i)]->Config();
        c.SetName("Twin");
        devices[static_cast<std::size_t>(i)]->SetConfig(c);
    }
    ASSERT_EQ(RunCli(At(2, {"backup", dir.string()})).status, 0);
    Clear();
    const CliResult r = RunCli(At(2, {"--json", "restore", dir.string(), "--by-name"}));
    EXPECT_EQ(r.status, 66);
    const auto objects = JsonLines(r.out);
    for (int i : {0, 1})
        EXPECT_EQ(objects.at(static_cast<std::size_t>(i))["problem"],
                  "the backup holds 2 files for it");
    for (int i : {0, 1})
        for (const auto& rq : Requests(i))
            EXPECT_EQ(rq[16], 0x90) << "read, never written";
}

TEST_F(FleetCli, ABackupThatIsDamagedStopsRestoreBeforeAnythingIsSent) {
    ASSERT_EQ(RunCli(At(2, {"backup", dir.string()})).status, 0);
    const auto write_index = [&](const std::string& text) {
        std::ofstream(dir / "fleet.json", std::ios::trunc) << text;
    };
    // Read and closed again: Windows keeps an open file from being removed.
    const Json good = Json::parse(std::ifstream(dir / "fleet.json"));
    Clear();

    Json outside = good;
    outside["devices"][0]["file"] = "../escape.ini";
    Json missing = good;
    missing["devices"][1]["file"] = "gone.ini";
    Json bad_byte = good;
    bad_byte["devices"][0]["address_byte"] = 256;
    for (const std::string& text : {outside.dump(), missing.dump(), bad_byte.dump(),
                                    std::string("{\"devices\": 3"), std::string("")}) {
        write_index(text);
        const CliResult r = RunCli({"restore", dir.string()});
        EXPECT_EQ(r.status, 66) << text << ": " << r.err;
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find("kx7214ctl: "), std::string::npos);
    }
    fs::remove(dir / "fleet.json");
    EXPECT_EQ(RunCli({"restore", dir.string()}).status, 66);
    // A backup into a folder whose index cannot be kept writes nothing over it.
    write_index("not json");
    EXPECT_EQ(RunCli(At(1, {"backup", dir.string()})).status, 66);
    for (auto* d : devices)
        EXPECT_TRUE(d->Frames().empty());
}

TEST_F(FleetCli, ALaterBackupKeepsTheDevicesItDidNotReach) {
    ASSERT_EQ(RunCli(At(3, {"backup", dir.string()})).status, 0);
    devices[2]->silent = true;
    auto cfg = devices[0]->Config();
    cfg.At(block::kOutputLayout) = 4;
    devices[0]->SetConfig(cfg);
    EXPECT_EQ(RunCli(At(3, {"backup", dir.string()})).status, 2);
    std::ifstream in(dir / "fleet.json");
    const Json index = Json::parse(in);
    ASSERT_EQ(index["devices"].size(), 3u) << "the silent device keeps its earlier file";
    devices[2]->silent = false;
    EXPECT_EQ(RunCli({"restore", dir.string()}).status, 0);
    EXPECT_EQ(devices[0]->Config().At(block::kOutputLayout), 4) << "the newer file counts";

    // A folder that cannot be made.
    std::ofstream(dir / "plain-file") << "x";
    const CliResult r = RunCli(At(1, {"backup", (dir / "plain-file" / "sub").string()}));
    EXPECT_EQ(r.status, 73) << r.err;
}

} // namespace
} // namespace kx
