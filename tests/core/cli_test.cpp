// kx7214ctl run in-process against simulated multiviewers: what it prints, its exit status
// and the frames the devices received.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/numbers.h"
#include "link/commands.h"
#include "link/config_layout.h"
#include "link/frame.h"
#include "sim/multiviewer.h"
#include "tests/core/cli_runner.h"
#include "tests/core/temp_dir.h"
#include "tests/support/private_network.h"

namespace kx {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::CliResult;
using test::RunCli;

// The same command aimed at a device by address byte, with no search.
CliResult RunAt(const std::string& ip, std::vector<std::string> args) {
    args.insert(args.begin(), {"--device", ip, "--dev-addr", "1"});
    return RunCli(std::move(args));
}

Bytes Frame(std::uint8_t dev_addr, std::uint8_t command, const Bytes& payload) {
    Bytes out(frame::TotalLength(payload.size()));
    frame::BuildFrame(frame::kSelectableDevType, dev_addr, command, payload.data(), payload.size(),
                      out.data());
    return out;
}

Bytes Payload(const Bytes& request) {
    return Bytes(request.begin() + frame::kOffPayload, request.end() - 3);
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        KX_REQUIRE_PRIVATE_NETWORK();
        sim::DeviceOptions first;
        first.ip = 0x7F000002; // 127.0.0.2
        first.dev_addr = 0x01;
        first.config.SetName("StudioA");
        sim::DeviceOptions second;
        second.ip = 0x7F000003; // 127.0.0.3
        second.dev_addr = 0x07;
        second.config.SetName("KX7214_NO.1");
        m_a = &m_host.AddDevice(first);
        m_b = &m_host.AddDevice(second);
        ASSERT_TRUE(m_host.Start()) << m_host.Error();
    }

    sim::DeviceHost m_host;
    sim::SimDevice* m_a = nullptr;
    sim::SimDevice* m_b = nullptr;
};

// ---- numbers and addresses (no network) ----

TEST(CliNumbers, DecimalAndHexBytesWithinTheirRange) {
    std::string error;
    EXPECT_EQ(cli::ParseNumber("0", 0, 255, "V", error), 0);
    EXPECT_EQ(cli::ParseNumber("255", 0, 255, "V", error), 255);
    EXPECT_EQ(cli::ParseNumber("0x94", 0, 255, "V", error), 0x94);
    EXPECT_EQ(cli::ParseNumber("0XfF", 0, 255, "V", error), 0xFF);
    EXPECT_EQ(cli::ParseNumber("007", 0, 255, "V", error), 7);
    for (const char* bad : {"", "256", "0x100", "99999999999999999999", "-1", "+1", "1.5", "0x",
                            "12abc", " 1", "x1"}) {
        error.clear();
        EXPECT_FALSE(cli::ParseNumber(bad, 0, 255, "VALUE", error)) << bad;
        EXPECT_EQ(error.rfind("VALUE", 0), 0u) << bad << ": " << error;
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
    EXPECT_FALSE(cli::ParseNumber("0", 1, 2, "slot", error));
    EXPECT_NE(error.find("1..2"), std::string::npos) << error;
}

TEST(CliNumbers, OnlyPlainDottedQuads) {
    std::string error;
    EXPECT_EQ(cli::ParseDottedQuad("192.168.1.10", "IP", error), (cli::Quad{192, 168, 1, 10}));
    EXPECT_EQ(cli::ParseDottedQuad("0.0.0.0", "IP", error), (cli::Quad{0, 0, 0, 0}));
    EXPECT_EQ(cli::ParseDottedQuad("255.255.255.255", "IP", error),
              (cli::Quad{255, 255, 255, 255}));
    for (const char* bad :
         {"", "1.2.3", "1.2.3.4.5", "1.2.3.4.", ".1.2.3", "1..2.3", "256.1.1.1", "1.2.3.1000",
          "010.0.0.1", "1.2.3.-4", " 1.2.3.4", "1.2.3.4 ", "0x7f.0.0.1", "localhost", "127.1"})
        EXPECT_FALSE(cli::ParseDottedQuad(bad, "IP", error)) << bad;
}

// ---- usage errors ----

TEST_F(CliTest, UsageErrorsExit64WithOneLineAndSendNothing) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate"},
        {"--device", "127.0.0.2", "--dev-addr", "1", "--bogus", "read"},
        {"--device", "127.0.0.2", "--dev-addr", "1", "send-value", "0x94"},
        {"--device", "127.0.0.2", "--dev-addr", "1", "send-value", "0x94", "256"},
        {"--device", "127.0.0.2", "--dev-addr", "1", "send-value", "zz", "1"},
        {"--device", "127.0.0.2", "--dev-addr", "1", "send-line-value", "0x95", "1", "0x100"},
        {"--device", "127.0.0.2", "--dev-addr", "300", "send-value", "0x94", "1"},
        {"--device", "127.0.2", "--dev-addr", "1", "send-value", "0x94", "1"},
        {"send-value", "0x94", "1"}, // no --device
        {"--device", "127.0.0.2", "--dev-addr", "1", "set", "output_layout", "16"},
        {"--device", "127.0.0.2", "--dev-addr", "1", "set", "border_color", "4"},
        {"--device", "127.0.0.2", "--dev-addr", "1", "set", "audio_in_ch", "8", "--line", "0"},
        {"--device", "127.0.0.2", "--dev-addr", "1", "set", "umd_enable", "1"},
        {"--device", "127.0.0.2", "--dev-addr", "1", "set", "umd_enable", "1", "--line", "4"},
        {"--device", "127.0.0.2", "--dev-addr", "1", "set", "output_layout", "1", "--line", "0"},
        {"--device", "127.0.0.2", "--dev-addr", "1", "set", "audio_postion", "1", "--line", "0"},
        {"--device", "127.0.0.2", "--dev-addr", "1", "set", "no_such_field", "1"},
        {"--device", "127.0.0.2", "--dev-addr", "1", "set", "kx7214_output_layout", "1"},
        {"--device", "127.0.0.2", "--dev-addr", "1", "umd-text", "4", "x"},
        {"--device", "127.0.0.2", "--dev-addr", "1", "umd-text", "0", "seventeen chars!!"},
        {"--device", "127.0.0.2", "--dev-addr", "1", "name", "seventeen bytes!!"},
        {"--device", "127.0.0.2", "--dev-addr", "1", "custom", "0"},
        {"--device", "127.0.0.2", "--dev-addr", "1", "custom", "3"},
        {"--device", "127.0.0.2", "--dev-addr", "1", "network", "0.0.0.0", "255.0.0.0", "10.0.0.1"},
        {"--device", "127.0.0.2", "--dev-addr", "1", "network", "10.0.0.2", "0.0.0.0", "10.0.0.1"},
        {"--device", "127.0.0.2", "--dev-addr", "1", "network", "10.0.0.2", "255.0.0.0", "0.0.0.0"},
        {"--device", "127.0.0.2", "--dev-addr", "1", "network", "10.0.0.2", "255.0.0", "10.0.0.1"},
        {"--device", "127.0.0.2", "--dev-addr", "1", "apply"},
        {"--device", "127.0.0.2", "--dev-addr", "1", "apply", "--defaults", "--file", "x.ini"},
    };
    for (const auto& args : cases) {
        std::string line;
        for (const auto& a : args)
            line += a + " ";
        CliResult r = RunCli(args);
        EXPECT_EQ(r.status, 64) << line << "-> " << r.err;
        EXPECT_TRUE(r.out.empty()) << line;
        ASSERT_FALSE(r.err.empty()) << line;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << line << "-> " << r.err;
    }
    EXPECT_TRUE(m_a->ReceivedRequests().empty());
    EXPECT_TRUE(m_b->ReceivedRequests().empty());
}

TEST_F(CliTest, UsageMessagesNameWhatWasWrong) {
    CliResult r = RunAt("127.0.0.2", {"set", "output_layout", "16"});
    EXPECT_NE(r.err.find("output_layout"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("0..15"), std::string::npos) << r.err;
    r = RunAt("127.0.0.2", {"set", "audio_in_ch", "9", "--line", "2"});
    EXPECT_NE(r.err.find("0..7"), std::string::npos) << r.err;
    r = RunAt("127.0.0.2", {"network", "10.0.0.2", "255.0.0.0", "0.0.0.0"});
    EXPECT_NE(r.err.find("0.0.0.0"), std::string::npos) << r.err;
}

// ---- the raw exchanges and their exit statuses ----

TEST_F(CliTest, SendValueExitStatusFollowsTheAcknowledgement) {
    CliResult r = RunAt("127.0.0.2", {"send-value", "0x94", "5"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("127.0.0.2\t-\tsend-value 0x94 5\taccepted\tstatus 0\t", 0), 0u) << r.out;
    EXPECT_TRUE(r.err.empty()) << "log lines are shown only with --verbose: " << r.err;
    // The frame of layout 5 for a device of type 0xA3, address 0x01.
    const Bytes layout5 = {0xA5, 0x6C, 0x15, 0x00, 0xA3, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00,
                           0x00, 0x00, 0x00, 0x00, 0x00, 0x94, 0x05, 0x64, 0x02, 0xAE};
    ASSERT_EQ(m_a->ReceivedRequests().size(), 1u);
    EXPECT_EQ(m_a->ReceivedRequests()[0], layout5);

    m_a->status = 1;
    r = RunAt("127.0.0.2", {"send-value", "0x94", "5"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("\trefused\tstatus 1\t"), std::string::npos) << r.out;
    m_a->status = 0;
    m_a->silent = true;
    r = RunAt("127.0.0.2", {"send-line-value", "0x95", "2", "1"});
    EXPECT_EQ(r.status, 2);
    // The line waited out its 500 ms deadline.
    EXPECT_EQ(r.out.rfind("127.0.0.2\t-\tsend-line-value 0x95 2 1\tno answer\t-\t5", 0), 0u)
        << r.out;
    EXPECT_NE(r.out.find(" ms\n1 device: 0 accepted, 0 refused, 1 no answer\n"), std::string::npos)
        << r.out;
    EXPECT_EQ(m_a->ReceivedRequests().back(), Frame(0x01, 0x95, {2, 1}));
    EXPECT_TRUE(m_b->ReceivedRequests().empty());
}

TEST_F(CliTest, VerboseSendsTheLogLinesToStandardError) {
    CliResult r = RunAt("127.0.0.2", {"--verbose", "send-line-value", "0x9E", "0", "0x02"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "127.0.0.2 send ok \n");
    EXPECT_EQ(Payload(m_a->ReceivedRequests().at(0)), (Bytes{0x00, 0x02}));
}

TEST_F(CliTest, WithoutAddressByteTheSearchFindsTheDevice) {
    // The second device answers with address byte 0x07, which its requests must carry.
    CliResult r = RunCli({"--device", "127.0.0.3", "send-value", "0xA4", "1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("127.0.0.3\tTRQ-9_127.0.0.3\tsend-value 0xA4 1\taccepted", 0), 0u)
        << r.out;
    ASSERT_EQ(m_b->ReceivedRequests().size(), 1u);
    EXPECT_EQ(m_b->ReceivedRequests()[0], Frame(0x07, CMD_SET_BORDER_ENABLE, {1}));
    EXPECT_TRUE(m_a->ReceivedRequests().empty());

    r = RunCli({"--device", "127.0.0.9", "--wait", "300", "send-value", "0xA4", "1"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("127.0.0.9"), std::string::npos) << r.err;
    EXPECT_EQ(m_b->ReceivedRequests().size(), 1u);
    EXPECT_TRUE(m_a->ReceivedRequests().empty());
}

// ---- scan ----

TEST_F(CliTest, ScanListsEveryDeviceThenTheStatus) {
    CliResult r = RunCli({"scan"});
    EXPECT_EQ(r.status, 0) << r.err;
    // Replies arrive in either order; the status line comes last with its trailing blank.
    const std::string a = "StudioA_127.0.0.2\n", b = "TRQ-9_127.0.0.3\n";
    EXPECT_TRUE(r.out == a + b + "Connected - 2 \n" || r.out == b + a + "Connected - 2 \n")
        << r.out;
}

TEST_F(CliTest, ScanJsonGivesOneObjectPerDevice) {
    CliResult r = RunCli({"scan", "--json"});
    EXPECT_EQ(r.status, 0) << r.err;
    const auto list = nlohmann::json::parse(r.out);
    ASSERT_TRUE(list.is_array());
    ASSERT_EQ(list.size(), 2u);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const auto& d = list[i];
        EXPECT_EQ(d["index"], i);
        EXPECT_EQ(d["dev_type"], 0xA3);
        if (d["ip"] == "127.0.0.3") {
            EXPECT_EQ(d["text"], "TRQ-9_127.0.0.3");
            EXPECT_EQ(d["dev_addr"], 7);
        } else {
            EXPECT_EQ(d["ip"], "127.0.0.2");
            EXPECT_EQ(d["text"], "StudioA_127.0.0.2");
            EXPECT_EQ(d["dev_addr"], 1);
        }
    }
}

// ---- read ----

TEST_F(CliTest, ReadPrintsTheDecodedConfiguration) {
    sim::DeviceConfig cfg = m_a->Config();
    cfg.SetName("KX7214-Demo");
    cfg.firmware = {12, 34};
    cfg.At(block::kOutputLayout) = 5;
    cfg.At(block::kOutputFormat) = 10;
    cfg.At(block::AudioAt(3) + block::kAudioPosition) = 2;
    cfg.At(block::AudioAt(1) + block::kAudioTransparency) = 1;
    cfg.At(block::InputAt(2) + block::kInputBackColor) = 15;
    cfg.SetUmdText(0, u"Caf\u00e9 \u2713");
    m_a->SetConfig(cfg);

    CliResult r = RunAt("127.0.0.2", {"read"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["device_name"], "KX7214-Demo");
    EXPECT_EQ(j["firmware_version"], "Ver 1.2.3.4");
    EXPECT_EQ(j["output_layout"], 5);
    EXPECT_EQ(j["output_format"], 10);
    EXPECT_EQ(j["output_status"], "720P25");
    EXPECT_EQ(j["audio_postion"], nlohmann::json({0, 0, 0, 2}));
    EXPECT_EQ(j["audio_transparency"], nlohmann::json({0, 1, 0, 0}));
    EXPECT_EQ(j["input_back_color"], nlohmann::json({0, 0, 15, 0}));
    EXPECT_EQ(j["umd_text"][0], "Caf\u00e9 \u2713");
    EXPECT_EQ(j["control_mode"], 0);
    EXPECT_EQ(j["auto_or_manual_status"], 0);
    for (const char* f :
         {"umd_enable", "umd_postion", "umd_text_color", "umd_back_color", "audio_enable",
          "audio_combination", "audio_in_ch", "input_enable", "input_postion", "input_text_color"})
        EXPECT_EQ(j[f].size(), 4u) << f;
    EXPECT_EQ(j.size(), 23u);

    cfg.At(block::kOutputFormat) = 11;
    m_a->SetConfig(cfg);
    EXPECT_EQ(nlohmann::json::parse(RunAt("127.0.0.2", {"read"}).out)["output_status"], "NoSingal");
}

TEST_F(CliTest, ReadWithoutReplyExits2AndPrintsNothing) {
    m_a->silent = true;
    CliResult r = RunAt("127.0.0.2", {"read"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_FALSE(r.err.empty());
}

// ---- single settings ----

TEST_F(CliTest, SetSendsTheFieldsCommandAndTheDeviceKeepsIt) {
    EXPECT_EQ(RunAt("127.0.0.2", {"set", "output_layout", "12"}).status, 0);
    EXPECT_EQ(RunAt("127.0.0.2", {"set", "audio_postion", "right", "--line", "3"}).status, 0);
    EXPECT_EQ(RunAt("127.0.0.2", {"set", "audio_postion", "left", "--line", "0"}).status, 0);
    EXPECT_EQ(RunAt("127.0.0.2", {"set", "umd_back_color", "0x0F", "--line", "2"}).status, 0);
    const auto rq = m_a->ReceivedRequests();
    ASSERT_EQ(rq.size(), 4u);
    EXPECT_EQ(rq[0], Frame(0x01, CMD_SET_OUTPUT_LAYOUT, {12}));
    EXPECT_EQ(rq[1], Frame(0x01, CMD_SET_AUDIO_POSITION, {3, 2}));
    EXPECT_EQ(rq[2], Frame(0x01, CMD_SET_AUDIO_POSITION, {0, 0}));
    EXPECT_EQ(rq[3], Frame(0x01, CMD_SET_UMD_BACK_COLOR, {2, 15}));

    const auto j = nlohmann::json::parse(RunAt("127.0.0.2", {"read"}).out);
    EXPECT_EQ(j["output_layout"], 12);
    EXPECT_EQ(j["audio_postion"][3], 2);
    EXPECT_EQ(j["umd_back_color"][2], 15);
}

TEST_F(CliTest, TextsTravelInTheDevicesEncodings) {
    EXPECT_EQ(RunAt("127.0.0.2", {"umd-text", "1", "Caf\u00e9 \u2713"}).status, 0);
    EXPECT_EQ(RunAt("127.0.0.2", {"name", "Regie-\u00e9"}).status, 0);
    const auto rq = m_a->ReceivedRequests();
    ASSERT_EQ(rq.size(), 2u);
    EXPECT_EQ(Payload(rq[0]), (Bytes{1, 'C', 0, 'a', 0, 'f', 0, 0xE9, 0, ' ', 0, 0x13, 0x27}));
    EXPECT_EQ(Payload(rq[1]), (Bytes{'R', 'e', 'g', 'i', 'e', '-', 0xE9, 0}));
    // Sixteen characters are the most the device keeps, and they are accepted whole.
    EXPECT_EQ(RunAt("127.0.0.2", {"umd-text", "3", "0123456789abcdef"}).status, 0);
    EXPECT_EQ(m_a->Config().UmdText(3), u"0123456789abcdef");
}

TEST_F(CliTest, CustomSlotAndNetworkPayloads) {
    EXPECT_EQ(RunAt("127.0.0.2", {"custom", "2"}).status, 0);
    EXPECT_EQ(
        RunAt("127.0.0.2", {"network", "192.168.1.10", "255.255.255.0", "192.168.1.1"}).status, 0);
    const auto rq = m_a->ReceivedRequests();
    ASSERT_EQ(rq.size(), 2u);
    EXPECT_EQ(rq[0], Frame(0x01, CMD_SAVE_CUSTOM, {2}));
    EXPECT_EQ(rq[1],
              Frame(0x01, CMD_SET_NETWORK, {192, 168, 1, 10, 255, 255, 255, 0, 192, 168, 1, 1}));
}

// ---- settings file ----

class CliFileTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        m_dir = m_temp.Path();
    }

    test::TempDir m_temp{"kx_cli_test"};
    std::filesystem::path m_dir;
};

Bytes SetAllBlock(const Bytes& request) {
    EXPECT_EQ(request.at(frame::kOffCommand), CMD_SET_ALL);
    return Bytes(request.begin() + frame::kOffPayload,
                 request.begin() + frame::kOffPayload + block::kSize);
}

TEST_F(CliFileTest, SavedFromOneDeviceAndAppliedToAnother) {
    sim::DeviceConfig cfg = m_a->Config();
    cfg.At(block::kOutputLayout) = 9;
    cfg.At(block::kBorderColor) = 3;
    cfg.At(block::UmdAt(2) + block::kUmdTextColor) = 14;
    cfg.At(block::AudioAt(1) + block::kAudioPosition) = 2;
    cfg.At(block::InputAt(3) + block::kInputEnable) = 1;
    cfg.SetUmdText(2, u"Kamera é");
    m_a->SetConfig(cfg);
    const std::string file = (m_dir / "settings.ini").string();

    CliResult r = RunAt("127.0.0.2", {"save-settings", "--file", file});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\tread-all into " + file + "\taccepted\t"), std::string::npos) << r.out;
    ASSERT_TRUE(std::filesystem::exists(file));

    r = RunCli({"--device", "127.0.0.3", "--dev-addr", "7", "apply", "--file", file});
    ASSERT_EQ(r.status, 0) << r.err;
    auto a = nlohmann::json::parse(RunAt("127.0.0.2", {"read"}).out);
    auto b =
        nlohmann::json::parse(RunCli({"--device", "127.0.0.3", "--dev-addr", "7", "read"}).out);
    // The name is the device's own, not part of the file; the rest of the layout is copied.
    EXPECT_EQ(b["device_name"], "KX7214_NO.1");
    for (const char* unsaved : {"device_name", "firmware_version", "control_mode"}) {
        a.erase(unsaved);
        b.erase(unsaved);
    }
    EXPECT_EQ(a, b);
}

TEST_F(CliFileTest, ApplyOfAMissingFileSendsNothingAndExits66) {
    const std::string file = (m_dir / "absent.ini").string();
    CliResult r = RunAt("127.0.0.2", {"apply", "--file", file});
    EXPECT_EQ(r.status, 66);
    EXPECT_NE(r.err.find(file), std::string::npos) << r.err;
    EXPECT_TRUE(m_a->ReceivedRequests().empty());
    r = RunAt("127.0.0.2", {"apply", "--file", m_dir.string()}); // a directory
    EXPECT_EQ(r.status, 66);
    EXPECT_TRUE(m_a->ReceivedRequests().empty());
}

TEST_F(CliFileTest, SaveThatCannotWriteExits73WithTheReason) {
    const std::string file = (m_dir / "no" / "such" / "dir.ini").string();
    CliResult r = RunAt("127.0.0.2", {"save-settings", "--file", file});
    EXPECT_EQ(r.status, 73);
    EXPECT_NE(r.err.find(file), std::string::npos) << r.err;
    EXPECT_GT(r.err.size(), file.size() + 20) << "the reason follows the name: " << r.err;
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(CliFileTest, SaveWithoutReplyWritesNoFile) {
    m_a->silent = true;
    const auto file = m_dir / "settings.ini";
    EXPECT_EQ(RunAt("127.0.0.2", {"save-settings", "--file", file.string()}).status, 2);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(CliFileTest, DefaultsKeepTheDevicesNameAndLeaveNoTransparencyInTheBlock) {
    sim::DeviceConfig cfg = m_a->Config();
    cfg.At(block::kOutputLayout) = 7;
    cfg.At(block::AudioAt(0) + block::kAudioTransparency) = 2;
    m_a->SetConfig(cfg);
    CliResult r = RunAt("127.0.0.2", {"apply", "--defaults"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto rq = m_a->ReceivedRequests();
    ASSERT_EQ(rq.size(), 2u);
    EXPECT_EQ(rq[0].at(frame::kOffCommand), CMD_READ_ALL);
    const Bytes blk = SetAllBlock(rq[1]);
    EXPECT_EQ(blk[block::kOutputLayout], 0);
    EXPECT_EQ(blk[block::UmdAt(0) + block::kUmdBackColor], 15);
    EXPECT_EQ(blk[block::AudioAt(0) + block::kAudioTransparency], 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&blk[block::kDeviceName])), "StudioA");
    EXPECT_EQ(m_a->Config().At(block::AudioAt(0) + block::kAudioTransparency), 2);
}

} // namespace
} // namespace kx
