// TSL UMD as switchers send it: byte strings written out from the protocol's description.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "service/tsl_datagram.h"
#include "service/tsl_stream.h"
#include "service/tsl_v50.h"

namespace kx::service {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A v3.1 message: header 0x80 + address, control, 16 characters padded with blanks.
Bytes V31(std::uint8_t header, std::uint8_t control, const std::string& text) {
    Bytes m{header, control};
    std::string padded = text;
    padded.resize(16, ' ');
    m.insert(m.end(), padded.begin(), padded.end());
    return m;
}

Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

std::u16string Text(const TslUpdate& u) {
    return u.text.value_or(u"<none>");
}

TEST(TslV31, ReadsAddressTallyAndLabelWithoutItsPadding) {
    // Address 3, tally 1 on, "CAM 1" padded to 16 characters.
    const auto updates = ParseTslDatagram(V31(0x83, 0x01, "CAM 1"));
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(updates[0].version, TslVersion::V31);
    EXPECT_EQ(updates[0].index, 3);
    EXPECT_EQ(Text(updates[0]), u"CAM 1");
    EXPECT_EQ(updates[0].text_tally, Tally::Red);
}

TEST(TslV31, TalliesAndEdgeAddresses) {
    // Address 0 and address 126 are the first and the last display; tally 2 is green, both
    // amber, none off, and tally 3 and 4 and the brightness bits change nothing.
    const auto updates =
        ParseTslDatagram(Cat({V31(0x80, 0x02, "A"), V31(0xFE, 0x03, "B"), V31(0x81, 0x3C, "C")}));
    ASSERT_EQ(updates.size(), 3u);
    EXPECT_EQ(updates[0].index, 0);
    EXPECT_EQ(updates[0].text_tally, Tally::Green);
    EXPECT_EQ(updates[1].index, 126);
    EXPECT_EQ(updates[1].text_tally, Tally::Amber);
    EXPECT_EQ(updates[2].text_tally, Tally::Off);
}

TEST(TslV31, LabelsKeepLeadingBlanksAndLoseControlCharacters) {
    Bytes m = V31(0x85, 0, "  MID");
    m[2 + 15] = 0x00; // zero padding at the end instead of a blank
    m[2 + 14] = 0x00;
    const auto updates = ParseTslDatagram(m);
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(Text(updates[0]), u"  MID");
    // A full 16-character label and an empty one.
    EXPECT_EQ(Text(ParseTslDatagram(V31(0x85, 0, "ABCDEFGHIJKLMNOP"))[0]), u"ABCDEFGHIJKLMNOP");
    EXPECT_EQ(Text(ParseTslDatagram(V31(0x85, 0, ""))[0]), u"");
}

TEST(TslV31, HeaderBelow0x80IsNotADisplay) {
    // Read as v5.0 instead, this datagram holds no display message either.
    EXPECT_TRUE(ParseTslDatagram(V31(0x7F, 0, "X")).empty());
    // In a datagram of several messages the one with a bad header is skipped by itself.
    const Bytes two = Cat({V31(0x81, 0, "ONE"), V31(0x82, 0, "TWO")});
    Bytes bad = two;
    bad[18] = 0x05;
    EXPECT_EQ(ParseTslDatagram(two).size(), 2u);
    const auto updates = ParseTslDatagram(bad);
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(Text(updates[0]), u"ONE");
}

// v5.0: PBC, VER, FLAGS, SCREEN, then DMSGs of INDEX, CONTROL, LENGTH, TEXT (little-endian).
TEST(TslV50, AsciiPacketWithOneDisplay) {
    const Bytes p = {0x0E, 0x00, 0x00, 0x00, 0x01, 0x00,                      // PBC 14, screen 1
                     0x05, 0x00, 0x04, 0x00, 0x04, 0x00, 'C', 'A', 'M', '2'}; // text tally red
    const auto updates = ParseTslDatagram(p);
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(updates[0].version, TslVersion::V50);
    EXPECT_EQ(updates[0].screen, 1);
    EXPECT_EQ(updates[0].index, 5);
    EXPECT_EQ(Text(updates[0]), u"CAM2");
    EXPECT_EQ(updates[0].text_tally, Tally::Red);
}

TEST(TslV50, Utf16TextTalliesAndSeveralMessages) {
    // Flags bit 0: UTF-16LE. Display 0 "é€" green (control 0x0008), display 1 empty amber
    // (0x000C) with the right and left tallies set as well (0x0033), which do not count.
    const Bytes p = {0x16, 0x00, 0x00, 0x01, 0x00, 0x00, //
                     0x00, 0x00, 0x08, 0x00, 0x04, 0x00, 0xE9, 0x00,
                     0xAC, 0x20, 0x01, 0x00, 0x3F, 0x00, 0x00, 0x00};
    const auto updates = ParseTslDatagram(p);
    ASSERT_EQ(updates.size(), 2u);
    EXPECT_EQ(Text(updates[0]), u"\u00E9\u20AC");
    EXPECT_EQ(updates[0].text_tally, Tally::Green);
    EXPECT_EQ(updates[1].index, 1);
    EXPECT_EQ(Text(updates[1]), u"");
    EXPECT_EQ(updates[1].text_tally, Tally::Amber);
}

TEST(TslV50, WhatAReceiverMustSurvive) {
    // PBC larger than the datagram: the whole messages that are there still count.
    const Bytes longer = {0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, //
                          0x02, 0x00, 0x00, 0x00, 0x01, 0x00, 'A',
                          0x03, 0x00, 0x00, 0x00, 0x09, 0x00, 'B'};
    auto updates = ParseTslDatagram(longer);
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(Text(updates[0]), u"A");

    // PBC smaller than the datagram: what lies beyond it is not read.
    const Bytes shorter = {0x0D, 0x00, 0x00, 0x00, 0x00, 0x00, //
                           0x02, 0x00, 0x00, 0x00, 0x01, 0x00, 'A', 'x', 'y', 'z'};
    updates = ParseTslDatagram(shorter);
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(Text(updates[0]), u"A");

    // LENGTH running past PBC drops that message.
    const Bytes overrun = {0x0C, 0x00, 0x00, 0x00, 0x00, 0x00, //
                           0x02, 0x00, 0x00, 0x00, 0x30, 0x00, 'A', 'B'};
    EXPECT_TRUE(ParseTslDatagram(overrun).empty());

    // Odd LENGTH with UTF-16 text: the half code unit is dropped.
    const Bytes odd = {0x0F, 0x00, 0x00, 0x01, 0x00, 0x00, //
                       0x02, 0x00, 0x00, 0x00, 0x03, 0x00, 'O', 0x00, 'K'};
    updates = ParseTslDatagram(odd);
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(Text(updates[0]), u"O");

    // Reserved flag and control bits and another minor version: read all the same.
    const Bytes reserved = {0x0D, 0x00, 0x07, 0xFC, 0x00, 0x00, //
                            0x02, 0x00, 0x00, 0x7F, 0x01, 0x00, 'R'};
    updates = ParseTslDatagram(reserved);
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(Text(updates[0]), u"R");
}

TEST(TslV50, ControlDataAndScreenControlCarryNoLabel) {
    // Bit 15 of CONTROL: control data instead of text; the text tally still holds.
    const Bytes control = {0x0E, 0x00, 0x00, 0x00, 0x00, 0x00, //
                           0x02, 0x00, 0x04, 0x80, 0x02, 0x00, 0x10, 0x20};
    auto updates = ParseTslDatagram(control);
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_FALSE(updates[0].text.has_value());
    EXPECT_EQ(updates[0].text_tally, Tally::Red);
    // FLAGS bit 1: screen control data follows SCREEN; no display message.
    const Bytes screen = {0x0C, 0x00, 0x00, 0x02, 0x00, 0x00, //
                          0x02, 0x00, 0x00, 0x00, 0x00, 0x00};
    EXPECT_TRUE(ParseTslDatagram(screen).empty());
}

TEST(TslV50, BroadcastScreenAndIndexArePassedOn) {
    const Bytes p = {0x0D, 0x00, 0x00, 0x00, 0xFF, 0xFF, //
                     0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00, 'X'};
    const auto updates = ParseTslDatagram(p);
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(updates[0].screen, 0xFFFF);
    EXPECT_EQ(updates[0].index, 0xFFFF);
}

TEST(TslV50, TruncatedPacketsGiveNothing) {
    for (std::size_t n = 0; n < 6; ++n)
        EXPECT_TRUE(ParseTslDatagram(Bytes(n, 0x00)).empty()) << n;
}

TEST(TslDatagram, AnExactV50PacketIsNotTakenForV31) {
    // 18 bytes whose first byte could be a v3.1 header: PBC 0x0090 does not match the length,
    // so it is v3.1 ...
    Bytes m = V31(0x90, 0x00, "LOOKS LIKE BOTH");
    auto updates = ParseTslDatagram(m);
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(updates[0].version, TslVersion::V31);
    // ... while an exact v5.0 packet stays v5.0 even when its length is a multiple of 18.
    const Bytes p = {0x10, 0x00, 0x00, 0x00, 0x00, 0x00, //
                     0x01, 0x00, 0x00, 0x00, 0x04, 0x00, 'A', 'B', 'C', 'D', 0x00, 0x00};
    EXPECT_EQ(p.size(), 18u);
    updates = ParseTslDatagram(p);
    ASSERT_FALSE(updates.empty());
    EXPECT_EQ(updates[0].version, TslVersion::V50);
}

class StreamTest : public ::testing::Test {
protected:
    void Feed(const Bytes& bytes) {
        unwrapper.Feed(bytes, [this](std::span<const std::uint8_t> p) {
            packets.emplace_back(p.begin(), p.end());
        });
    }
    TslStreamUnwrapper unwrapper;
    std::vector<Bytes> packets;
};

TEST_F(StreamTest, UnstuffsAndSplitsPacketsWhateverTheReads) {
    // A packet whose screen is 0x00FE (stuffed as FE FE) and whose text is 0xFE, then a second
    // packet; fed one byte at a time.
    const Bytes wire = {0xFE, 0x02, 0x0B, 0x00, 0x00, 0x00, 0xFE, 0xFE, 0x00, //
                        0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0xFE, 0xFE,       //
                        0xFE, 0x02, 0x06, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    for (std::uint8_t b : wire)
        Feed({b});
    ASSERT_EQ(packets.size(), 2u);
    EXPECT_EQ(packets[0], (Bytes{0x0B, 0x00, 0x00, 0x00, 0xFE, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01,
                                 0x00, 0xFE}));
    EXPECT_EQ(packets[1], (Bytes{0x06, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));
    const auto updates = [&] {
        std::vector<TslUpdate> u;
        tsl50::Parse(packets[0], u);
        return u;
    }();
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(updates[0].screen, 0xFE);
    EXPECT_EQ(Text(updates[0]), u"\u00FE");
}

TEST_F(StreamTest, ResynchronisesAfterGarbageAndBrokenPackets) {
    // Bytes before the first start, a packet cut short by a new start, and FE followed by a
    // byte that is neither FE nor STX: only the complete packet after them comes out.
    Feed({0x41, 0x42, 0xFE, 0x41, 0xFE, 0x02, 0x20, 0x00, 0x00, 0xFE, 0x02, 0x06, 0x00, 0x00,
          0x00, 0xFE, 0x07, 0xFE, 0x02, 0x06, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00});
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0], (Bytes{0x06, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));
}

TEST_F(StreamTest, PacketsLongerThanAllowedAreDroppedWithoutBeingCollected) {
    // PBC 0xFFFF: dropped at once, and the next packet is found.
    Feed({0xFE, 0x02, 0xFF, 0xFF, 0x01, 0x02, 0x03});
    Feed({0xFE, 0x02, 0x06, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00});
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0].size(), 8u);
}

} // namespace
} // namespace kx::service
