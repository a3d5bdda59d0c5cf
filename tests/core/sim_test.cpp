// The simulated multiviewer seen from the wire: a plain socket plays the panel, bound to port
// 7000 with broadcast on, and checks every reply byte and what each request does to the device.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "link/commands.h"
#include "link/frame.h"
#include "link/read_all.h"
#include "link/search_reply.h"
#include "platform/clock.h"
#include "platform/socket.h"
#include "sim/device_logic.h"
#include "sim/multiviewer.h"
#include "sim/test_segment.h"
#include "tests/support/private_network.h"
#include "tests/support/sample_device.h"
#include "tests/support/test_segment.h"

namespace kx {
namespace {

using Bytes = std::vector<std::uint8_t>;
using platform::Endpoint;
using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kDev1 = 0x7F000002; // 127.0.0.2
constexpr std::uint32_t kDev2 = 0x7F000003; // 127.0.0.3
constexpr std::uint32_t kWaitMs = 1000;     // a reply that is due arrives long before this
constexpr Endpoint kOwnAddress{0x7F000001, frame::kPort};

Bytes Request(std::uint8_t command, const Bytes& payload = {}, std::uint8_t addr = 1) {
    Bytes f(frame::TotalLength(payload.size()));
    frame::BuildFrame(frame::kSelectableDevType, addr, command, payload.data(), payload.size(),
                      f.data());
    return f;
}

Bytes SearchRequest() {
    Bytes f(frame::kOverhead);
    frame::BuildFrame(frame::kSearchDevType, frame::kSearchDevAddr, CMD_SEARCH, nullptr, 0,
                      f.data());
    return f;
}

struct Datagram {
    Bytes bytes;
    Endpoint from;
};

// The panel's side: one socket on 0.0.0.0:7000 that may broadcast.
class Panel {
public:
    Panel() {
        m_socket = platform::OpenUdpSocket(0);
        platform::EnableBroadcast(m_socket);
        m_bound = platform::Bind(m_socket, Endpoint{platform::kAnyIp, frame::kPort});
        platform::SetNonBlocking(m_socket);
    }
    ~Panel() { platform::CloseSocket(m_socket); }
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;

    bool Bound() const { return m_bound; }
    void Send(const Bytes& bytes, std::uint32_t ip) {
        platform::SendTo(m_socket, bytes.data(), bytes.size(), Endpoint{ip, frame::kPort});
    }
    // The next datagram that is not one of our own coming back (a broadcast, or a request to
    // an address where no device listens).
    std::optional<Datagram> Receive(std::uint32_t timeout_ms = kWaitMs) {
        const auto end = Clock::now() + std::chrono::milliseconds(timeout_ms);
        while (true) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
            if (left.count() < 0 || !platform::WaitReadable(m_socket, std::uint32_t(left.count())))
                return std::nullopt;
            Datagram d{Bytes(2048), {}};
            const int n = platform::RecvFrom(m_socket, d.bytes.data(), d.bytes.size(), &d.from);
            if (n < 0)
                continue;
            d.bytes.resize(std::size_t(n));
            if (d.from != kOwnAddress)
                return d;
        }
    }
    // Sends a request and returns the one reply to it.
    std::optional<Datagram> Exchange(const Bytes& request, std::uint32_t ip) {
        Send(request, ip);
        return Receive();
    }

private:
    platform::SocketHandle m_socket = platform::kNoSocket;
    bool m_bound = false;
};

class Sim : public ::testing::Test {
protected:
    void SetUp() override {
        KX_REQUIRE_PRIVATE_NETWORK();
        ASSERT_TRUE(panel.Bound());
    }

    sim::SimDevice& Add(std::uint32_t ip, const std::string& name, std::uint8_t addr = 1) {
        return host.AddDevice(test::SampleDevice(ip, name, addr));
    }
    void Start() { ASSERT_TRUE(host.Start()) << host.Error(); }

    // Sends a set command to the device at kDev1 and returns the acknowledgement's status.
    int Set(std::uint8_t command, const Bytes& payload) {
        auto reply = panel.Exchange(Request(command, payload), kDev1);
        if (!reply)
            return -1;
        EXPECT_EQ(reply->bytes.size(), 21u);
        EXPECT_EQ(reply->bytes[frame::kOffCommand], command);
        return reply->bytes[frame::kOffStatus];
    }

    Panel panel;
    sim::DeviceHost host;
};

std::uint16_t Sum(const Bytes& f, std::size_t end) {
    std::uint16_t s = 0;
    for (std::size_t i = 0; i < end; ++i)
        s = std::uint16_t(s + f[i]);
    return s;
}

// A reply is a whole frame: magic, length, the device's type and address, checksum, trailer.
void ExpectWholeFrame(const Bytes& f, std::uint8_t addr) {
    ASSERT_GE(f.size(), frame::kOverhead);
    EXPECT_EQ(f[0], frame::kMagic1);
    EXPECT_EQ(f[1], frame::kMagic2);
    EXPECT_EQ(f[2] | (f[3] << 8), int(f.size()));
    EXPECT_EQ(f[frame::kOffDevType], frame::kSelectableDevType);
    EXPECT_EQ(f[frame::kOffDevAddr], addr);
    EXPECT_EQ(f[f.size() - 3] | (f[f.size() - 2] << 8), Sum(f, f.size() - 3));
    EXPECT_EQ(f.back(), frame::kTrailer);
}

// ---- the search ----

TEST(SimSearchText, EveryNameGivesExactlyOneEntryAsThePanelReadsIt) {
    struct Case {
        std::string name, listed;
    };
    for (const Case& c : std::vector<Case>{{"Studio", "Studio"},
                                           {"TRQ-9", "TRQ_9"},
                                           {"A-B-C", "A_B_C"},
                                           {"Edit-Bay", "Edit-Bay"},
                                           {"x--", "x_-"},
                                           {"-", "-"},
                                           {"", ""},
                                           {"0123456789abcdef", "0123456789abcdef"}}) {
        const Bytes reply = sim::BuildSearchReply({0xA3, 9}, sim::NameText(c.name));
        const SearchReply r = ParseSearchReply(reply.data(), reply.size());
        ASSERT_EQ(r.verdict, SearchVerdict::Device) << c.name;
        ASSERT_EQ(r.name_lengths.size(), 1u) << c.name;
        EXPECT_EQ(std::string(reply.begin() + 18, reply.begin() + 18 + long(r.name_lengths[0])),
                  c.listed);
        EXPECT_EQ(r.dev_addr, 9);
    }
}

TEST_F(Sim, SearchGetsOneReplyPerDeviceFromItsOwnAddress) {
    Add(kDev1, "Studio", 0x01);
    Add(kDev2, "Edit-Bay", 0x07);
    Start();
    panel.Send(SearchRequest(), platform::kBroadcastIp);
    std::vector<Datagram> replies;
    while (auto d = panel.Receive(300))
        replies.push_back(*d);
    ASSERT_EQ(replies.size(), 2u);
    if (replies[0].from.ip != kDev1)
        std::swap(replies[0], replies[1]);
    EXPECT_EQ(replies[0].from, (Endpoint{kDev1, frame::kPort}));
    EXPECT_EQ(replies[1].from, (Endpoint{kDev2, frame::kPort}));
    ExpectWholeFrame(replies[0].bytes, 0x01);
    ExpectWholeFrame(replies[1].bytes, 0x07);
    const Bytes& b = replies[1].bytes;
    EXPECT_EQ(b[frame::kOffCommand], CMD_SEARCH);
    EXPECT_EQ(std::string(b.begin() + 18, b.end() - 3), "Edit-Bay-A-01");

    // Each device recorded the broadcast and its answer.
    const auto frames = host.Devices()[0]->Frames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_FALSE(frames[0].sent);
    EXPECT_EQ(frames[0].bytes, SearchRequest());
    EXPECT_TRUE(frames[1].sent);
    EXPECT_TRUE(host.Devices()[0]->ReceivedRequests().empty());
}

TEST_F(Sim, SearchTextFollowsARenameUnlessGivenExplicitly) {
    Add(kDev1, "Old");
    Start();
    ASSERT_EQ(Set(CMD_SET_DEVICE_NAME, {'N', 'e', 'w', 0}), 0);
    panel.Send(SearchRequest(), platform::kBroadcastIp);
    auto reply = panel.Receive();
    ASSERT_TRUE(reply);
    EXPECT_EQ(std::string(reply->bytes.begin() + 18, reply->bytes.end() - 3), "New-A-01");
}

// ---- read-all ----

TEST_F(Sim, ReadAllReplyCarriesTheWholeConfigurationAndDecodesBack) {
    sim::DeviceOptions o;
    o.ip = kDev1;
    o.dev_addr = 0x05;
    o.config.control_mode = 9;
    o.config.firmware = {16, 23};
    o.config.SetName("Edit-Bay");
    o.config.SetUmdText(3, u"Cam \u00e9");
    o.config.At(block::kOutputLayout) = 12;
    o.config.At(block::kBorderEnable) = 1;
    o.config.At(block::AudioAt(2) + block::kAudioTransparency) = 2;
    o.config.At(block::AudioAt(3) + block::kAudioCombination) = 1;
    o.config.At(block::InputAt(3) + block::kInputBackColor) = 15;
    host.AddDevice(o);
    Start();

    auto reply = panel.Exchange(Request(CMD_READ_ALL, {}, 0x05), kDev1);
    ASSERT_TRUE(reply);
    const Bytes& r = reply->bytes;
    ASSERT_EQ(r.size(), readall::kFrameSize);
    ExpectWholeFrame(r, 0x05);
    EXPECT_EQ(r[frame::kOffCommand], CMD_READ_ALL);
    EXPECT_EQ(Bytes(r.begin() + readall::kBlock, r.begin() + readall::kBlock + block::kSize),
              Bytes(o.config.block.begin(), o.config.block.end()));

    SessionState s;
    DecodeReadAll(r.data(), r.size(), s);
    EXPECT_EQ(s.m_control_mode, 9);
    EXPECT_EQ(s.m_all_kx7214_page_data.kx7214_firmware_version[0], 16);
    EXPECT_EQ(s.m_all_kx7214_page_data.kx7214_firmware_version[1], 23);
    EXPECT_EQ(s.m_device_name, u"Edit-Bay");
    EXPECT_EQ(s.m_umd_text[3], u"Cam \u00e9");
    EXPECT_EQ(s.m_all_kx7214_page_data.kx7214_output_layout, 12);
    EXPECT_EQ(s.m_all_kx7214_page_data.kx7214_border_enable, 1);
    EXPECT_EQ(s.m_all_kx7214_page_data.kx7214_audio_transparency[2], 2);
    EXPECT_EQ(s.m_all_kx7214_page_data.kx7214_audio_combination[3], 1);
    // The last field of the block is read where the panel reads it, not as checksum bytes.
    EXPECT_EQ(s.m_all_kx7214_page_data.kx7214_input_back_color[3], 15);
}

// ---- set commands ----

TEST_F(Sim, EverySingleSettingChangesItsOwnBlockByteOnEveryLine) {
    Add(kDev1, "Studio");
    Start();
    sim::SimDevice& dev = *host.Devices()[0];
    for (const CommandInfo& c : Commands()) {
        if (!c.IsSetting())
            continue;
        for (std::uint8_t line = 0; line < (c.PerLine() ? 4 : 1); ++line) {
            const auto before = dev.Config().block;
            const auto value = std::uint8_t(c.option_count - 1 - line % c.option_count);
            const std::size_t at = c.block_offset + c.block_stride * line;
            const auto target = std::uint8_t(before[at] == value ? value ^ 1 : value);
            const Bytes payload = c.PerLine() ? Bytes{line, target} : Bytes{target};
            ASSERT_EQ(Set(c.code, payload), 0) << c.name;
            auto expected = before;
            expected[at] = target;
            EXPECT_EQ(dev.Config().block, expected) << c.name << " line " << int(line);
        }
    }
}

TEST_F(Sim, RequestsForFieldsTheDeviceDoesNotHaveAreRefusedAndChangeNothing) {
    Add(kDev1, "Studio");
    Start();
    const sim::DeviceConfig before = host.Devices()[0]->Config();
    EXPECT_EQ(Set(CMD_SET_UMD_ENABLE, {4, 1}), sim::kStatusNoSuchField);
    EXPECT_EQ(Set(CMD_SET_INPUT_POSITION, {255, 1}), sim::kStatusNoSuchField);
    EXPECT_EQ(Set(CMD_SET_UMD_TEXT, {4, 'A', 0}), sim::kStatusNoSuchField);
    EXPECT_EQ(Set(CMD_SAVE_CUSTOM, {0}), sim::kStatusNoSuchField);
    EXPECT_EQ(Set(CMD_SAVE_CUSTOM, {3}), sim::kStatusNoSuchField);
    const sim::DeviceConfig after = host.Devices()[0]->Config();
    EXPECT_EQ(after.block, before.block);
    EXPECT_FALSE(after.custom[0] || after.custom[1]);
    // A code the device does not know is acknowledged and changes nothing.
    EXPECT_EQ(Set(0x42, {1, 2, 3}), 0);
    EXPECT_EQ(host.Devices()[0]->Config().block, before.block);
}

TEST_F(Sim, TextsFillTheirFieldsAndNeverSpillOver) {
    Add(kDev1, "Studio");
    Start();
    sim::SimDevice& dev = *host.Devices()[0];
    ASSERT_EQ(Set(CMD_SET_UMD_TEXT, {2, 'A', 0, 'B', 0}), 0);
    EXPECT_EQ(dev.Config().UmdText(2), u"AB");
    EXPECT_EQ(dev.Config().At(block::UmdAt(2) + block::kUmdTextLength), 4);
    EXPECT_EQ(dev.Config().At(block::UmdAt(2) + block::kUmdText + 4), 0) << "old text cleared";

    // Seventeen units: sixteen are kept, the length byte says 32, line 3 stays as it was.
    Bytes long_text{1};
    for (int i = 0; i < 17; ++i)
        long_text.insert(long_text.end(), {std::uint8_t('a' + i), 0});
    const auto line3 = dev.Config().UmdText(3);
    ASSERT_EQ(Set(CMD_SET_UMD_TEXT, long_text), 0);
    EXPECT_EQ(dev.Config().UmdText(1), u"abcdefghijklmnop");
    EXPECT_EQ(dev.Config().At(block::UmdAt(1) + block::kUmdTextLength), 32);
    EXPECT_EQ(dev.Config().UmdText(3), line3);

    // The empty text is the line byte alone.
    ASSERT_EQ(Set(CMD_SET_UMD_TEXT, {0}), 0);
    EXPECT_EQ(dev.Config().UmdText(0), u"");
    EXPECT_EQ(dev.Config().At(block::UmdAt(0) + block::kUmdTextLength), 0);

    const std::uint8_t umd0_enable = dev.Config().At(block::UmdAt(0));
    Bytes long_name(20, 'N');
    long_name.push_back(0);
    ASSERT_EQ(Set(CMD_SET_DEVICE_NAME, long_name), 0);
    EXPECT_EQ(dev.Config().Name(), std::string(16, 'N'));
    EXPECT_EQ(dev.Config().At(block::kDeviceName + 16), 0);
    EXPECT_EQ(dev.Config().At(block::UmdAt(0)), umd0_enable);
    ASSERT_EQ(Set(CMD_SET_DEVICE_NAME, {'A', 'B', 0}), 0);
    EXPECT_EQ(dev.Config().Name(), "AB");
    EXPECT_EQ(dev.Config().At(block::kDeviceName + 3), 0) << "the longer name is gone";
}

TEST_F(Sim, SetAllReplacesTheBlockButKeepsTransparencyAndCombination) {
    Add(kDev1, "Studio");
    Start();
    sim::SimDevice& dev = *host.Devices()[0];
    sim::DeviceConfig c = dev.Config();
    for (int line = 0; line < 4; ++line) {
        c.At(block::AudioAt(line) + block::kAudioTransparency) = std::uint8_t(line % 3);
        c.At(block::AudioAt(line) + block::kAudioCombination) = std::uint8_t(2 - line % 3);
    }
    dev.SetConfig(c);

    Bytes blk(block::kSize);
    for (std::size_t i = 0; i < blk.size(); ++i)
        blk[i] = std::uint8_t(i * 7 + 1);
    ASSERT_EQ(Set(CMD_SET_ALL, blk), 0);
    const sim::DeviceConfig after = dev.Config();
    for (std::size_t i = 0; i < blk.size(); ++i) {
        const std::size_t in_group = (i - block::kAudio) % block::kAudioStride;
        const bool kept =
            i >= block::kAudio && i < block::kInput &&
            (in_group == block::kAudioTransparency || in_group == block::kAudioCombination);
        EXPECT_EQ(after.block[i], kept ? c.block[i] : blk[i]) << "block byte " << i;
    }
}

TEST_F(Sim, CustomSlotsKeepTheBlockAsItWasWhenSaved) {
    Add(kDev1, "Studio");
    Start();
    sim::SimDevice& dev = *host.Devices()[0];
    ASSERT_EQ(Set(CMD_SET_OUTPUT_LAYOUT, {3}), 0);
    ASSERT_EQ(Set(CMD_SAVE_CUSTOM, {2}), 0);
    ASSERT_EQ(Set(CMD_SET_OUTPUT_LAYOUT, {9}), 0);
    ASSERT_EQ(Set(CMD_SAVE_CUSTOM, {1}), 0);
    const sim::DeviceConfig c = dev.Config();
    ASSERT_TRUE(c.custom[0] && c.custom[1]);
    EXPECT_EQ((*c.custom[0])[block::kOutputLayout], 9);
    EXPECT_EQ((*c.custom[1])[block::kOutputLayout], 3);
    EXPECT_EQ(c.At(block::kOutputLayout), 9);
}

// ---- network settings ----

TEST_F(Sim, NetworkWriteMovesTheDeviceOnlyToAFreeLoopbackAddress) {
    Add(kDev1, "Studio");
    Add(kDev2, "Other");
    Start();
    sim::SimDevice& dev = *host.Devices()[0];

    // Not loopback: acknowledged and stored, the device stays.
    ASSERT_EQ(Set(CMD_SET_NETWORK, {192, 168, 1, 10, 255, 255, 255, 0, 192, 168, 1, 1}), 0);
    EXPECT_EQ(dev.Ip(), kDev1);
    EXPECT_EQ(dev.Config().network[3], 10);
    // Another device's address: the device stays too.
    ASSERT_EQ(Set(CMD_SET_NETWORK, {127, 0, 0, 3, 255, 0, 0, 0, 127, 0, 0, 1}), 0);
    EXPECT_EQ(dev.Ip(), kDev1);
    // Where the panel listens: the device stays.
    ASSERT_EQ(Set(CMD_SET_NETWORK, {127, 0, 0, 1, 255, 0, 0, 0, 127, 0, 0, 1}), 0);
    EXPECT_EQ(dev.Ip(), kDev1);

    // A free loopback address: the acknowledgement still comes from the old one, then the
    // device answers on the new one only.
    panel.Send(Request(CMD_SET_NETWORK, {127, 0, 0, 9, 255, 0, 0, 0, 127, 0, 0, 1}), kDev1);
    auto ack = panel.Receive();
    ASSERT_TRUE(ack);
    EXPECT_EQ(ack->from.ip, kDev1);
    EXPECT_EQ(ack->bytes[frame::kOffStatus], 0);
    auto moved = panel.Exchange(Request(CMD_READ_ALL), 0x7F000009);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->from, (Endpoint{0x7F000009, frame::kPort}));
    EXPECT_EQ(dev.Ip(), 0x7F000009u);
    panel.Send(Request(CMD_READ_ALL), kDev1);
    EXPECT_FALSE(panel.Receive(100));
}

TEST_F(Sim, RefusedNetworkWriteLeavesTheDeviceWhereItIs) {
    Add(kDev1, "Studio").status = 4;
    Start();
    EXPECT_EQ(Set(CMD_SET_NETWORK, {127, 0, 0, 9, 255, 0, 0, 0, 127, 0, 0, 1}), 4);
    EXPECT_EQ(host.Devices()[0]->Ip(), kDev1);
    EXPECT_EQ(host.Devices()[0]->Config().network[0], 0);
}

// ---- knobs for the panel's tests ----

TEST_F(Sim, DelayedReplyDoesNotHoldUpOtherDevices) {
    Add(kDev1, "Slow").reply_delay_ms = 300;
    Add(kDev2, "Quick");
    Start();
    const auto t0 = Clock::now();
    panel.Send(Request(CMD_SET_OUTPUT_LAYOUT, {4}), kDev1);
    panel.Send(Request(CMD_SET_OUTPUT_LAYOUT, {5}), kDev2);
    auto first = panel.Receive();
    auto second = panel.Receive();
    const auto elapsed = Clock::now() - t0;
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->from.ip, kDev2);
    EXPECT_EQ(second->from.ip, kDev1);
    EXPECT_GE(elapsed, std::chrono::milliseconds(300));
    // The slow device applied the command when it arrived.
    EXPECT_EQ(host.Devices()[0]->Config().At(block::kOutputLayout), 4);
}

TEST_F(Sim, RefusalSilenceStrayRepliesAndRawReplies) {
    sim::SimDevice& dev = Add(kDev1, "Studio");
    Start();

    dev.status = 3;
    EXPECT_EQ(Set(CMD_SET_OUTPUT_LAYOUT, {7}), 3);
    EXPECT_NE(dev.Config().At(block::kOutputLayout), 7) << "refused, so not applied";
    dev.status = 0;

    dev.wrong_command_first = 2;
    panel.Send(Request(CMD_SET_BORDER_COLOR, {2}), kDev1);
    for (int i = 0; i < 3; ++i) {
        auto d = panel.Receive();
        ASSERT_TRUE(d);
        EXPECT_EQ(d->bytes[frame::kOffCommand] == CMD_SET_BORDER_COLOR, i == 2);
    }
    dev.wrong_command_first = 0;

    dev.silent = true;
    panel.Send(Request(CMD_SET_OUTPUT_LAYOUT, {8}), kDev1);
    EXPECT_FALSE(panel.Receive(150));
    EXPECT_EQ(dev.ReceivedRequests().back(), Request(CMD_SET_OUTPUT_LAYOUT, {8}));
    dev.silent = false;

    const Bytes raw{1, 2, 3};
    dev.SetRawReply(raw);
    auto d = panel.Exchange(Request(CMD_READ_ALL), kDev1);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->bytes, raw);
    dev.SetRawReply(std::nullopt);
    d = panel.Exchange(Request(CMD_READ_ALL), kDev1);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->bytes.size(), readall::kFrameSize);
}

TEST_F(Sim, MalformedRequestsAreRecordedAndIgnored) {
    sim::SimDevice& dev = Add(kDev1, "Studio");
    Start();
    const auto before = dev.Config().block;
    Bytes bad_sum = Request(CMD_SET_OUTPUT_LAYOUT, {9});
    bad_sum[bad_sum.size() - 3] ^= 1;
    Bytes bad_length = Request(CMD_SET_OUTPUT_LAYOUT, {9});
    bad_length[frame::kOffLength] = 30;
    Bytes cut = Request(CMD_SET_OUTPUT_LAYOUT, {9});
    cut.resize(frame::kOffPayload);
    const std::vector<Bytes> malformed{
        cut,
        bad_sum,
        bad_length,
        Request(CMD_SET_OUTPUT_LAYOUT),           // value missing
        Request(CMD_SET_UMD_ENABLE, {1}),         // line without value
        Request(CMD_SET_UMD_TEXT, {0, 'A'}),      // half a code unit
        Request(CMD_SET_ALL, Bytes(234, 1)),      // block one byte short
        Request(CMD_SET_NETWORK, {127, 0, 0, 9}), // address alone
        Bytes{},
    };
    for (const Bytes& m : malformed)
        panel.Send(m, kDev1);
    // A set command that arrives by broadcast is not for any one device.
    panel.Send(Request(CMD_SET_OUTPUT_LAYOUT, {9}), platform::kBroadcastIp);
    EXPECT_FALSE(panel.Receive(150));

    // The broadcast may be taken in before the rest; the others keep their order.
    std::vector<Bytes> unicast;
    for (const sim::FrameRecord& f : dev.Frames()) {
        EXPECT_TRUE(f.ignored && !f.sent);
        if (f.bytes != Request(CMD_SET_OUTPUT_LAYOUT, {9}))
            unicast.push_back(f.bytes);
    }
    EXPECT_EQ(unicast, malformed);
    EXPECT_EQ(dev.Frames().size(), malformed.size() + 1);
    EXPECT_EQ(dev.Config().block, before);
    EXPECT_EQ(dev.Ip(), kDev1);
}

// ---- host life cycle ----

TEST_F(Sim, HostRefusesAddressesOutsideLoopbackAndTwiceGivenOnes) {
    for (std::uint32_t ip : {0xC0A8010Au, 0x7F000001u, 0x7FFFFFFFu}) {
        sim::DeviceHost h;
        h.AddDevice(sim::DeviceOptions{ip, {}, 1, 0xA3, {}, {}});
        EXPECT_FALSE(h.Start()) << platform::InetNtoa(ip);
        EXPECT_NE(h.Error().find(platform::InetNtoa(ip)), std::string::npos) << h.Error();
    }
    sim::DeviceHost h;
    h.AddDevice(sim::DeviceOptions{kDev1, {}, 1, 0xA3, {}, {}});
    h.AddDevice(sim::DeviceOptions{kDev1, {}, 2, 0xA3, {}, {}});
    EXPECT_FALSE(h.Start());
    EXPECT_NE(h.Error().find("two devices"), std::string::npos) << h.Error();
}

std::string HostError(std::uint32_t ip) {
    sim::DeviceHost h;
    h.AddDevice(sim::DeviceOptions{ip, {}, 1, 0xA3, {}, {}});
    return h.Start() ? std::string() : h.Error();
}

// Addresses of the test segment are used only while nothing can leave the namespace.
TEST_F(Sim, TestSegmentAddressesOnlyWhereTheSegmentIsIsolated) {
    test::TestSegment segment({test::SegmentIp(2)});
    KX_REQUIRE_TEST_SEGMENT(segment);
    EXPECT_TRUE(sim::TestSegmentIsolated());
    EXPECT_EQ(HostError(test::SegmentIp(2)), "");
    EXPECT_EQ(HostError(test::SegmentIp(1)), "192.0.2.1 is the PC's own address on the test "
                                             "segment, where the panel's replies arrive");
    EXPECT_EQ(HostError(test::SegmentIp(0)), "192.0.2.0 is not a host address");
    EXPECT_EQ(HostError(test::SegmentIp(255)), "192.0.2.255 is not a host address");
    EXPECT_NE(HostError(0xC0000302u).find("not a loopback address"), std::string::npos);

    // Any other interface that is up (here a bridge, or else a tap device) ends that.
    const bool other = (test::TestSegment::RunIp({"link", "add", "kx0", "type", "bridge"}) ||
                        test::TestSegment::RunIp({"tuntap", "add", "kx0", "mode", "tap"})) &&
                       test::TestSegment::RunIp({"link", "set", "kx0", "up"});
    if (!other)
        GTEST_SKIP() << "neither a bridge nor a tap device can be made here";
    EXPECT_FALSE(sim::TestSegmentIsolated());
    EXPECT_NE(HostError(test::SegmentIp(2)).find("is on the test segment"), std::string::npos);
    test::TestSegment::RunIp({"link", "del", "kx0"});
    EXPECT_TRUE(sim::TestSegmentIsolated());
}

TEST_F(Sim, StopWithRepliesStillDueIsCleanAndTheHostCanStartAgain) {
    sim::SimDevice& dev = Add(kDev1, "Studio");
    dev.reply_delay_ms = 10000;
    Start();
    panel.Send(Request(CMD_READ_ALL), kDev1);
    // Wait until the device has the request, then stop long before the reply is due.
    for (int i = 0; i < 100 && dev.ReceivedRequests().empty(); ++i)
        platform::SleepMs(5);
    const auto t0 = Clock::now();
    host.Stop();
    EXPECT_LT(Clock::now() - t0, std::chrono::milliseconds(1000));
    dev.reply_delay_ms = 0;
    Start();
    EXPECT_TRUE(panel.Exchange(Request(CMD_READ_ALL), kDev1));
}

} // namespace
} // namespace kx
