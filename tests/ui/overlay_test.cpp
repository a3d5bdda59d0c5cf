// The Overlay page against a simulated multiviewer: the row rules, the colour snap-back, the
// text commits (Enter, leaving the field, background click, tab switch) and what the device
// receives for each.
#include <QLineEdit>
#include <cstdlib>

#include "tests/ui/device_page_test.h"
#include "ui/overlay_page.h"

namespace kx::test {
namespace {

constexpr int kTabOverlay = 3;
constexpr int kEnable[4] = {1041, 1035, 1036, 1037};
constexpr int kPosition[4] = {1042, 1043, 1044, 1045};
constexpr int kTextColor[4] = {1046, 1047, 1048, 1049};
constexpr int kBackColor[4] = {1050, 1051, 1052, 1053};
constexpr int kContent[4] = {1016, 1019, 1022, 1025};
constexpr int kWhite = 7;
constexpr int kHalfTrans = 15;
const QPoint kPageBackground(600, 190);

// Saves a picture of the whole panel when KX_PAGE_SHOTS names a folder.
void SaveShot(QWidget* window, const char* name) {
    if (const char* dir = std::getenv("KX_PAGE_SHOTS"))
        window->grab().save(QString::fromLocal8Bit(dir) + "/" + name);
}

class OverlayPageTest : public DevicePageTest {
protected:
    void SetUp() override {
        DevicePageTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        Record().kx7214_umd_text_color[1] = kWhite;
        Record().kx7214_umd_back_color[1] = kHalfTrans;
        Record().kx7214_umd_text_color[3] = 2;
        Record().kx7214_umd_back_color[3] = 5;
    }
    ui::CKX7214_Overlay* Open() {
        m_page = OpenTab<ui::CKX7214_Overlay>(kTabOverlay);
        P().DeviceA().ClearFrames();
        return m_page;
    }
    QComboBox* Combo(const int (&ids)[4], int line) const {
        return m_page->DlgItem<QComboBox>(ids[line]);
    }
    QLineEdit* Content(int line) const { return m_page->DlgItem<QLineEdit>(kContent[line]); }
    // Clicks into the field and replaces its text by typing.
    void TypeInto(int line, const QString& text) {
        // A list that was open may have left the panel inactive on this platform.
        Main().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
        QTest::mouseClick(Content(line), Qt::LeftButton);
        QTest::keyClick(Content(line), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(Content(line), Qt::Key_Delete);
        // One key event per character, also for characters without a key of their own.
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, Content(line), Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
    }
    void ClickBackground() {
        QTest::mouseClick(m_page, Qt::LeftButton, {}, kPageBackground);
        QApplication::processEvents();
    }
    bool RowEnabled(int line) const {
        return Combo(kPosition, line)->isEnabled() && Combo(kTextColor, line)->isEnabled() &&
               Combo(kBackColor, line)->isEnabled() && Content(line)->isEnabled();
    }
    bool RowDisabled(int line) const {
        return !Combo(kPosition, line)->isEnabled() && !Combo(kTextColor, line)->isEnabled() &&
               !Combo(kBackColor, line)->isEnabled() && !Content(line)->isEnabled();
    }

    ui::CKX7214_Overlay* m_page = nullptr;
};

TEST_F(OverlayPageTest, OpensWithTheSharedStateAndSendsNothing) {
    Record().kx7214_umd_enable[2] = 0;
    Record().kx7214_umd_postion[0] = 2;
    Record().kx7214_umd_back_color[0] = 16; // beyond the list
    Main().m_umd_text[3] = u"a label of twenty ch";
    Open();
    EXPECT_EQ(Combo(kEnable, 0)->itemText(1), "ON");
    EXPECT_EQ(Combo(kPosition, 0)->currentText(), "Right");
    EXPECT_EQ(Combo(kTextColor, 1)->currentText(), "White");
    EXPECT_EQ(Combo(kBackColor, 1)->currentText(), "HalfTrans");
    EXPECT_EQ(Combo(kBackColor, 0)->currentIndex(), -1);
    EXPECT_EQ(Combo(kTextColor, 0)->count(), 16);
    EXPECT_EQ(Combo(kTextColor, 0)->itemText(14), "Trans");
    EXPECT_EQ(Content(0)->text(), "CAM 1");
    EXPECT_TRUE(RowEnabled(0));
    EXPECT_TRUE(RowDisabled(2));
    EXPECT_TRUE(Combo(kEnable, 2)->isEnabled());
    EXPECT_FALSE(m_page->isAncestorOf(QApplication::focusWidget()));
    SaveShot(&Main(), "overlay-page.png");
    EXPECT_TRUE(Received().empty());

    // A stored text longer than the typing limit is shown whole; typing cannot lengthen it,
    // deleting still works.
    EXPECT_EQ(Content(3)->text(), "a label of twenty ch");
    QTest::mouseClick(Content(3), Qt::LeftButton);
    QTest::keyClick(Content(3), Qt::Key_End);
    QTest::keyClicks(Content(3), "xyz");
    EXPECT_EQ(Content(3)->text(), "a label of twenty ch");
    QTest::keyClick(Content(3), Qt::Key_Backspace);
    EXPECT_EQ(Content(3)->text(), "a label of twenty c");
    TypeInto(0, "seventeen letters");
    EXPECT_EQ(Content(0)->text(), "seventeen letter");
}

TEST_F(OverlayPageTest, AColourEqualToTheOtherOneSnapsBack) {
    Open();
    Pick(Combo(kTextColor, 1), kHalfTrans);
    EXPECT_EQ(Combo(kTextColor, 1)->currentText(), "White");
    EXPECT_EQ(Record().kx7214_umd_text_color[1], kWhite);
    EXPECT_TRUE(Received().empty());

    Pick(Combo(kTextColor, 1), 0);
    EXPECT_EQ(Record().kx7214_umd_text_color[1], 0);

    Pick(Combo(kBackColor, 3), 2);
    EXPECT_EQ(Combo(kBackColor, 3)->currentText(), "Cyan");
    EXPECT_EQ(Record().kx7214_umd_back_color[3], 5);
    Pick(Combo(kBackColor, 3), 4);
    EXPECT_EQ(Record().kx7214_umd_back_color[3], 4);
    EXPECT_EQ(Main().m_preview.m_my_umd_data[3].iUmdBackGreen, 255);
    EXPECT_EQ(Main().m_preview.m_my_umd_data[3].iUmdBackRed, 0);

    const std::vector<Bytes> expected = {Request(0x97, {1, 0}), Request(0x98, {3, 4})};
    EXPECT_EQ(Received(), expected);
}

TEST_F(OverlayPageTest, UmdOffDisablesItsRowOnlyAndIsSent) {
    Open();
    Pick(Combo(kEnable, 2), 0);
    EXPECT_EQ(Record().kx7214_umd_enable[2], 0);
    EXPECT_TRUE(RowDisabled(2));
    for (int line : {0, 1, 3})
        EXPECT_TRUE(RowEnabled(line)) << line;
    EXPECT_EQ(Main().m_preview.m_my_umd_data[2].iUmdEnable, 0);

    Pick(Combo(kEnable, 2), 1);
    EXPECT_TRUE(RowEnabled(2));
    Pick(Combo(kPosition, 2), 1);
    EXPECT_EQ(Record().kx7214_umd_postion[2], 1);
    const WindowData& w = Main().m_preview.m_my_window_data[2];
    const UmdData& u = Main().m_preview.m_my_umd_data[2];
    EXPECT_EQ(u.iUmdLeft, w.iWindowLeft + w.iWindowWidth / 2 - u.iUmdWidth / 2);

    const std::vector<Bytes> expected = {Request(0x95, {2, 0}), Request(0x95, {2, 1}),
                                         Request(0x96, {2, 1})};
    EXPECT_EQ(Received(), expected);
}

TEST_F(OverlayPageTest, EnterSendsTheTextAndABackgroundClickSendsItAgain) {
    Open();
    log.lines.clear();
    TypeInto(0, QString::fromUtf8("Cam 7 é"));
    EXPECT_TRUE(log.Has("line 1 fouce on\n"));
    EXPECT_TRUE(Received().empty()); // typing alone sends nothing

    QTest::keyClick(Content(0), Qt::Key_Return);
    EXPECT_TRUE(log.Has("m_edit_string_index = 1\n"));
    EXPECT_TRUE(log.Has("m_p_glo_main_dlg->m_all_kx7214_page_data.kx7214_auto_or_manual_status "
                        "= 0 \n "));
    EXPECT_EQ(Main().m_umd_text[0], u"Cam 7 é");
    EXPECT_EQ(QApplication::focusWidget(), Content(0));
    const Bytes frame = Request(0x99, UmdTextPayload(0, u"Cam 7 é"));
    EXPECT_EQ(Received(), std::vector<Bytes>{frame});

    ClickBackground();
    EXPECT_TRUE(log.Has("set group focus \n"));
    EXPECT_TRUE(log.Has("line 1 umd  Cam 7 é \n"));
    EXPECT_NE(QApplication::focusWidget(), Content(0));
    EXPECT_EQ(Received(), (std::vector<Bytes>{frame, frame}));

    // The hand-off happens once per visit of a field.
    const int handoffs = log.Count("set group focus \n");
    ClickBackground();
    EXPECT_EQ(log.Count("set group focus \n"), handoffs);
    EXPECT_EQ(Received().size(), 2u);
}

TEST_F(OverlayPageTest, EnterOutsideTheFieldsOnlyLogsAndEscapeIsConsumed) {
    Open();
    log.lines.clear();
    Combo(kPosition, 0)->setFocus();
    QTest::keyClick(Combo(kPosition, 0), Qt::Key_Return);
    const std::vector<std::string> expected = {"  normal return  \n", "m_edit_string_index = 0\n"};
    EXPECT_EQ(log.lines, expected);
    QTest::keyClick(Combo(kPosition, 0), Qt::Key_Escape);
    EXPECT_TRUE(log.Has("kx7214 overlay  esc  \n"));
    EXPECT_FALSE(log.Has("kx7214 main  esc  \n"));
    EXPECT_TRUE(m_page->isVisible());
    EXPECT_TRUE(Received().empty());
}

TEST_F(OverlayPageTest, SwitchingTabsCommitsTheFocusedField) {
    Open();
    log.lines.clear();
    TypeInto(3, "Replay");
    QTest::mouseClick(Main().Page()->TabButton(1), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(Main().m_umd_text[3], u"Replay");
    EXPECT_TRUE(log.Has("line 4 umd  Replay \n"));
    EXPECT_TRUE(log.Has("kx7214 overlay PostNcDestroy \n"));
    const std::vector<Bytes> received = Received();
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received[0], Request(0x99, UmdTextPayload(3, u"Replay")));
}

TEST_F(OverlayPageTest, ManualApplyChangesStateAndPreviewButSendsNothing) {
    Record().kx7214_auto_or_manual_status = 1;
    Open();
    TypeInto(2, "Studio");
    QTest::keyClick(Content(2), Qt::Key_Return);
    ClickBackground();
    Pick(Combo(kEnable, 0), 0);
    Pick(Combo(kEnable, 0), 1);
    Pick(Combo(kPosition, 1), 2);
    Pick(Combo(kTextColor, 2), 3);
    Pick(Combo(kBackColor, 2), 9);
    EXPECT_EQ(Record().kx7214_umd_postion[1], 2);
    EXPECT_EQ(Record().kx7214_umd_text_color[2], 3);
    EXPECT_EQ(Record().kx7214_umd_back_color[2], 9);
    EXPECT_EQ(Main().m_umd_text[2], u"Studio");
    EXPECT_EQ(Main().m_preview.m_my_umd_data[2].iUmdBackRed, 219);
    EXPECT_TRUE(Received().empty());
}

} // namespace
} // namespace kx::test
