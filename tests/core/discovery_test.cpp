#include <gtest/gtest.h>

#include <string>

#include "link/frame.h"
#include "link/search_reply.h"
#include "platform/clock.h"
#include "platform/interfaces.h"
#include "platform/socket.h"
#include "tests/core/log_capture.h"
#include "tests/core/sim_fixture.h"
#include "tests/support/test_segment.h"

namespace kx {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A search reply frame whose text starts at byte 18 (byte 17 is a payload byte of its own).
Bytes SearchReplyWithText(const std::string& text, std::uint8_t type = 0xA3,
                          std::uint8_t addr = 0x07) {
    Bytes payload{0x00};
    payload.insert(payload.end(), text.begin(), text.end());
    Bytes f(frame::kOverhead + payload.size());
    frame::BuildFrame(type, addr, CMD_SEARCH, payload.data(), payload.size(), f.data());
    return f;
}

TEST(SearchReply, PatternPositionsGiveTheNames) {
    Bytes a = SearchReplyWithText("KX7214-A-12");
    ASSERT_EQ(a.size(), 32u);
    SearchReply r = ParseSearchReply(a.data(), a.size());
    EXPECT_EQ(r.verdict, SearchVerdict::Device);
    EXPECT_EQ(r.name_lengths, (std::vector<std::size_t>{6}));
    EXPECT_EQ(SearchReplyName(a.data(), 6), u"TRQ-9");
    EXPECT_EQ(r.dev_addr, 0x07);

    Bytes b = SearchReplyWithText("QX-A-B-CD");
    ASSERT_EQ(b.size(), 30u);
    r = ParseSearchReply(b.data(), b.size());
    EXPECT_EQ(r.name_lengths, (std::vector<std::size_t>{2, 4}));
    EXPECT_EQ(SearchReplyName(b.data(), 2), u"QX");
    EXPECT_EQ(SearchReplyName(b.data(), 4), u"QX-A");
}

TEST(SearchReply, ForeignShortAndBrokenFramesAddNothing) {
    Bytes foreign = SearchReplyWithText("KX7214-A-12", 0xA4);
    EXPECT_EQ(ParseSearchReply(foreign.data(), foreign.size()).verdict, SearchVerdict::ForeignType);
    Bytes shortest = SearchReplyWithText("");
    ASSERT_EQ(shortest.size(), 21u);
    EXPECT_EQ(ParseSearchReply(shortest.data(), shortest.size()).verdict, SearchVerdict::TooShort);
    Bytes bad = SearchReplyWithText("KX7214-A-12");
    bad.back() = 0x00;
    EXPECT_EQ(ParseSearchReply(bad.data(), bad.size()).verdict, SearchVerdict::NotAFrame);
    Bytes one{0xA5};
    EXPECT_EQ(ParseSearchReply(one.data(), one.size()).verdict, SearchVerdict::NotAFrame);
    // Our own search request comes back to us on the segment: type 0x81, skipped.
    Bytes own(20);
    frame::BuildFrame(0x81, 0xFF, CMD_SEARCH, nullptr, 0, own.data());
    EXPECT_EQ(ParseSearchReply(own.data(), own.size()).verdict, SearchVerdict::ForeignType);
}

TEST(SearchReply, ModelNameRuleIsCaseExact) {
    EXPECT_EQ(DisplayModelName(u"KX7214"), u"TRQ-9");
    EXPECT_EQ(DisplayModelName(u"kx7214_NO.1"), u"TRQ-9");
    EXPECT_EQ(DisplayModelName(u"Kx7214"), u"Kx7214");
    EXPECT_EQ(DisplayModelName(u"KX721"), u"KX721");
}

class Discovery : public test::SimSession {};

TEST_F(Discovery, TwoDevicesAreListedAndTheFirstOpened) {
    AddDevice(2, "KX7214", 0x01);
    AddDevice(3, "Edit", 0x05);
    StartHost();
    test::LogCapture log;
    session.ScanDevices();
    EXPECT_EQ(view.list_items,
              (std::vector<std::u16string>{u"TRQ-9_127.0.0.2", u"Edit_127.0.0.3"}));
    EXPECT_EQ(view.status_text, "Connected - 2 ");
    EXPECT_EQ(view.selected_item, 0);
    EXPECT_EQ(session.m_device_index, 0);
    EXPECT_TRUE(view.container_open);
    EXPECT_EQ(std::string(session.m_device_list[1].ip_text), "127.0.0.3");
    EXPECT_EQ(session.m_device_list[1].dev_addr, 0x05);
    EXPECT_EQ(session.m_device_list[1].dev_type, 0xA3);
    EXPECT_EQ(session.m_udpSockfd, platform::kNoSocket);
    EXPECT_EQ(log.lines.front(), "create socket success \n");
    const std::vector<std::string> tail = {"time over \n", "m_device_index = 0 \n",
                                           "m_device_index = 0 \n ", "search  over \n"};
    EXPECT_EQ(std::vector<std::string>(log.lines.end() - 4, log.lines.end()), tail);
    EXPECT_EQ(log.Count("nameLength = 6  \n"), 1);

    // Choosing the second item re-opens the container for it.
    log.lines.clear();
    session.OnDeviceSelectionChanged(1);
    EXPECT_EQ(session.m_device_index, 1);
    EXPECT_EQ(view.containers_opened, 2);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"m_device_index = 1 \n ", "163 \n"}));
}

TEST_F(Discovery, EdgeCaseRepliesInOneSearch) {
    auto& a = AddDevice(2, "A");
    auto& b = AddDevice(3, "B");
    auto& c = AddDevice(4, "C");
    auto& d = AddDevice(5, "D");
    auto& e = AddDevice(6, "E");
    a.SetRawReply(SearchReplyWithText("KX7214-A-12"));
    b.SetRawReply(SearchReplyWithText("QX-A-B-CD"));
    c.SetRawReply(SearchReplyWithText("KX7214-A-12", 0xA4));
    d.SetRawReply(SearchReplyWithText(""));
    e.SetRawReply(SearchReplyWithText("Kx7214-B-1"));
    StartHost();
    session.ScanDevices();
    std::vector<std::u16string> items = view.list_items;
    std::sort(items.begin(), items.end());
    EXPECT_EQ(items, (std::vector<std::u16string>{u"Kx7214_127.0.0.6", u"QX-A_127.0.0.3",
                                                  u"QX_127.0.0.3", u"TRQ-9_127.0.0.2"}));
    EXPECT_EQ(view.status_text, "Connected - 4 ");
    for (std::size_t i = 0; i < 4; ++i) {
        if (view.list_items[i] == u"QX_127.0.0.3") {
            EXPECT_EQ(view.list_items[i + 1], u"QX-A_127.0.0.3");
        }
    }
}

TEST_F(Discovery, NoDeviceLeavesNothingSelectableEvenWithAStaleTable) {
    AddDevice(2, "Studio");
    StartHost();
    session.ScanDevices();
    ASSERT_EQ(view.containers_opened, 1);
    host.Stop();

    test::LogCapture log;
    session.ScanDevices();
    EXPECT_EQ(view.list_items, (std::vector<std::u16string>{u"No Device Found"}));
    EXPECT_EQ(view.status_text, "No Device Connected ");
    EXPECT_EQ(session.m_device_index, -1);
    EXPECT_FALSE(view.container_open);
    EXPECT_TRUE(log.Has("Init my rect \n"));
    EXPECT_TRUE(log.Has("m_device_index = -1 \n"));

    // The table still holds the earlier device in entry 0; choosing "No Device Found"
    // must not open it.
    session.OnDeviceSelectionChanged(0);
    EXPECT_FALSE(view.container_open);
    EXPECT_EQ(view.containers_opened, 1);
    EXPECT_EQ(session.m_device_index, -1);
}

TEST_F(Discovery, TableNeverHoldsMoreThan128Entries) {
    // Each 128-byte reply announces 53 names ("-x-x-..."), three replies announce 159.
    std::string text;
    while (text.size() < 107)
        text += "-x";
    text.resize(107);
    for (int i = 0; i < 3; ++i)
        AddDevice(2 + i, "N").SetRawReply(SearchReplyWithText(text));
    auto& late = AddDeviceAt(test::Loopback(9), "Late", 0x09, false);
    StartHost();
    session.ScanDevices();
    EXPECT_EQ(view.list_items.size(), 128u);
    EXPECT_EQ(view.status_text, "Connected - 128 ");

    // Asked by its address, a device that does not fit is said so, not "no answer"; one that
    // is listed already is chosen.
    EXPECT_EQ(session.FindDeviceAt(late.Ip()), FindOutcome::TableFull);
    EXPECT_EQ(view.list_items.size(), 128u);
    EXPECT_EQ(session.FindDeviceAt(test::Loopback(3)), FindOutcome::Listed);
    EXPECT_EQ(view.list_items.size(), 128u);
    EXPECT_EQ(session.m_device_list[static_cast<std::size_t>(session.m_device_index)].ip_text,
              std::string("127.0.0.3"));
}

TEST_F(Discovery, SocketFailureIsReportedAndTheNextSearchWorks) {
    AddDevice(2, "Studio");
    StartHost();
    platform::FailNextSocketsForTesting(1);
    view.status_text = "before";
    {
        test::LogCapture log;
        session.ScanDevices();
        EXPECT_EQ(log.lines, (std::vector<std::string>{"create socket fail \n"}));
    }
    ASSERT_EQ(view.alerts.size(), 1u);
    EXPECT_EQ(view.alerts[0],
              (platform::Alert{"Create socket err", "Err", platform::AlertButtons::OkCancel}));
    EXPECT_EQ(view.status_text, "before");
    EXPECT_TRUE(view.list_items.empty());
    EXPECT_FALSE(view.container_open);

    session.ScanDevices();
    EXPECT_EQ(view.status_text, "Connected - 1 ");
}

// ---- a device by its address ----

// 127.0.0.4 hears no broadcast, like a device on another subnet.
class FindByAddress : public test::SimSession {
protected:
    void SetUp() override {
        test::SimSession::SetUp();
        session.m_search_wait_ms = 1000;
    }
    sim::SimDevice& AddHidden(int last_octet, const std::string& name, std::uint8_t addr) {
        return AddDeviceAt(test::Loopback(last_octet), name, addr, false);
    }
};

TEST_F(FindByAddress, AnAnswerIsAddedAfterTheListedDevicesChosenAndOpened) {
    AddDevice(2, "Studio", 0x01);
    auto& hidden = AddHidden(4, "KX7214-Far", 0x33);
    StartHost();
    session.ScanDevices();
    ASSERT_EQ(view.list_items, (std::vector<std::u16string>{u"Studio_127.0.0.2"}));

    test::LogCapture log;
    const std::uint32_t t0 = platform::TickCount();
    EXPECT_EQ(session.FindDeviceAt(hidden.Ip()), FindOutcome::Listed);
    // The device answered at once; nothing else is waited for.
    EXPECT_LT(platform::ElapsedSince(t0), 900u);
    EXPECT_EQ(view.list_items,
              (std::vector<std::u16string>{u"Studio_127.0.0.2", u"TRQ-9_127.0.0.4"}));
    EXPECT_EQ(view.status_text, "Connected - 2 ");
    EXPECT_EQ(view.selected_item, 1);
    EXPECT_EQ(session.m_device_index, 1);
    EXPECT_EQ(view.containers_opened, 2);
    EXPECT_EQ(std::string(session.m_device_list[1].ip_text), "127.0.0.4");
    EXPECT_EQ(session.m_device_list[1].dev_addr, 0x33);
    EXPECT_EQ(session.m_udpSockfd, platform::kNoSocket);
    EXPECT_EQ(log.lines.front(), "find device at 127.0.0.4 \n");
    EXPECT_TRUE(log.Has("nameLength = 10  \n"));
    EXPECT_TRUE(log.Has("find over \n"));
    // Exactly the search request went to that one address.
    std::vector<Bytes> received;
    for (const sim::FrameRecord& f : hidden.Frames())
        if (!f.sent)
            received.push_back(f.bytes);
    EXPECT_EQ(received,
              (std::vector<Bytes>{{0xA5, 0x6C, 0x14, 0x00, 0x81, 0xFF, 0x01, 0x00, 0x00, 0x00,
                                   0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xA5, 0x03, 0xAE}}));

    // The entry can be chosen like any other and talked to with its own address byte.
    session.OnDeviceSelectionChanged(0);
    session.OnDeviceSelectionChanged(1);
    EXPECT_EQ(session.SendValue(CMD_SET_OUTPUT_LAYOUT, 12), Outcome::Accepted);
    EXPECT_EQ(hidden.ReceivedRequests().back()[5], 0x33);
}

TEST_F(FindByAddress, ReplacesNoDeviceFoundAndAListedDeviceIsChosenNotAddedTwice) {
    auto& hidden = AddHidden(4, "QX-A-B-CD", 0x07);
    hidden.SetRawReply(SearchReplyWithText("QX-A-B-CD"));
    StartHost();
    session.ScanDevices();
    ASSERT_EQ(view.list_items, (std::vector<std::u16string>{u"No Device Found"}));

    EXPECT_EQ(session.FindDeviceAt(hidden.Ip()), FindOutcome::Listed);
    EXPECT_EQ(view.list_items, (std::vector<std::u16string>{u"QX_127.0.0.4", u"QX-A_127.0.0.4"}));
    EXPECT_EQ(view.status_text, "Connected - 2 ");
    EXPECT_EQ(session.m_device_index, 0);
    EXPECT_EQ(view.selected_item, 0);

    session.OnDeviceSelectionChanged(1);
    EXPECT_EQ(session.FindDeviceAt(hidden.Ip()), FindOutcome::Listed);
    EXPECT_EQ(view.list_items.size(), 2u);
    EXPECT_EQ(session.m_device_index, 0);
}

TEST_F(FindByAddress, NothingAnsweringChangesNothing) {
    AddDevice(2, "Studio");
    StartHost();
    session.ScanDevices();
    const auto items = view.list_items;
    const int opened = view.containers_opened;
    const std::uint32_t t0 = platform::TickCount();
    EXPECT_EQ(session.FindDeviceAt(test::Loopback(9)), FindOutcome::NoAnswer);
    EXPECT_GE(platform::ElapsedSince(t0), 1000u);
    EXPECT_EQ(view.list_items, items);
    EXPECT_EQ(view.status_text, "Connected - 1 ");
    EXPECT_EQ(session.m_device_index, 0);
    EXPECT_TRUE(view.container_open);
    EXPECT_EQ(view.containers_opened, opened);
    EXPECT_TRUE(view.alerts.empty());
    EXPECT_EQ(session.m_udpSockfd, platform::kNoSocket);

    platform::FailNextSocketsForTesting(1);
    EXPECT_EQ(session.FindDeviceAt(test::Loopback(2)), FindOutcome::NoSocket);
    ASSERT_EQ(view.alerts.size(), 1u);
    EXPECT_EQ(view.alerts[0].text, "Create socket err");
    EXPECT_EQ(view.list_items, items);
}

TEST_F(FindByAddress, TheSearchAsksRememberedAddressesAgain) {
    AddDevice(2, "Studio");
    auto& hidden = AddHidden(4, "Far", 0x02);
    StartHost();
    session.m_search_addresses = {hidden.Ip(), test::Loopback(9)};
    session.ScanDevices();
    std::vector<std::u16string> items = view.list_items;
    std::sort(items.begin(), items.end());
    EXPECT_EQ(items, (std::vector<std::u16string>{u"Far_127.0.0.4", u"Studio_127.0.0.2"}));
    EXPECT_EQ(view.status_text, "Connected - 2 ");
}

// ---- every network card: a second segment inside the test's own namespace ----

TEST(Interfaces, DirectedBroadcastOfEveryUpInterfaceButLoopback) {
    KX_REQUIRE_PRIVATE_NETWORK();
    // Only loopback: nothing beyond the limited broadcast.
    EXPECT_TRUE(platform::DirectedBroadcastAddresses().empty());
    {
        // v0 holds two addresses of one segment (the second without a broadcast of its own).
        test::TestSegment segment({test::SegmentIp(2)});
        KX_REQUIRE_TEST_SEGMENT(segment);
        EXPECT_EQ(platform::DirectedBroadcastAddresses(), (std::vector<std::uint32_t>{0xC00002FF}));
    }
    EXPECT_TRUE(platform::DirectedBroadcastAddresses().empty());
}

class SegmentDiscovery : public test::SimSession {
protected:
    void SetUp() override {
        test::SimSession::SetUp();
        session.m_search_wait_ms = 1000;
    }
    // The PC's side is 192.0.2.1; devices at .2 and .3.
    test::TestSegment segment{{test::SegmentIp(2), test::SegmentIp(3)}};

    static int SearchesReceived(const sim::SimDevice& device) {
        int n = 0;
        for (const sim::FrameRecord& f : device.Frames())
            n += !f.sent && !f.ignored && f.bytes.size() == 20 && f.bytes[16] == 0xFF;
        return n;
    }
};

TEST_F(SegmentDiscovery, ADeviceOnlyOnTheOtherSegmentIsFound) {
    KX_REQUIRE_TEST_SEGMENT(segment);
    AddDevice(2, "Studio", 0x01);
    auto& far = AddDeviceAt(test::SegmentIp(2), "Gallery", 0x05);
    StartHost();
    session.ScanDevices();
    std::vector<std::u16string> items = view.list_items;
    std::sort(items.begin(), items.end());
    EXPECT_EQ(items, (std::vector<std::u16string>{u"Gallery_192.0.2.2", u"Studio_127.0.0.2"}));
    EXPECT_EQ(view.status_text, "Connected - 2 ");
    // It heard the segment's broadcast only, sent from the PC's address there.
    EXPECT_EQ(SearchesReceived(far), 1);
    EXPECT_EQ(far.Frames().front().peer_ip, test::SegmentIp(1));

    // And it is driven like any other device.
    const int index = view.list_items[0] == u"Gallery_192.0.2.2" ? 0 : 1;
    session.OnDeviceSelectionChanged(index);
    EXPECT_EQ(session.SendValue(CMD_SET_OUTPUT_LAYOUT, 12), Outcome::Accepted);
    EXPECT_EQ(far.ReceivedRequests().back(),
              (Bytes{0xA5, 0x6C, 0x15, 0x00, 0xA3, 0x05, 0x01, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x00, 0x00, 0x00, 0x00, 0x94, 0x0C, 0x6F, 0x02, 0xAE}));
}

TEST_F(SegmentDiscovery, ADeviceAnsweringOnSeveralPathsIsListedOnce) {
    KX_REQUIRE_TEST_SEGMENT(segment);
    // Hears the limited and the segment's broadcast, and is remembered by address too.
    auto& both = AddDeviceAt(test::SegmentIp(2), "Both", 0x05, true);
    // One reply that names two devices still gives two entries, however often it comes.
    auto& twice = AddDeviceAt(test::SegmentIp(3), "QX", 0x06, true);
    twice.SetRawReply(SearchReplyWithText("QX-A-B-CD", 0xA3, 0x06));
    StartHost();
    session.m_search_addresses = {test::SegmentIp(2), test::SegmentIp(3)};
    session.ScanDevices();
    EXPECT_EQ(SearchesReceived(both), 3);
    EXPECT_EQ(SearchesReceived(twice), 3);
    std::vector<std::u16string> items = view.list_items;
    std::sort(items.begin(), items.end());
    EXPECT_EQ(items,
              (std::vector<std::u16string>{u"Both_192.0.2.2", u"QX-A_192.0.2.3", u"QX_192.0.2.3"}));
    EXPECT_EQ(view.status_text, "Connected - 3 ");
}

TEST_F(SegmentDiscovery, ADeviceOnTheSegmentIsFoundByItsAddress) {
    KX_REQUIRE_TEST_SEGMENT(segment);
    auto& far = AddDeviceAt(test::SegmentIp(3), "Gallery", 0x05);
    StartHost();
    EXPECT_EQ(session.FindDeviceAt(far.Ip()), FindOutcome::Listed);
    EXPECT_EQ(view.list_items, (std::vector<std::u16string>{u"Gallery_192.0.2.3"}));
    EXPECT_EQ(SearchesReceived(far), 1);
    EXPECT_TRUE(view.container_open);
}

} // namespace
} // namespace kx
