// Every page that sends, against a device that never answers and one that refuses: the record
// and the preview keep the operator's choice, the panel waits no longer than the exchange's
// deadline (a refusal ends the wait at once) and goes on working.
#include <QElapsedTimer>
#include <QLineEdit>
#include <functional>

#include "tests/ui/device_page_test.h"
#include "ui/ip_address_ctrl.h"

namespace kx::test {
namespace {

constexpr int kTabStatus = 1, kTabScale = 2, kTabOverlay = 3, kTabAudio = 4, kTabInput = 5,
              kTabSetting = 6;
// The deadlines of the exchanges: one value, read-all and network; line and value, texts and
// the whole configuration.
constexpr qint64 kLongDeadlineMs = 1000, kShortDeadlineMs = 500;
// What the panel may take beyond the deadline for its own work on a loaded machine.
constexpr qint64 kSlackMs = 750;
const QColor kWindowInside{0x37, 0x37, 0x37};

enum class Answer { Silent, Refusing };

class UnansweredTest : public DevicePageTest, public ::testing::WithParamInterface<Answer> {
protected:
    void SetUp() override {
        DevicePageTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        if (GetParam() == Answer::Silent)
            P().DeviceA().silent = true;
        else
            P().DeviceA().status = 1;
    }
    void TearDown() override {
        P().DeviceA().silent = false;
        P().DeviceA().status = 0;
        DevicePageTest::TearDown();
    }

    ui::CDialog* Page() { return Main().Page()->ChildPage(); }
    QComboBox* List(int id) { return Page()->DlgItem<QComboBox>(id); }
    // Puts the focus in the field and gives it the text. A list that was open may still hold
    // the activation on this platform until the main window asks for it back.
    void Fill(QLineEdit* field, const char* text) {
        Main().activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &Main(); }));
        field->setFocus();
        ASSERT_TRUE(field->hasFocus());
        field->setText(QString::fromLatin1(text));
    }
    QImage Preview() { return Main().Page()->grab(Main().Page()->PreviewRect()).toImage(); }
    // The preview shows the label rectangle filled with the colour the record gives it.
    static QColor Centre(const QImage& image, int left, int top, int width, int height) {
        return image.pixelColor(left + width / 2, top + height / 2);
    }

    // Runs the operator's action, which sends one request with that deadline, and checks how
    // the exchange ended and that the panel did not wait past the deadline.
    void Sends(qint64 deadline_ms, const std::function<void()>& action) {
        const int timeouts = log.Count("wait time over \n");
        const int refusals = log.Count("send error \n");
        P().DeviceA().ClearFrames();
        QElapsedTimer timer;
        timer.start();
        action();
        const qint64 took = timer.elapsed();
        EXPECT_EQ(Received().size(), 1u);
        EXPECT_LE(took, deadline_ms + kSlackMs);
        if (GetParam() == Answer::Silent) {
            EXPECT_EQ(log.Count("wait time over \n"), timeouts + 1);
        } else {
            EXPECT_EQ(log.Count("send error \n"), refusals + 1);
            EXPECT_LT(took, deadline_ms) << "a refusal ends the wait";
        }
    }
};

TEST_P(UnansweredTest, ScaleKeepsTheLayoutInTheRecordAndThePreview) {
    Record().kx7214_output_layout = 0;
    ClickTab(kTabScale);
    Sends(kLongDeadlineMs, [&] {
        QTest::mouseClick(Page()->GetDlgItem(1079 + 12), Qt::LeftButton);
        Settle();
    });
    EXPECT_EQ(Record().kx7214_output_layout, 12);
    EXPECT_EQ(Main().m_preview.m_my_window_data[3].iWindowWidth, 540);
    EXPECT_EQ(Main().m_preview.m_my_window_data[0].iWindowWidth, 0);
    // Where layout 0 has the frame between inputs 2 and 4, input 4 now fills the picture.
    EXPECT_EQ(Preview().pixelColor(400, 151), kWindowInside);
    EXPECT_EQ(P().DeviceA().Config().At(block::kOutputLayout), 0) << "the device kept its own";
}

TEST_P(UnansweredTest, OverlayKeepsTheColourAndTheText) {
    Record().kx7214_umd_enable[0] = 1;
    Record().kx7214_umd_text_color[0] = 7;
    Record().kx7214_umd_back_color[0] = 1;
    ClickTab(kTabOverlay);
    Sends(kShortDeadlineMs, [&] { Pick(List(1050), 4); }); // background Green
    EXPECT_EQ(Record().kx7214_umd_back_color[0], 4);
    const UmdData& umd = Main().m_preview.m_my_umd_data[0];
    EXPECT_EQ(QColor(umd.iUmdBackRed, umd.iUmdBackGreen, umd.iUmdBackBlue), QColor(0, 255, 0));
    EXPECT_EQ(Centre(Preview(), umd.iUmdLeft, umd.iUmdTop, umd.iUmdWidth, umd.iUmdHeight),
              QColor(0, 255, 0));

    auto* content = Page()->DlgItem<QLineEdit>(1016);
    Fill(content, "Unheard");
    Sends(kShortDeadlineMs, [&] { QTest::keyClick(content, Qt::Key_Return); });
    EXPECT_EQ(Main().m_umd_text[0], u"Unheard");
    EXPECT_EQ(content->text(), "Unheard");
}

TEST_P(UnansweredTest, AudioAndInputKeepTheirChoices) {
    Record().kx7214_audio_enable[0] = 1;
    Record().kx7214_audio_postion[0] = 0;
    Record().kx7214_input_enable[1] = 1;
    Record().kx7214_input_text_color[1] = 0;
    Record().kx7214_input_back_color[1] = 4;
    Main().UpdatePreviewGeometry();
    const AudioData before = Main().m_preview.m_my_audio_data[0];
    ClickTab(kTabAudio);
    Sends(kShortDeadlineMs, [&] { Pick(List(1054), 1); }); // line 1 on the right
    EXPECT_EQ(Record().kx7214_audio_postion[0], 2);
    EXPECT_GT(Main().m_preview.m_my_audio_data[0].iAudioLeft, before.iAudioLeft);
    EXPECT_EQ(List(1054)->currentText(), "Right");

    ClickTab(kTabInput);
    Sends(kShortDeadlineMs, [&] { Pick(List(1023), 2); }); // line 2 background Red
    EXPECT_EQ(Record().kx7214_input_back_color[1], 2);
    const InputData& input = Main().m_preview.m_my_input_data[1];
    EXPECT_EQ(
        Centre(Preview(), input.iInputLeft, input.iInputTop, input.iInputWidth, input.iInputHeight),
        QColor(input.iInputBackRed, input.iInputBackGreen, input.iInputBackBlue));
    EXPECT_EQ(input.iInputBackRed, 255);
    EXPECT_EQ(List(1023)->currentText(), "Red");
}

TEST_P(UnansweredTest, StatusKeepsTheNewName) {
    auto* name = Page()->DlgItem<QLineEdit>(1009);
    Fill(name, "Nobody Home");
    Sends(kShortDeadlineMs, [&] { QTest::keyClick(name, Qt::Key_Return); });
    EXPECT_EQ(Main().m_device_name, u"Nobody Home");
    EXPECT_EQ(name->text(), "Nobody Home");
}

// Apply, Load Defaults and the network write reach the device whatever the mode; unanswered,
// the record keeps what was applied and the panel keeps the address of the last search.
TEST_P(UnansweredTest, SettingKeepsWhatWasApplied) {
    Record().kx7214_auto_or_manual_status = 1;
    Record().kx7214_output_layout = 9;
    ClickTab(kTabSetting);
    Sends(kShortDeadlineMs, [&] { QTest::mouseClick(Page()->GetDlgItem(1114), Qt::LeftButton); });
    EXPECT_EQ(Record().kx7214_output_layout, 9);
    EXPECT_EQ(Main().m_preview.m_my_window_data[0].iWindowWidth, 540); // layout 9: input 1 full

    Sends(kShortDeadlineMs, [&] { QTest::mouseClick(Page()->GetDlgItem(1010), Qt::LeftButton); });
    EXPECT_EQ(Record().kx7214_output_layout, 0);
    EXPECT_EQ(Record().kx7214_auto_or_manual_status, 0);
    EXPECT_EQ(Main().m_preview.m_my_window_data[3].iWindowWidth, 270);

    auto* address = Page()->DlgItem<ui::CIPAddressCtrl>(1035);
    address->SetText(QStringLiteral("127.0.0.7"));
    Sends(kLongDeadlineMs, [&] { QTest::mouseClick(Page()->GetDlgItem(1038), Qt::LeftButton); });
    EXPECT_EQ(Main().m_net_config[3], 7);
    EXPECT_STREQ(Main().SelectedDevice()->ip_text, "127.0.0.2");
    EXPECT_EQ(P().DeviceA().Ip(), 0x7F000002u) << "the device did not move";
}

INSTANTIATE_TEST_SUITE_P(Device, UnansweredTest,
                         ::testing::Values(Answer::Silent, Answer::Refusing),
                         [](const auto& param_info) {
                             return param_info.param == Answer::Silent ? "Silent" : "Refusing";
                         });

// Opening the Status page reads the whole configuration; unanswered, the page shows what the
// panel held before, after no more than the read's deadline.
class SilentReadTest : public DevicePageTest {};

TEST_F(SilentReadTest, StatusOpensWithWhatThePanelHeld) {
    ClickTab(kTabScale);
    Main().m_device_name = u"Held Name";
    P().DeviceA().silent = true;
    QElapsedTimer timer;
    timer.start();
    ClickTab(kTabStatus);
    const qint64 took = timer.elapsed();
    P().DeviceA().silent = false;
    EXPECT_LE(took, kLongDeadlineMs + kSlackMs);
    EXPECT_TRUE(log.Has("wait time over \n"));
    EXPECT_EQ(Main().Page()->ChildPage()->DlgItem<QLineEdit>(1009)->text(), "Held Name");
    EXPECT_EQ(CountCommand(Received(), CMD_READ_ALL), 1);
}

} // namespace
} // namespace kx::test
