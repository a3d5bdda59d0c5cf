#include <gtest/gtest.h>

#include <functional>

#include "link/config_layout.h"
#include "platform/clock.h"
#include "platform/socket.h"
#include "tests/core/hex.h"
#include "tests/core/log_capture.h"
#include "tests/core/sim_fixture.h"

namespace kx {
namespace {

using Bytes = std::vector<std::uint8_t>;

class Exchange : public test::SimSession {};

TEST_F(Exchange, OneValueIsSentOnceAndAcknowledged) {
    auto& dev = AddDevice(2, "Studio", 0x07);
    StartHost();
    Target("127.0.0.2", 0x07);
    test::LogCapture log;
    EXPECT_EQ(session.SendValue(CMD_SET_OUTPUT_LAYOUT, 12), Outcome::Accepted);
    EXPECT_EQ(log.lines,
              (std::vector<std::string>{"m_device_index = 0 \n", "send ok \n", "read over \n"}));
    auto got = dev.ReceivedRequests();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], (Bytes{0xA5, 0x6C, 0x15, 0x00, 0xA3, 0x07, 0x01, 0,    0,    0,   0,
                             0,    0,    0,    0,    0,    0x94, 0x0C, 0x71, 0x02, 0xAE}));
    EXPECT_EQ(session.m_udpSockfd, platform::kNoSocket);
    EXPECT_EQ(dev.Config().At(block::kOutputLayout), 12);
}

TEST_F(Exchange, ReplyAtSixHundredMsMeetsOnlyTheLongerDeadline) {
    auto& dev = AddDevice(2, "Studio");
    StartHost();
    Target("127.0.0.2");
    dev.reply_delay_ms = 600;
    {
        test::LogCapture log;
        EXPECT_EQ(session.SendValue(CMD_SET_BORDER_ENABLE, 1), Outcome::Accepted);
        EXPECT_TRUE(log.Has("send ok \n"));
    }
    {
        test::LogCapture log;
        std::uint32_t t0 = platform::TickCount();
        EXPECT_EQ(session.SendLineValue(CMD_SET_UMD_ENABLE, 2, 1), Outcome::TimedOut);
        EXPECT_GE(platform::ElapsedSince(t0), 500u);
        EXPECT_EQ(log.lines, (std::vector<std::string>{"m_device_index = 0 \n", "wait time over \n",
                                                       "read over \n"}));
    }
    EXPECT_EQ(session.m_udpSockfd, platform::kNoSocket);
}

TEST_F(Exchange, RefusalEndsAtOnceWithSendError) {
    auto& dev = AddDevice(2, "Studio");
    StartHost();
    Target("127.0.0.2");
    dev.status = 1;
    test::LogCapture log;
    std::uint32_t t0 = platform::TickCount();
    EXPECT_EQ(session.SendLineValue(CMD_SET_AUDIO_POSITION, 2, 2), Outcome::Refused);
    EXPECT_LT(platform::ElapsedSince(t0), 400u);
    EXPECT_EQ(log.lines,
              (std::vector<std::string>{"m_device_index = 0 \n", "send error \n", "read over \n"}));
    EXPECT_EQ(dev.ReceivedRequests().at(0)[17], 2);
    EXPECT_EQ(dev.ReceivedRequests().at(0)[18], 2);
}

TEST_F(Exchange, OtherCommandBytesAreSkippedUntilTheMatchingReply) {
    auto& dev = AddDevice(2, "Studio");
    StartHost();
    Target("127.0.0.2");
    dev.wrong_command_first = 2;
    test::LogCapture log;
    EXPECT_EQ(session.SendValue(CMD_SET_OUTPUT_FORMAT, 3), Outcome::Accepted);
    EXPECT_EQ(log.Count("the cmd is not right \n"), 2);
    EXPECT_LT(log.IndexOf("the cmd is not right \n"), log.IndexOf("send ok \n"));
}

TEST_F(Exchange, NetworkWriteLogsSuccessThenStatus) {
    auto& dev = AddDevice(2, "Studio");
    StartHost();
    Target("127.0.0.2");
    // A non-loopback address: the simulated device acknowledges but stays where it is.
    session.m_net_config = {0xC0, 0xA8, 0x01, 0x0A, 0xFF, 0xFF, 0xFF, 0x00, 0xC0, 0xA8, 0x01, 0x01};
    {
        test::LogCapture log;
        EXPECT_EQ(session.SendNetworkConfig(), Outcome::Accepted);
        EXPECT_EQ(log.lines, (std::vector<std::string>{"m_device_index = 0 \n", "set ip success \n",
                                                       "send ok \n", "read over \n"}));
    }
    EXPECT_EQ(dev.ReceivedRequests().at(0).size(), 32u);
    dev.status = 3;
    test::LogCapture log;
    EXPECT_EQ(session.SendNetworkConfig(), Outcome::Refused);
    EXPECT_LT(log.IndexOf("set ip success \n"), log.IndexOf("send error \n"));
}

TEST_F(Exchange, WithoutSelectedDeviceNothingIsSentAndTheDeadlineRunsOut) {
    auto& dev = AddDevice(2, "Studio");
    StartHost();
    test::LogCapture log;
    std::uint32_t t0 = platform::TickCount();
    EXPECT_EQ(session.SendLineValue(CMD_SET_UMD_ENABLE, 0, 1), Outcome::TimedOut);
    EXPECT_GE(platform::ElapsedSince(t0), 500u);
    ASSERT_EQ(view.alerts.size(), 1u);
    EXPECT_EQ(view.alerts[0],
              (platform::Alert{"Please choose a device", "Err", platform::AlertButtons::Ok}));
    EXPECT_EQ(log.lines, (std::vector<std::string>{"wait time over \n", "read over \n"}));
    EXPECT_TRUE(dev.ReceivedRequests().empty());
    EXPECT_EQ(session.m_udpSockfd, platform::kNoSocket);
}

TEST_F(Exchange, GuardLinesWhenNoMainWindowIsPublished) {
    m_p_glo_main_dlg = nullptr;
    test::LogCapture log;
    session.ReadAllConfig();
    session.SendNetworkConfig();
    session.SendValue(CMD_SAVE_CUSTOM, 1);
    session.SendLineValue(CMD_SET_UMD_ENABLE, 0, 1);
    session.SendUmdText(0);
    session.SendDeviceName();
    session.SendAllConfig();
    EXPECT_EQ(log.lines, (std::vector<std::string>{"ex0 why is null \n", "ex0 why is null \n",
                                                   "ex0 why is null \n", "ex1 why is null \n",
                                                   "ex2 why is null \n", "ex2 why is null \n",
                                                   "ex2 why is null \n"}));
}

TEST_F(Exchange, FailedSocketCallDoesNotDisableLaterExchanges) {
    auto& dev = AddDevice(2, "Studio");
    StartHost();
    Target("127.0.0.2");
    platform::FailNextSocketsForTesting(1);
    {
        test::LogCapture log;
        EXPECT_EQ(session.SendLineValue(CMD_SET_UMD_ENABLE, 0, 1), Outcome::TimedOut);
        EXPECT_EQ(log.lines, (std::vector<std::string>{"wait time over \n", "read over \n"}));
    }
    EXPECT_TRUE(dev.ReceivedRequests().empty());
    EXPECT_EQ(session.SendLineValue(CMD_SET_UMD_ENABLE, 0, 1), Outcome::Accepted);
}

// The acknowledgement of a one-value command with status 0 is byte for byte the request with
// value 0, and a refusal (status 1) of value 1 the request with value 1: the device's answer is
// told from our own request by its sender alone.
TEST_F(Exchange, AnswerIdenticalToTheRequestIsTheDevicesAnswer) {
    auto& dev = AddDevice(2, "Studio", 0x07);
    StartHost();
    Target("127.0.0.2", 0x07);
    struct Case {
        std::function<Outcome()> send;
        std::uint8_t status;
        Outcome outcome;
        const char* line;
        std::string request;
        std::string reply;
    };
    const std::string value0 = "A5 6C 15 00 A3 07 01 00 00 00 00 00 00 00 00 00 94 00 65 02 AE";
    const std::string value1 = "A5 6C 15 00 A3 07 01 00 00 00 00 00 00 00 00 00 94 01 66 02 AE";
    const Case cases[] = {
        {[&] { return session.SendValue(0x94, 0); }, 0, Outcome::Accepted, "send ok \n", value0,
         value0},
        {[&] { return session.SendValue(0x94, 1); }, 1, Outcome::Refused, "send error \n", value1,
         value1},
        {[&] { return session.SendLineValue(0x95, 0, 0); }, 0, Outcome::Accepted, "send ok \n",
         "A5 6C 16 00 A3 07 01 00 00 00 00 00 00 00 00 00 95 00 00 67 02 AE",
         "A5 6C 15 00 A3 07 01 00 00 00 00 00 00 00 00 00 95 00 66 02 AE"},
        {[&] { return session.SendLineValue(0x95, 1, 1); }, 1, Outcome::Refused, "send error \n",
         "A5 6C 16 00 A3 07 01 00 00 00 00 00 00 00 00 00 95 01 01 69 02 AE",
         "A5 6C 15 00 A3 07 01 00 00 00 00 00 00 00 00 00 95 01 67 02 AE"},
    };
    for (const Case& c : cases) {
        dev.ClearFrames();
        dev.status = c.status;
        test::LogCapture log;
        EXPECT_EQ(c.send(), c.outcome) << c.request;
        EXPECT_EQ(log.lines,
                  (std::vector<std::string>{"m_device_index = 0 \n", c.line, "read over \n"}));
        const auto frames = dev.Frames();
        ASSERT_EQ(frames.size(), 2u) << c.request;
        EXPECT_EQ(test::ToHex(frames[0].bytes), c.request);
        EXPECT_EQ(test::ToHex(frames[1].bytes), c.reply);
    }

    // The empty UMD text and the empty name are acknowledged with frames identical to them too.
    dev.status = 0;
    session.m_umd_text[0].clear();
    session.m_device_name.clear();
    EXPECT_EQ(session.SendUmdText(0), Outcome::Accepted);
    EXPECT_EQ(session.SendDeviceName(), Outcome::Accepted);
    EXPECT_EQ(dev.Config().UmdText(0), u"");
    EXPECT_EQ(dev.Config().Name(), "");
}

// Sent to an address of this machine where nothing listens, the request comes back to our own
// port 7000 from 127.0.0.1; its command byte matches, but it is no answer.
TEST_F(Exchange, OwnRequestComingBackIsNoAnswer) {
    Target("127.0.0.5", 0x07);
    session.m_device_name = u"kept";
    {
        test::LogCapture log;
        EXPECT_EQ(session.SendValue(0x94, 0), Outcome::TimedOut);
        EXPECT_EQ(log.lines, (std::vector<std::string>{"m_device_index = 0 \n", "wait time over \n",
                                                       "read over \n"}));
    }
    // Line 0 would read as status 0, line 1 as a refusal.
    EXPECT_EQ(session.SendLineValue(0x95, 0, 0), Outcome::TimedOut);
    EXPECT_EQ(session.SendLineValue(0x95, 1, 1), Outcome::TimedOut);
    // Taken for the device's configuration, it would zero the record.
    EXPECT_EQ(session.ReadAllConfig(), Outcome::TimedOut);
    EXPECT_EQ(session.m_device_name, u"kept");
}

TEST_F(Exchange, OversizedDatagramIsDiscardedNotReadCutShort) {
    auto& dev = AddDevice(2, "Studio");
    StartHost();
    Target("127.0.0.2");
    Bytes big(200, 0);
    big[16] = CMD_SET_OUTPUT_FORMAT; // would be accepted if read cut to 128 bytes
    dev.SetRawReply(big);
    test::LogCapture log;
    EXPECT_EQ(session.SendValue(CMD_SET_OUTPUT_FORMAT, 1), Outcome::TimedOut);
    EXPECT_TRUE(log.Has("wait time over \n"));
}

TEST_F(Exchange, TextPayloadsAreCutToWhatTheDeviceKeeps) {
    auto& dev = AddDevice(2, "Studio");
    StartHost();
    Target("127.0.0.2");
    session.m_umd_text[1] = u"0123456789abcde\U0001F600tail";
    session.m_device_name = u"A name far longer than sixteen";
    EXPECT_EQ(session.SendUmdText(1), Outcome::Accepted);
    test::LogCapture log;
    EXPECT_EQ(session.SendDeviceName(), Outcome::Accepted);
    auto got = dev.ReceivedRequests();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].size(), 21u + 30u) << "line byte and 15 units; the pair is not split";
    EXPECT_EQ(got[0][17], 1);
    EXPECT_EQ(got[1].size(), 21u + 16u);
    EXPECT_EQ(std::string(got[1].begin() + 17, got[1].begin() + 33), "A name far longe");
    EXPECT_EQ(got[1][33], 0);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"name dataLen = 17 \n", "m_device_index = 0 \n",
                                                   "send ok \n", "read over \n"}));
    EXPECT_EQ(session.m_device_name, u"A name far longer than sixteen");
    EXPECT_EQ(dev.Config().UmdText(1), u"0123456789abcde");

    // The empty UMD text travels as the line byte alone.
    session.m_umd_text[3] = u"";
    session.SendUmdText(3);
    EXPECT_EQ(dev.ReceivedRequests().back().size(), 21u);
}

TEST_F(Exchange, ReadAllDecodesTheDevicesConfiguration) {
    sim::DeviceOptions o;
    o.ip = test::Loopback(2);
    o.search_text = sim::NameText("Edit");
    o.config.control_mode = 0;
    o.config.firmware = {0x16, 0x05};
    o.config.SetName("Edit-Bay");
    o.config.SetUmdText(2, u"Camera 3");
    o.config.At(block::kOutputLayout) = 5;
    o.config.At(block::AudioAt(1) + block::kAudioTransparency) = 2;
    host.AddDevice(o);
    StartHost();
    Target("127.0.0.2");
    test::LogCapture log;
    EXPECT_EQ(session.ReadAllConfig(), Outcome::Accepted);
    EXPECT_EQ(session.m_device_name, u"Edit-Bay");
    EXPECT_EQ(session.m_umd_text[2], u"Camera 3");
    EXPECT_EQ(session.m_all_kx7214_page_data.kx7214_output_layout, 5);
    EXPECT_EQ(session.m_all_kx7214_page_data.kx7214_firmware_version[0], 0x16);
    EXPECT_EQ(session.m_all_kx7214_page_data.kx7214_audio_transparency[1], 2);
    EXPECT_EQ(log.lines[1], "recv len is 258 \n");
    EXPECT_EQ(log.lines[2], "recvBuf[recvBufIndex] = 0 \n");
    EXPECT_EQ(log.lines.back(), "read over \n");
    EXPECT_FALSE(log.Has("send ok \n"));
}

TEST_F(Exchange, ApplySendsTheWholeBlockAndTheDeviceKeepsItsTransparency) {
    sim::DeviceOptions o;
    o.ip = test::Loopback(2);
    o.search_text = sim::NameText("Edit");
    o.config.At(block::AudioAt(0) + block::kAudioTransparency) = 2;
    auto& dev = host.AddDevice(o);
    StartHost();
    Target("127.0.0.2");
    session.LoadDefaults();
    session.m_all_kx7214_page_data.kx7214_audio_postion[3] = 1;
    test::LogCapture log;
    EXPECT_EQ(session.ApplyAllSettings(), Outcome::Accepted);
    auto got = dev.ReceivedRequests();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].size(), 255u);
    EXPECT_EQ(got[0][17 + 206], 2);
    EXPECT_EQ(session.m_all_kx7214_page_data.kx7214_audio_postion[3], 2);
    EXPECT_EQ(dev.Config().At(block::AudioAt(0) + block::kAudioTransparency), 2);
    EXPECT_EQ(dev.Config().UmdText(0), u"SDI 1");
    EXPECT_EQ(view.preview_invalidations, 4);
}

} // namespace
} // namespace kx
