// What the session tells the view after each exchange and search, the history it keeps, and
// the count of changes a device has not taken yet.
#include <gtest/gtest.h>

#include <functional>

#include "tests/core/sim_fixture.h"

namespace kx {
namespace {

using Bytes = std::vector<std::uint8_t>;
using std::chrono::milliseconds;

// One exchange of each kind, with the command code, payload and deadline a device sees.
struct KindCase {
    const char* name;
    std::function<Outcome(CKX7214Session&)> run;
    std::uint8_t command;
    Bytes payload;
    std::uint32_t deadline_ms;
};

std::vector<KindCase> EveryKind() {
    return {
        {"read all", [](CKX7214Session& s) { return s.ReadAllConfig(); }, 0x90, {}, 1000},
        {"one value", [](CKX7214Session& s) { return s.SendValue(0x94, 12); }, 0x94, {0x0C}, 1000},
        {"line and value",
         [](CKX7214Session& s) { return s.SendLineValue(0x97, 1, 0); },
         0x97,
         {0x01, 0x00},
         500},
        {"UMD text",
         [](CKX7214Session& s) {
             s.m_umd_text[0] = u"Cam";
             return s.SendUmdText(0);
         },
         0x99,
         {0x00, 'C', 0, 'a', 0, 'm', 0},
         500},
        {"device name",
         [](CKX7214Session& s) {
             s.m_device_name = u"Bay";
             return s.SendDeviceName();
         },
         0x91,
         {'B', 'a', 'y', 0},
         500},
        {"whole configuration",
         [](CKX7214Session& s) { return s.ApplyAllSettings(); },
         0xA5,
         {},
         500},
        {"network",
         [](CKX7214Session& s) {
             s.m_net_config = {192, 168, 1, 10, 255, 255, 255, 0, 192, 168, 1, 1};
             return s.SendNetworkConfig();
         },
         0xA6,
         {192, 168, 1, 10, 255, 255, 255, 0, 192, 168, 1, 1},
         1000},
    };
}

class Outcomes : public test::SimSession {
protected:
    sim::SimDevice& StartStudio() {
        auto& dev = AddDevice(2, "Studio");
        EXPECT_TRUE(host.Start()) << host.Error();
        Target("127.0.0.2");
        view.list_items = {u"Studio_127.0.0.2"};
        return dev;
    }

    const OutcomeReport& Last() const { return session.Outcomes().back(); }

    // Runs every kind and checks what the report says besides the outcome.
    void RunEveryKind(Outcome expected, std::optional<std::uint8_t> status) {
        for (const KindCase& k : EveryKind()) {
            SCOPED_TRACE(k.name);
            const std::size_t before = session.Outcomes().size();
            EXPECT_EQ(k.run(session), expected);
            ASSERT_EQ(session.Outcomes().size(), before + 1);
            const OutcomeReport& r = Last();
            EXPECT_EQ(r.command, k.command);
            if (k.command == 0xA5) {
                EXPECT_EQ(r.payload.size(), 235u);
            } else {
                EXPECT_EQ(r.payload, k.payload);
            }
            EXPECT_EQ(r.outcome, expected);
            EXPECT_EQ(r.status, status);
            EXPECT_EQ(r.device_ip, "127.0.0.2");
            EXPECT_EQ(r.device_text, u"Studio_127.0.0.2");
            EXPECT_EQ(r.deadline_ms, k.deadline_ms);
            EXPECT_GT(r.round_trip.count(), 0);
            if (expected == Outcome::TimedOut) {
                EXPECT_GE(r.round_trip, milliseconds(k.deadline_ms));
            } else {
                EXPECT_LT(r.round_trip, milliseconds(k.deadline_ms));
            }
            ASSERT_EQ(view.outcomes.Reports().size(), session.Outcomes().size());
            EXPECT_EQ(view.outcomes.Reports().back().command, k.command);
        }
    }
};

TEST_F(Outcomes, EveryKindReportsItsAcceptance) {
    StartStudio();
    RunEveryKind(Outcome::Accepted, 0);
}

TEST_F(Outcomes, EveryKindButTheReadReportsARefusalWithItsStatus) {
    auto& dev = StartStudio();
    dev.status = 5;
    std::vector<KindCase> kinds = EveryKind();
    for (const KindCase& k : kinds) {
        if (k.command == 0x90)
            continue;
        SCOPED_TRACE(k.name);
        EXPECT_EQ(k.run(session), Outcome::Refused);
        EXPECT_EQ(Last().command, k.command);
        EXPECT_EQ(Last().outcome, Outcome::Refused);
        EXPECT_EQ(Last().status, 5);
        EXPECT_EQ(Last().device_text, u"Studio_127.0.0.2");
        EXPECT_LT(Last().round_trip, milliseconds(k.deadline_ms));
    }
}

TEST_F(Outcomes, EveryKindReportsASilentDeviceAtItsDeadline) {
    auto& dev = StartStudio();
    dev.silent = true;
    RunEveryKind(Outcome::TimedOut, std::nullopt);
}

TEST_F(Outcomes, WithoutASelectedDeviceTheReportNamesNoDevice) {
    AddDevice(2, "Studio");
    StartHost();
    EXPECT_EQ(session.SendLineValue(0x95, 0, 1), Outcome::TimedOut);
    ASSERT_EQ(session.Outcomes().size(), 1u);
    EXPECT_EQ(Last().device_ip, "");
    EXPECT_EQ(Last().device_text, u"");
    EXPECT_EQ(Last().outcome, Outcome::TimedOut);
}

TEST_F(Outcomes, NothingIsReportedWithoutAMainWindow) {
    StartStudio();
    m_p_glo_main_dlg = nullptr;
    session.SendValue(0x92, 1);
    EXPECT_TRUE(session.Outcomes().empty());
    EXPECT_TRUE(view.outcomes.Reports().empty());
}

TEST_F(Outcomes, SearchReportsHowManyDevicesAnsweredBeforeTheFirstRead) {
    AddDevice(2, "Studio");
    AddDevice(3, "Edit");
    StartHost();
    session.m_search_wait_ms = 300;
    session.ScanDevices();
    ASSERT_EQ(session.Outcomes().size(), 1u) << "the container opens headless without a read";
    const OutcomeReport& r = session.Outcomes().front();
    EXPECT_EQ(r.command, 0xFF);
    EXPECT_EQ(r.kind, ExchangeKind::Search);
    EXPECT_EQ(r.devices_answered, 2);
    EXPECT_EQ(r.outcome, Outcome::Accepted);
    EXPECT_EQ(r.deadline_ms, 300u);
    EXPECT_EQ(r.device_text, u"");
}

TEST_F(Outcomes, SearchWithoutAnswersReportsNone) {
    StartHost();
    session.m_search_wait_ms = 200;
    session.ScanDevices();
    ASSERT_EQ(session.Outcomes().size(), 1u);
    EXPECT_EQ(Last().devices_answered, 0);
    EXPECT_EQ(Last().outcome, Outcome::TimedOut);
    EXPECT_GE(Last().round_trip, milliseconds(200));
}

TEST_F(Outcomes, HistoryKeepsTheLatestFiftyInOrder) {
    StartStudio();
    for (int v = 1; v <= 53; ++v)
        ASSERT_EQ(session.SendValue(0x92, static_cast<std::uint8_t>(v)), Outcome::Accepted);
    const auto& history = session.Outcomes();
    ASSERT_EQ(history.size(), 50u);
    for (std::size_t i = 0; i < history.size(); ++i) {
        EXPECT_EQ(history[i].payload, Bytes{static_cast<std::uint8_t>(i + 4)});
        if (i > 0) {
            EXPECT_LE(history[i - 1].at, history[i].at);
        }
    }
    EXPECT_EQ(view.outcomes.Reports().size(), 50u);
    EXPECT_EQ(view.outcomes.Reports().front().payload, Bytes{4});
}

TEST(OutcomeHistoryTest, EmptyAndFirstEntry) {
    OutcomeHistory history;
    EXPECT_TRUE(history.Reports().empty());
    OutcomeReport first;
    first.command = 0x90;
    history.Add(first);
    ASSERT_EQ(history.Reports().size(), 1u);
    EXPECT_EQ(history.Reports().front().command, 0x90);
}

// Manual Apply counts the settings a device would still have to take from Apply.
class Unapplied : public Outcomes {
protected:
    kx7214_page_data& Record() { return session.m_all_kx7214_page_data; }
};

TEST_F(Unapplied, NothingIsPendingRightAfterARead) {
    StartStudio();
    Record().kx7214_output_layout = 7;
    EXPECT_EQ(session.UnappliedChanges(), 1) << "before any read the initial state counts";
    ASSERT_EQ(session.ReadAllConfig(), Outcome::Accepted);
    EXPECT_EQ(session.UnappliedChanges(), 0);
}

TEST_F(Unapplied, EachSettingTextAndNameCountsOnceUntilApplyIsAcknowledged) {
    auto& dev = StartStudio();
    ASSERT_EQ(session.ReadAllConfig(), Outcome::Accepted);
    Record().kx7214_output_format ^= 1;
    Record().kx7214_umd_text_color[0] ^= 1;
    Record().kx7214_umd_text_color[3] ^= 1;
    Record().kx7214_input_back_color[2] ^= 1;
    session.m_umd_text[1] += u"!";
    session.m_device_name += u"2";
    EXPECT_EQ(session.UnappliedChanges(), 6);

    // Changing a setting back to what the device holds takes it off the count.
    Record().kx7214_output_format ^= 1;
    EXPECT_EQ(session.UnappliedChanges(), 5);

    dev.status = 1;
    EXPECT_EQ(session.ApplyAllSettings(), Outcome::Refused);
    EXPECT_EQ(session.UnappliedChanges(), 5);
    dev.status = 0;
    dev.silent = true;
    EXPECT_EQ(session.ApplyAllSettings(), Outcome::TimedOut);
    EXPECT_EQ(session.UnappliedChanges(), 5);
    dev.silent = false;
    EXPECT_EQ(session.ApplyAllSettings(), Outcome::Accepted);
    EXPECT_EQ(session.UnappliedChanges(), 0);
}

TEST_F(Unapplied, AcknowledgedSingleChangesLeaveTheCount) {
    auto& dev = StartStudio();
    ASSERT_EQ(session.ReadAllConfig(), Outcome::Accepted);
    Record().kx7214_output_layout = 12;
    Record().kx7214_audio_in_ch[0] = 3;
    session.m_umd_text[2] = u"Cam 3";
    session.m_device_name = u"Bay";
    ASSERT_EQ(session.UnappliedChanges(), 4);

    dev.status = 2;
    session.SendValue(0x94, 12);
    EXPECT_EQ(session.UnappliedChanges(), 4) << "a refused change is still pending";
    dev.status = 0;
    session.SendValue(0x94, 12);
    EXPECT_EQ(session.UnappliedChanges(), 3);
    session.SendLineValue(0x9E, 0, 3);
    EXPECT_EQ(session.UnappliedChanges(), 2);
    session.SendUmdText(2);
    EXPECT_EQ(session.UnappliedChanges(), 1);
    session.SendDeviceName();
    EXPECT_EQ(session.UnappliedChanges(), 0);
}

TEST_F(Unapplied, OnlyWhatApplyCarriesCounts) {
    StartStudio();
    ASSERT_EQ(session.ReadAllConfig(), Outcome::Accepted);
    // The list shows Right as 1 while the device holds 2: the same setting.
    for (std::uint8_t& p : Record().kx7214_audio_postion)
        p = p == 2 ? 1 : p;
    // Apply cannot carry the meters' transparency and combination, nor the mode.
    Record().kx7214_audio_transparency[0] = 2;
    Record().kx7214_audio_combination[3] = 1;
    Record().kx7214_auto_or_manual_status = 1;
    EXPECT_EQ(session.UnappliedChanges(), 0);
    Record().kx7214_audio_postion[1] = Record().kx7214_audio_postion[1] == 0 ? 2 : 0;
    EXPECT_EQ(session.UnappliedChanges(), 1);
}

} // namespace
} // namespace kx
