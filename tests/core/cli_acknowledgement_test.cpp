// kx7214ctl's exit status when the device's answer is byte for byte the request it sent, and
// when the request itself comes back because nothing listens where it went. Driven only through
// kx::cli::Run and its exit status (0 acknowledged, 1 refused, 2 no reply).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/multiviewer.h"
#include "tests/core/cli_runner.h"
#include "tests/core/hex.h"
#include "tests/support/private_network.h"

namespace kx {
namespace {

int RunTool(std::vector<std::string> args) {
    return test::RunCli(std::move(args)).status;
}

class ToolAcknowledgement : public ::testing::Test {
protected:
    void SetUp() override {
        KX_REQUIRE_PRIVATE_NETWORK();
        sim::DeviceOptions o;
        o.ip = 0x7F000002; // 127.0.0.2
        o.dev_addr = 0x07;
        m_device = &m_host.AddDevice(o);
        ASSERT_TRUE(m_host.Start()) << m_host.Error();
    }

    // The one request the device received and the one frame it sent back.
    std::vector<std::string> Exchanged() const {
        std::vector<std::string> out;
        for (const sim::FrameRecord& f : m_device->Frames())
            out.push_back(test::ToHex(f.bytes));
        m_device->ClearFrames();
        return out;
    }

    sim::DeviceHost m_host;
    sim::SimDevice* m_device = nullptr;
};

TEST_F(ToolAcknowledgement, AnswerIdenticalToTheRequestGivesTheDevicesVerdict) {
    const std::string value0 = "A5 6C 15 00 A3 07 01 00 00 00 00 00 00 00 00 00 94 00 65 02 AE";
    EXPECT_EQ(RunTool({"--device", "127.0.0.2", "--dev-addr", "7", "send-value", "0x94", "0"}), 0);
    EXPECT_EQ(Exchanged(), (std::vector<std::string>{value0, value0}));

    m_device->status = 1;
    const std::string value1 = "A5 6C 15 00 A3 07 01 00 00 00 00 00 00 00 00 00 94 01 66 02 AE";
    EXPECT_EQ(RunTool({"--device", "127.0.0.2", "--dev-addr", "7", "send-value", "0x94", "1"}), 1);
    EXPECT_EQ(Exchanged(), (std::vector<std::string>{value1, value1}));

    m_device->status = 0;
    EXPECT_EQ(
        RunTool({"--device", "127.0.0.2", "--dev-addr", "7", "send-line-value", "0x95", "0", "0"}),
        0);
    EXPECT_EQ(Exchanged(), (std::vector<std::string>{
                               "A5 6C 16 00 A3 07 01 00 00 00 00 00 00 00 00 00 95 00 00 67 02 AE",
                               "A5 6C 15 00 A3 07 01 00 00 00 00 00 00 00 00 00 95 00 66 02 AE"}));

    m_device->status = 1;
    EXPECT_EQ(
        RunTool({"--device", "127.0.0.2", "--dev-addr", "7", "send-line-value", "0x95", "1", "1"}),
        1);
    EXPECT_EQ(Exchanged(), (std::vector<std::string>{
                               "A5 6C 16 00 A3 07 01 00 00 00 00 00 00 00 00 00 95 01 01 69 02 AE",
                               "A5 6C 15 00 A3 07 01 00 00 00 00 00 00 00 00 00 95 01 67 02 AE"}));
}

// Nothing listens on 127.0.0.5: the request comes back to the tool's own port 7000.
TEST_F(ToolAcknowledgement, OwnRequestComingBackIsNoReply) {
    EXPECT_EQ(RunTool({"--device", "127.0.0.5", "--dev-addr", "7", "send-value", "0x94", "0"}), 2);
    EXPECT_EQ(
        RunTool({"--device", "127.0.0.5", "--dev-addr", "7", "send-line-value", "0x95", "0", "0"}),
        2);
    EXPECT_TRUE(Exchanged().empty());
}

} // namespace
} // namespace kx
