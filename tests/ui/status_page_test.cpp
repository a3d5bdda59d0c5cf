// The Status page of the demo's first device: what it shows, the DIP-switch warning, and the
// ways the device name is committed.
#include <QKeyEvent>
#include <QLineEdit>

#include "res/resource_ids.h"
#include "tests/core/log_capture.h"
#include "tests/ui/panel_fixture.h"
#include "ui/button_st.h"
#include "ui/demo.h"
#include "ui/status_page.h"

namespace kx::test {
namespace {

using ui::CKX7214_Status;

class StatusPageTest : public PanelTest {
protected:
    CKX7214_Status* Page() { return qobject_cast<CKX7214_Status*>(Main().Page()->ChildPage()); }
    QLineEdit* Field(int id) { return Page()->DlgItem<QLineEdit>(id); }
    QLineEdit* Name() { return Field(res::IDC_STATUS_NAME); }

    void TypeName(const QString& text) {
        QTest::mouseClick(Name(), Qt::LeftButton);
        Settle();
        ASSERT_TRUE(Name()->hasFocus());
        Name()->selectAll();
        QTest::keyClicks(Name(), text);
    }
    void PressEnter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }
    // The names the device was sent, as the text of each CMD_SET_DEVICE_NAME payload.
    std::vector<std::string> NamesSent() {
        std::vector<std::string> names;
        for (const Bytes& r : P().DeviceA().ReceivedRequests())
            if (r.size() > 17 && r[16] == CMD_SET_DEVICE_NAME)
                names.emplace_back(reinterpret_cast<const char*>(&r[17]));
        return names;
    }
};

TEST(StatusTexts, NameVersionAndOutputStatus) {
    EXPECT_EQ(ui::DisplayName(u"KX7214_NO.1"), "TRQ-9");
    EXPECT_EQ(ui::DisplayName(u"kx7214"), "TRQ-9");
    EXPECT_EQ(ui::DisplayName(u"Kx7214-A"), "Kx7214-A");
    EXPECT_EQ(ui::DisplayName(u"KX721"), "KX721");
    EXPECT_EQ(ui::DisplayName(u""), "");
    const std::uint8_t v1[2] = {12, 34};
    const std::uint8_t v2[2] = {255, 0};
    EXPECT_EQ(ui::VersionText(v1), "Ver 1.2.3.4");
    EXPECT_EQ(ui::VersionText(v2), "Ver 25.5.0.0");
    EXPECT_EQ(ui::OutputStatusText(0), "1080p60");
    EXPECT_EQ(ui::OutputStatusText(10), "720P25");
    EXPECT_EQ(ui::OutputStatusText(11), "NoSingal");
    EXPECT_EQ(ui::OutputStatusText(200), "NoSingal");
}

TEST_F(StatusPageTest, ShowsTheDeviceReadOnOpeningInItsColours) {
    EXPECT_EQ(Name()->text(), "TRQ-9");
    EXPECT_EQ(Main().m_device_name, u"KX7214-Studio-A") << "the display rule changes no state";
    EXPECT_EQ(Field(res::IDC_STATUS_VERSION)->text(), "Ver 1.2.3.4");
    EXPECT_EQ(Field(res::IDC_STATUS_OUTPUT)->text(), "1080p60");
    EXPECT_TRUE(Field(res::IDC_STATUS_VERSION)->isReadOnly());
    EXPECT_FALSE(Page()->GetDlgItem(res::IDC_STATUS_SAVE)->isVisible());
    EXPECT_EQ(Page()->GetDlgItem(res::IDC_STATUS_GROUP)->geometry(), QRect(10, 5, 620, 180));
    for (int id : {res::IDC_STATUS_NAME, res::IDC_STATUS_VERSION, res::IDC_STATUS_OUTPUT}) {
        EXPECT_EQ(Field(id)->palette().color(QPalette::Base), QColor(0x40, 0x40, 0x40));
        EXPECT_EQ(Field(id)->palette().color(QPalette::Text), QColor(0xC0, 0xC0, 0xC0));
    }
    EXPECT_TRUE(P().alerts.empty());
    // The preview was computed from the record: layout 0 shows four windows.
    EXPECT_EQ(Main().m_preview.m_my_window_data[3].iWindowNumber, 4);
}

TEST_F(StatusPageTest, DeviceNotUnderPcControlRaisesTheDipSwitchAlertAndStillOpens) {
    sim::DeviceConfig config = P().DeviceA().Config();
    config.control_mode = 9;
    P().DeviceA().SetConfig(config);
    P().ChooseDevice(0);
    ASSERT_EQ(P().alerts.size(), 1u);
    EXPECT_EQ(P().alerts[0].text, "Please set DIP switches to \"Controls-PC\".");
    EXPECT_EQ(P().alerts[0].caption, "Err");
    EXPECT_EQ(P().alerts[0].buttons, platform::AlertButtons::Ok);
    EXPECT_EQ(Name()->text(), "TRQ-9");
    P().DeviceA().SetConfig(ui::DemoStudioA().config);
    P().ChooseDevice(0);
}

TEST_F(StatusPageTest, EnterCommitsAndSendsTheChangedNameAndIsConsumed) {
    LogCapture log;
    TypeName("Studio-1");
    EXPECT_TRUE(log.Has("dev name focus on\n"));
    EXPECT_EQ(CKX7214_Status::m_name_edit_focus, 1);
    PressEnter();
    EXPECT_EQ(NamesSent(), std::vector<std::string>{"Studio-1"});
    EXPECT_EQ(Main().m_device_name, u"Studio-1");
    EXPECT_TRUE(log.Has("Studio-1 \n"));
    EXPECT_TRUE(Main().isVisible()) << "Enter never reaches the main window";
    EXPECT_TRUE(Name()->hasFocus());
}

// The field shows "TRQ-9" for a model-word name: committing it untouched must not rename
// the device.
TEST_F(StatusPageTest, CommittingTheUnchangedDisplayNameStoresAndSendsNothing) {
    LogCapture log;
    QTest::mouseClick(Name(), Qt::LeftButton);
    PressEnter();
    QTest::mouseClick(Page(), Qt::LeftButton, {}, QPoint(600, 150)); // page background
    Settle();
    EXPECT_EQ(log.Count("TRQ-9 \n"), 2) << "Enter and leaving the field both log";
    EXPECT_TRUE(NamesSent().empty());
    EXPECT_EQ(Main().m_device_name, u"KX7214-Studio-A");
}

TEST_F(StatusPageTest, LeavingTheFieldOrClickingTheBackgroundCommits) {
    TypeName("Cam-Left");
    QTest::mouseClick(Main().Page()->TabButton(1), Qt::LeftButton); // the selected tab
    Settle();
    EXPECT_EQ(NamesSent(), std::vector<std::string>{"Cam-Left"});

    TypeName("Cam-Right");
    LogCapture log;
    QTest::mouseClick(Page(), Qt::LeftButton, {}, QPoint(600, 150));
    Settle();
    EXPECT_EQ(CKX7214_Status::m_name_edit_focus, 0);
    EXPECT_FALSE(Name()->hasFocus());
    EXPECT_TRUE(log.Has("Cam-Right \n"));
    EXPECT_EQ(NamesSent(), (std::vector<std::string>{"Cam-Left", "Cam-Right"}));
}

TEST_F(StatusPageTest, ManualModeStoresTheNameButSendsNothing) {
    Main().m_all_kx7214_page_data.kx7214_auto_or_manual_status = 1;
    LogCapture log;
    TypeName("Offline");
    PressEnter();
    EXPECT_EQ(Main().m_device_name, u"Offline");
    EXPECT_TRUE(log.Has("Offline \n"));
    EXPECT_TRUE(NamesSent().empty());
}

TEST_F(StatusPageTest, HiddenSaveButtonCommitsWithoutALogLine) {
    Name()->setText("Saved");
    LogCapture log;
    Page()->DlgItem<ui::CButtonST>(res::IDC_STATUS_SAVE)->click();
    EXPECT_EQ(NamesSent(), std::vector<std::string>{"Saved"});
    EXPECT_FALSE(log.Has("Saved \n"));
}

TEST_F(StatusPageTest, EnterOutsideTheNameFieldDoesNothing) {
    LogCapture log;
    Field(res::IDC_STATUS_VERSION)->setFocus();
    PressEnter();
    EXPECT_TRUE(log.lines.empty()) << log.lines.front();
    EXPECT_TRUE(Main().isVisible());
    EXPECT_TRUE(NamesSent().empty());
}

TEST_F(StatusPageTest, TypingCannotLengthenANameBeyondSixteenButALongerOneStaysWhole) {
    const QString twenty = "ABCDEFGHIJKLMNOPQRST";
    Name()->setText(twenty);
    Name()->setFocus();
    Name()->end(false);
    QTest::keyClick(Name(), Qt::Key_X);
    EXPECT_EQ(Name()->text(), twenty);
    QTest::keyClick(Name(), Qt::Key_Backspace);
    EXPECT_EQ(Name()->text(), twenty.left(19));
    Name()->setText("short");
    Name()->end(false);
    QTest::keyClicks(Name(), "0123456789abcdef");
    EXPECT_EQ(Name()->text().size(), ui::kDeviceNameTypingLimit);
}

} // namespace
} // namespace kx::test
