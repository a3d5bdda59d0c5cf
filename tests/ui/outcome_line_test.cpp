// The outcome line at the foot of the main window against simulated multiviewers that
// acknowledge, refuse and stay silent: its words and colours, "Read again" and F5, the count of
// changes not applied in Manual Apply, the history and the search.
#include <QHelpEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QToolTip>

#include "tests/ui/device_page_test.h"
#include "tests/ui/journey_fixture.h"
#include "ui/button_st.h"
#include "ui/input_page.h"
#include "ui/outcome_line.h"
#include "ui/overlay_page.h"
#include "ui/scale_page.h"
#include "ui/setting_page.h"
#include "ui/status_page.h"

namespace kx::test::journey {
namespace {

constexpr int kTabStatus = 1, kTabScale = 2, kTabOverlay = 3, kTabInput = 5, kTabSetting = 6;
constexpr int kOutputFormat = 1011, kFirstLayoutButton = 1079;
constexpr int kOverlayTextColor[4] = {1046, 1047, 1048, 1049};
constexpr int kOverlayPosition2 = 1043, kOverlayContent1 = 1016, kInputPosition4 = 1029;
constexpr int kMode = 1014, kApply = 1114, kSaveFile = 1006, kLoadFile = 1008;
constexpr int kScan = 1000;
const QColor kFieldGround(0x40, 0x40, 0x40);
const QColor kFieldText(0xC0, 0xC0, 0xC0);
const QColor kAmber(0xF0, 0xA0, 0x20);
const QColor kDarkText(0x10, 0x10, 0x10);

class OutcomeLineTest : public JourneyTest {
protected:
    void TearDown() override {
        if (device_a != nullptr) {
            device_a->status = 0;
            device_a->silent = false;
            device_b->silent = false;
        }
        JourneyTest::TearDown();
    }

    ui::COutcomeLine* Line() const { return main->OutcomeLine(); }
    QWidget* Item(int id) const { return main->Page()->ChildPage()->GetDlgItem(id); }
    QComboBox* List(int id) const { return main->Page()->ChildPage()->DlgItem<QComboBox>(id); }
    bool ReadAgainShown() const { return Line()->ReadAgainButton()->isVisible(); }
    // Picks the entry of the page's list as the operator does.
    void Pick(int id, int index) {
        ASSERT_TRUE(List(id)->isVisible() && List(id)->isEnabled());
        test::Pick(List(id), index);
        // The offscreen platform does not hand the activation back when the list closes.
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main));
        ASSERT_EQ(List(id)->currentIndex(), index);
    }

    // What the operator sees: the line's ground, and whether its text is drawn in `text`.
    QColor Ground() const { return Line()->grab().toImage().pixelColor(2, 2); }
    bool DrawnIn(const QColor& text) const {
        const QImage image = Line()->grab().toImage();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width() / 2; ++x)
                if (image.pixelColor(x, y) == text)
                    return true;
        return false;
    }
    void ExpectNormalLook() const {
        EXPECT_FALSE(Line()->IsWarning());
        EXPECT_EQ(Ground(), kFieldGround);
        EXPECT_TRUE(DrawnIn(kFieldText));
    }
    void ExpectWarningLook() const {
        EXPECT_TRUE(Line()->IsWarning());
        EXPECT_EQ(Ground(), kAmber);
        EXPECT_TRUE(DrawnIn(kDarkText));
    }
    void ExpectLine(const QString& pattern) const {
        const QRegularExpression re(QRegularExpression::anchoredPattern(pattern));
        EXPECT_TRUE(re.match(Line()->Text()).hasMatch()) << Line()->Text().toStdString();
    }
    int Reads() const { return CountCommand(device_a->ReceivedRequests(), CMD_READ_ALL); }
    void PressF5(QWidget* target) {
        for (QComboBox* combo : main->findChildren<QComboBox*>())
            combo->hidePopup();
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main));
        // The offscreen platform leaves a closed list's window active, which holds the focus.
        if (QApplication::activeWindow() != main)
            QApplication::setActiveWindow(main);
        target->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), target);
        QTest::keyClick(target, Qt::Key_F5);
        Settle();
    }
};

const QString kA = QStringLiteral(" · TRQ-9_127\\.0\\.0\\.2");
const QString kTime = QStringLiteral(" · \\d+(\\.\\d)? ms");

TEST_F(OutcomeLineTest, AcceptedChangeNamesSettingValueDeviceAndTime) {
    OpenTab<ui::CKX7214_Overlay>(kTabOverlay);
    // The first entry of the colour list, value 0.
    Pick(kOverlayTextColor[1], 0);
    ExpectLine("SDI IN 2 Text Color → Black: accepted" + kA + kTime);
    ExpectNormalLook();
    EXPECT_FALSE(ReadAgainShown());

    OpenTab<ui::CKX7214_Scale>(kTabScale);
    Pick(kOutputFormat, 10);
    ExpectLine("Output Format → 720p25: accepted" + kA + kTime);
    QTest::mouseClick(Item(kFirstLayoutButton + 12), Qt::LeftButton);
    ExpectLine("Output Layout → 单画面\\(CH4\\): accepted" + kA + kTime);
}

TEST_F(OutcomeLineTest, RefusedChangeStandsOutAndReadAgainShowsWhatTheDeviceHolds) {
    auto* scale = OpenTab<ui::CKX7214_Scale>(kTabScale);
    device_a->status = 3;
    Pick(kOutputFormat, 8);
    QTest::mouseClick(Item(kFirstLayoutButton + 12), Qt::LeftButton);
    ExpectLine("Output Layout → 单画面\\(CH4\\): refused by the device" + kA + kTime +
               " — the device may hold something else");
    ExpectWarningLook();
    ASSERT_TRUE(ReadAgainShown());
    // The panel keeps the operator's choice until the device is read again.
    EXPECT_EQ(Record().kx7214_output_format, 8);
    EXPECT_EQ(List(kOutputFormat)->currentIndex(), 8);
    EXPECT_EQ(main->m_preview.m_my_window_data[3].iWindowWidth, 540);
    EXPECT_EQ(main->Page()->ChildPage(), scale);

    device_a->ClearFrames();
    QTest::mouseClick(Line()->ReadAgainButton(), Qt::LeftButton);
    Settle();
    EXPECT_EQ(Reads(), 1);
    EXPECT_EQ(device_a->ReceivedRequests().size(), 1u);
    EXPECT_EQ(main->Page()->CurrentTab(), kTabScale);
    EXPECT_EQ(List(kOutputFormat)->currentIndex(), 0) << "the device still holds 1080p60";
    EXPECT_EQ(Record().kx7214_output_layout, 0);
    EXPECT_EQ(main->m_preview.m_my_window_data[0].iWindowWidth, 270);
    EXPECT_EQ(main->m_preview.m_my_window_data[3].iWindowWidth, 270);
    ExpectLine("Read settings: answered" + kA + kTime);
    ExpectNormalLook();
    EXPECT_FALSE(ReadAgainShown());
}

TEST_F(OutcomeLineTest, SilentDeviceNamesTheRealDeadline) {
    OpenTab<ui::CKX7214_Overlay>(kTabOverlay);
    device_a->silent = true;
    Pick(kOverlayPosition2, 2);
    ExpectLine("SDI IN 2 Position → Right: no answer within 500 ms" + kA +
               " — the device may hold something else");
    ExpectWarningLook();
    EXPECT_TRUE(ReadAgainShown());

    OpenTab<ui::CKX7214_Scale>(kTabScale);
    Pick(kOutputFormat, 1);
    ExpectLine("Output Format → 1080p50: no answer within 1000 ms" + kA +
               " — the device may hold something else");

    // Reading a silent device again keeps what the panel held, and says so.
    QTest::mouseClick(Line()->ReadAgainButton(), Qt::LeftButton);
    Settle();
    ExpectLine("Read settings: no answer within 1000 ms" + kA +
               " — the panel shows what it held before");
    ExpectWarningLook();
    EXPECT_TRUE(ReadAgainShown());
    EXPECT_EQ(List(kOutputFormat)->currentIndex(), 1);

    device_a->silent = false;
    Pick(kOutputFormat, 2);
    ExpectNormalLook();
    EXPECT_FALSE(ReadAgainShown());
}

TEST_F(OutcomeLineTest, ManualApplyCountsWhatTheDeviceHasNotTaken) {
    OpenTab<ui::CKX7214_Setting>(kTabSetting);
    Pick(kMode, 1);
    EXPECT_EQ(Line()->Unapplied(), "");

    OpenTab<ui::CKX7214_Scale>(kTabScale);
    Pick(kOutputFormat, 3); // the preview does not show the format
    EXPECT_EQ(Line()->Unapplied(), "1 change not applied");
    OpenTab<ui::CKX7214_Overlay>(kTabOverlay);
    Pick(kOverlayTextColor[0], 2);
    OpenTab<ui::CKX7214_Input>(kTabInput);
    Pick(kInputPosition4, 2);
    EXPECT_EQ(Line()->Unapplied(), "3 changes not applied");
    EXPECT_TRUE(device_a->ReceivedRequests().empty());

    // Putting a setting back to what the device holds takes it off the count.
    OpenTab<ui::CKX7214_Overlay>(kTabOverlay);
    Pick(kOverlayTextColor[0], 7);
    EXPECT_EQ(Line()->Unapplied(), "2 changes not applied");

    OpenTab<ui::CKX7214_Setting>(kTabSetting);
    device_a->status = 1;
    QTest::mouseClick(Item(kApply), Qt::LeftButton);
    EXPECT_EQ(Line()->Unapplied(), "2 changes not applied");
    ExpectLine("Apply: refused by the device" + kA + kTime +
               " — the device may hold something else");
    device_a->status = 0;
    QTest::mouseClick(Item(kApply), Qt::LeftButton);
    EXPECT_EQ(Line()->Unapplied(), "");
    ExpectLine("Apply: accepted" + kA + kTime);

    // Load Settings ends with the same Apply, and clears the count once it is acknowledged.
    QTest::mouseClick(Item(kSaveFile), Qt::LeftButton);
    OpenTab<ui::CKX7214_Scale>(kTabScale);
    Pick(kOutputFormat, 4);
    EXPECT_EQ(Line()->Unapplied(), "1 change not applied");
    OpenTab<ui::CKX7214_Setting>(kTabSetting);
    QTest::mouseClick(Item(kLoadFile), Qt::LeftButton);
    EXPECT_EQ(Line()->Unapplied(), "");
    EXPECT_EQ(Record().kx7214_output_format, 3);

    // In Auto Apply every change has its own outcome; nothing is counted.
    OpenTab<ui::CKX7214_Scale>(kTabScale);
    Pick(kOutputFormat, 5);
    OpenTab<ui::CKX7214_Setting>(kTabSetting);
    Pick(kMode, 0);
    EXPECT_EQ(Line()->Unapplied(), "");
}

TEST_F(OutcomeLineTest, F5ReadsAgainWhereverTheFocusIs) {
    OpenTab<ui::CKX7214_Scale>(kTabScale);
    device_a->status = 2;
    Pick(kOutputFormat, 9);
    device_a->status = 0;
    device_a->ClearFrames();
    PressF5(List(kOutputFormat));
    EXPECT_EQ(Reads(), 1);
    EXPECT_EQ(List(kOutputFormat)->currentIndex(), 0);
    ExpectNormalLook();

    // A text being edited is committed before the read.
    OpenTab<ui::CKX7214_Overlay>(kTabOverlay);
    auto* content = main->Page()->ChildPage()->DlgItem<QLineEdit>(kOverlayContent1);
    content->setFocus();
    content->end(false);
    QTest::keyClicks(content, "X");
    device_a->ClearFrames();
    PressF5(content);
    const auto requests = device_a->ReceivedRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0][frame::kOffCommand], CMD_SET_UMD_TEXT);
    EXPECT_EQ(requests[1][frame::kOffCommand], CMD_READ_ALL);
    EXPECT_EQ(main->Page()->ChildPage()->DlgItem<QLineEdit>(kOverlayContent1)->text(), "CAM 1X");

    // The main window's own list, and the Status page, which reads only once.
    device_a->ClearFrames();
    PressF5(main->DeviceCombo());
    EXPECT_EQ(Reads(), 1);
    OpenTab<ui::CKX7214_Status>(kTabStatus);
    device_a->ClearFrames();
    PressF5(main);
    EXPECT_EQ(Reads(), 1);
    EXPECT_EQ(main->Page()->CurrentTab(), kTabStatus);
}

TEST_F(OutcomeLineTest, HoverShowsTheLatestFiftyWithTheirTimes) {
    for (int v = 1; v <= 55; ++v)
        main->SendValue(CMD_SET_BORDER_COLOR, static_cast<std::uint8_t>(1 + v % 3));
    device_a->silent = true;
    main->SendLineValue(CMD_SET_UMD_ENABLE, 0, 1);
    Settle();
    const QPoint centre = Line()->rect().center();
    QHelpEvent hover(QEvent::ToolTip, centre, Line()->mapToGlobal(centre));
    QApplication::sendEvent(Line(), &hover);
    ASSERT_TRUE(QToolTip::isVisible());
    const QString shown = QToolTip::text();
    QToolTip::hideText();
    EXPECT_EQ(shown.count("<tr"), 50);
    const QRegularExpression first("<tr[^>]*><td>\\d\\d:\\d\\d:\\d\\d&nbsp;&nbsp;</td><td[^>]*>"
                                   "SDI IN 1 UMD Enable → ON: no answer within 500 ms");
    EXPECT_TRUE(first.match(shown).hasMatch()) << shown.left(300).toStdString();
    EXPECT_LT(shown.indexOf("no answer"), shown.indexOf("Border Color → Red: accepted"));
}

TEST_F(OutcomeLineTest, SearchSaysHowManyDevicesAnswered) {
    QTest::mouseClick(main->GetDlgItem(kScan), Qt::LeftButton);
    Settle();
    ExpectLine("Search: 2 devices answered; Read settings: answered" + kA + kTime);
    ExpectNormalLook();

    device_a->silent = true;
    device_b->silent = true;
    QTest::mouseClick(main->GetDlgItem(kScan), Qt::LeftButton);
    Settle();
    ExpectLine("Search: no device answered within 2000 ms");
    ExpectWarningLook();
    EXPECT_FALSE(ReadAgainShown());
    device_a->ClearFrames();
    PressF5(main);
    EXPECT_EQ(Reads(), 0) << "no device is open";

    device_a->silent = false;
    device_b->silent = false;
    QTest::mouseClick(main->GetDlgItem(kScan), Qt::LeftButton);
    Settle();
    EXPECT_EQ(main->DeviceCombo()->count(), 2);
}

} // namespace
} // namespace kx::test::journey
