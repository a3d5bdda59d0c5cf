// The words of the outcome line for requests the panel's own pages rarely or never make, and
// for the edges of every list: first and last entries, values no list holds.
#include <gtest/gtest.h>

#include "ui/outcome_text.h"

namespace kx::ui {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(OutcomeText, SettingsAreNamedAsTheirPagesNameThem) {
    EXPECT_EQ(SettingWords(0x92, {0}), "Output Format → 1080p60");
    EXPECT_EQ(SettingWords(0x92, {10}), "Output Format → 720p25");
    EXPECT_EQ(SettingWords(0x92, {11}), "Output Format → 11") << "a value beyond the list";
    EXPECT_EQ(SettingWords(0xA4, {1}), "Border Enable → Border ON");
    EXPECT_EQ(SettingWords(0x93, {3}), "Border Color → Blue");
    EXPECT_EQ(SettingWords(0x94, {15}), "Output Layout → 单画面(CH1)");
    EXPECT_EQ(SettingWords(0x95, {0, 0}), "SDI IN 1 UMD Enable → OFF");
    EXPECT_EQ(SettingWords(0x98, {3, 15}), "SDI IN 4 Background Color → HalfTrans");
    EXPECT_EQ(SettingWords(0xA2, {1, 2}), "SDI IN 2 Position → Right");
    EXPECT_EQ(SettingWords(0xA0, {1, 2}), "SDI IN 2 Text Color → Red");
    EXPECT_EQ(SettingWords(0x9F, {0, 1}), "SDI IN 1 Status Enable → ON");
    // The device's 2 for a meter on the right is the list's second entry.
    EXPECT_EQ(SettingWords(0x9B, {2, 2}), "SDI IN 3 Position → Right");
    EXPECT_EQ(SettingWords(0x9B, {2, 0}), "SDI IN 3 Position → Left");
    EXPECT_EQ(SettingWords(0x9E, {0, 7}), "SDI IN 1 Channel → CH15-16");
    EXPECT_EQ(SettingWords(0x9D, {0, 1}), "SDI IN 1 Combination → Bar Only");
    EXPECT_EQ(SettingWords(0x9C, {0, 2}), "SDI IN 1 Transparency → 100%");
}

TEST(OutcomeText, TextsNamesAndWholeConfigurationRequests) {
    EXPECT_EQ(SettingWords(0x99, {1, 'C', 0, 0xAC, 0x20}), "SDI IN 2 Content → “C€”");
    EXPECT_EQ(SettingWords(0x99, {0}), "SDI IN 1 Content → “”") << "the empty text";
    EXPECT_EQ(SettingWords(0x91, {'B', 'a', 'y', 0}), "Custom Name → “Bay”");
    EXPECT_EQ(SettingWords(0x91, {0}), "Custom Name → “”");
    EXPECT_EQ(SettingWords(0x90, {}), "Read settings");
    EXPECT_EQ(SettingWords(0xA5, Bytes(235, 0)), "Apply");
    EXPECT_EQ(SettingWords(0xA3, {1}), "Save to Custom1");
    EXPECT_EQ(SettingWords(0xA3, {2}), "Save to Custom2");
    EXPECT_EQ(SettingWords(0xA6, {192, 168, 1, 10, 255, 255, 255, 0, 192, 168, 1, 1}),
              "IP Address → 192.168.1.10, Subnet Mask 255.255.255.0, Gateway 192.168.1.1");
    EXPECT_EQ(SettingWords(0x42, {}), "Command 0x42");
    EXPECT_EQ(SettingWords(0x0B, {}), "Command 0x0b");
}

OutcomeReport Report(std::uint8_t command, Bytes payload, Outcome outcome) {
    OutcomeReport r;
    r.kind = command == 0x90 ? ExchangeKind::ReadAll : ExchangeKind::Value;
    r.command = command;
    r.payload = std::move(payload);
    r.device_ip = "192.0.2.7";
    r.device_text = u"Edit-Bay_192.0.2.7";
    r.outcome = outcome;
    r.round_trip = std::chrono::microseconds(12'345);
    r.deadline_ms = 1000;
    return r;
}

TEST(OutcomeText, ResultsAndWhatToMakeOfThem) {
    EXPECT_EQ(OutcomeText(Report(0x92, {7}, Outcome::Accepted)),
              "Output Format → 720p60: accepted · Edit-Bay_192.0.2.7 · 12 ms");
    EXPECT_EQ(OutcomeText(Report(0x92, {7}, Outcome::Refused)),
              "Output Format → 720p60: refused by the device · Edit-Bay_192.0.2.7 · 12 ms — the "
              "device may hold something else");
    EXPECT_EQ(OutcomeText(Report(0x90, {}, Outcome::TimedOut)),
              "Read settings: no answer within 1000 ms · Edit-Bay_192.0.2.7 — the panel shows "
              "what it held before");
    // Saving to a slot or moving the unit changes nothing a read would show.
    OutcomeReport custom = Report(0xA3, {1}, Outcome::TimedOut);
    EXPECT_FALSE(OffersReadAgain(custom));
    EXPECT_EQ(OutcomeText(custom),
              "Save to Custom1: no answer within 1000 ms · Edit-Bay_192.0.2.7");
    EXPECT_FALSE(OffersReadAgain(Report(0xA6, Bytes(12, 1), Outcome::Refused)));
    EXPECT_TRUE(OffersReadAgain(Report(0xA5, Bytes(235, 0), Outcome::Refused)));
    EXPECT_FALSE(OffersReadAgain(Report(0x92, {7}, Outcome::Accepted)));
    // Without a selected device there is nothing to read again.
    OutcomeReport nowhere = Report(0x92, {7}, Outcome::TimedOut);
    nowhere.device_ip.clear();
    nowhere.device_text.clear();
    EXPECT_FALSE(OffersReadAgain(nowhere));
    EXPECT_EQ(OutcomeText(nowhere), "Output Format → 720p60: no answer within 1000 ms");

    OutcomeReport quick = Report(0x92, {7}, Outcome::Accepted);
    quick.round_trip = std::chrono::microseconds(0);
    EXPECT_EQ(OutcomeText(quick), "Output Format → 720p60: accepted · Edit-Bay_192.0.2.7 · 0.0 ms");
}

TEST(OutcomeText, SearchAndCount) {
    OutcomeReport search;
    search.kind = ExchangeKind::Search;
    search.command = 0xFF;
    search.deadline_ms = 2000;
    EXPECT_EQ(OutcomeText(search), "Search: no device answered within 2000 ms");
    search.devices_answered = 1;
    EXPECT_EQ(OutcomeText(search), "Search: 1 device answered");
    search.devices_answered = 128;
    EXPECT_EQ(OutcomeText(search), "Search: 128 devices answered");
    // The read that opens the first device shares the line with its search; a later read does
    // not.
    const std::deque<OutcomeReport> after_search = {search, Report(0x90, {}, Outcome::Accepted)};
    EXPECT_EQ(LineText(after_search),
              "Search: 128 devices answered; Read settings: answered · Edit-Bay_192.0.2.7 · 12 ms");
    const std::deque<OutcomeReport> later = {search, Report(0x92, {1}, Outcome::Accepted),
                                             Report(0x90, {}, Outcome::Accepted)};
    EXPECT_EQ(LineText(later), "Read settings: answered · Edit-Bay_192.0.2.7 · 12 ms");
    EXPECT_EQ(LineText({}), "");

    EXPECT_EQ(UnappliedText(0), "");
    EXPECT_EQ(UnappliedText(1), "1 change not applied");
    EXPECT_EQ(UnappliedText(3), "3 changes not applied");
}

TEST(OutcomeText, HistoryEscapesTextsAndMarksFailures) {
    std::deque<OutcomeReport> history = {Report(0x91, {'<', 'b', '>', 0}, Outcome::Accepted),
                                         Report(0x92, {1}, Outcome::TimedOut)};
    const QString html = HistoryText(history);
    EXPECT_TRUE(html.contains("&lt;b&gt;"));
    EXPECT_FALSE(html.contains("<b>"));
    EXPECT_EQ(html.count("<tr"), 2);
    EXPECT_LT(html.indexOf("no answer"), html.indexOf("Custom Name")) << "newest first";
    EXPECT_EQ(html.count("color:"), 1);
}

} // namespace
} // namespace kx::ui
