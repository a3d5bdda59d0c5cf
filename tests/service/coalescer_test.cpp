// A line gets at most one send per 100 ms, ends with the newest state, and an unchanged state
// is not sent again. The coalescer is driven with explicit times, so nothing here waits.
#include <gtest/gtest.h>

#include "service/coalescer.h"

namespace kx::service {
namespace {

using namespace std::chrono_literals;
using Clock = Coalescer::Clock;

const LabelSlot kLine0{0x7F000002, 0, LabelPart::Text};
const LabelSlot kLine1{0x7F000002, 1, LabelPart::Text};

Job Text(std::u16string t, std::uint8_t line = 0) {
    return UmdTextJob{line, std::move(t)};
}

std::u16string SentText(const LabelSend& s) {
    return std::get<UmdTextJob>(s.job).text;
}

class CoalescerTest : public ::testing::Test {
protected:
    Clock::time_point t0 = Clock::now();
    Coalescer c;
};

TEST_F(CoalescerTest, FirstChangeGoesAtOnceABurstEndsWithItsNewestText) {
    c.Offer(kLine0, Text(u"A"));
    auto due = c.TakeDue(t0);
    ASSERT_EQ(due.size(), 1u);
    EXPECT_EQ(SentText(due[0]), u"A");
    // While A is in flight and within 100 ms, B, C, D come: only D is waiting.
    c.Offer(kLine0, Text(u"B"));
    c.Offer(kLine0, Text(u"C"));
    c.Offer(kLine0, Text(u"D"));
    EXPECT_TRUE(c.TakeDue(t0 + 10ms).empty());
    c.Finished(kLine0, true);
    EXPECT_TRUE(c.TakeDue(t0 + 99ms).empty());
    ASSERT_EQ(c.NextDue(), t0 + 100ms);
    due = c.TakeDue(t0 + 100ms);
    ASSERT_EQ(due.size(), 1u);
    EXPECT_EQ(SentText(due[0]), u"D");
    c.Finished(kLine0, true);
    EXPECT_FALSE(c.NextDue());
}

TEST_F(CoalescerTest, UnchangedLabelIsNotSentAgain) {
    c.Offer(kLine0, Text(u"CAM 1"));
    ASSERT_EQ(c.TakeDue(t0).size(), 1u);
    c.Finished(kLine0, true);
    c.Offer(kLine0, Text(u"CAM 1"));
    EXPECT_FALSE(c.NextDue());
    EXPECT_TRUE(c.TakeDue(t0 + 1s).empty());
    // The empty text is a change like any other, and the same empty text then is not.
    c.Offer(kLine0, Text(u""));
    ASSERT_EQ(c.TakeDue(t0 + 1s).size(), 1u);
    c.Finished(kLine0, true);
    c.Offer(kLine0, Text(u""));
    EXPECT_FALSE(c.NextDue());
}

TEST_F(CoalescerTest, ChangeAndBackBeforeTheSendCancelsIt) {
    c.Offer(kLine0, Text(u"A"));
    c.TakeDue(t0);
    c.Finished(kLine0, true);
    c.Offer(kLine0, Text(u"B"));
    c.Offer(kLine0, Text(u"A")); // back to what the device shows
    EXPECT_FALSE(c.NextDue());
    // And a change back to the text in flight: nothing more is sent after it.
    c.Offer(kLine0, Text(u"C"));
    ASSERT_EQ(c.TakeDue(t0 + 100ms).size(), 1u);
    c.Offer(kLine0, Text(u"D"));
    c.Offer(kLine0, Text(u"C"));
    c.Finished(kLine0, true);
    EXPECT_FALSE(c.NextDue());
}

TEST_F(CoalescerTest, FailedSendLeavesTheLabelUnknownSoTheSameTextGoesAgain) {
    c.Offer(kLine0, Text(u"A"));
    c.TakeDue(t0);
    c.Finished(kLine0, false);
    c.Offer(kLine0, Text(u"A"));
    ASSERT_EQ(c.NextDue(), t0 + 100ms);
    EXPECT_EQ(c.TakeDue(t0 + 100ms).size(), 1u);
}

TEST_F(CoalescerTest, ASlowDeviceHoldsTheNextSendUntilItAnswers) {
    c.Offer(kLine0, Text(u"A"));
    c.TakeDue(t0);
    c.Offer(kLine0, Text(u"B"));
    // 500 ms later A has still no answer: B waits, one request at a time.
    EXPECT_TRUE(c.TakeDue(t0 + 500ms).empty());
    EXPECT_FALSE(c.NextDue());
    c.Finished(kLine0, false);
    ASSERT_EQ(c.NextDue(), t0 + 100ms);
    EXPECT_EQ(SentText(c.TakeDue(t0 + 501ms).at(0)), u"B");
}

TEST_F(CoalescerTest, LinesAndPartsAreIndependent) {
    const LabelSlot colour{0x7F000002, 0, LabelPart::BackColour};
    const LabelSlot other_device{0x7F000003, 0, LabelPart::Text};
    c.Offer(kLine0, Text(u"A"));
    c.Offer(kLine1, Text(u"B", 1));
    c.Offer(colour, LineValueJob{0x98, 0, 2});
    c.Offer(other_device, Text(u"A"));
    EXPECT_EQ(c.TakeDue(t0).size(), 4u);
}

TEST_F(CoalescerTest, ForgetSendsTheSameStateAgain) {
    c.Offer(kLine0, Text(u"A"));
    c.TakeDue(t0);
    c.Finished(kLine0, true);
    c.Forget(kLine0);
    c.Offer(kLine0, Text(u"A"));
    EXPECT_EQ(c.TakeDue(t0 + 100ms).size(), 1u);
}

} // namespace
} // namespace kx::service
