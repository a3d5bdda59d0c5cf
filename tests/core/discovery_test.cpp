#include <gtest/gtest.h>

#include <string>

#include "link/frame.h"
#include "link/search_reply.h"
#include "platform/socket.h"
#include "tests/core/log_capture.h"
#include "tests/core/sim_fixture.h"

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
    StartHost();
    session.ScanDevices();
    EXPECT_EQ(view.list_items.size(), 128u);
    EXPECT_EQ(view.status_text, "Connected - 128 ");
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

} // namespace
} // namespace kx
