// The Setting page and the operator's journeys through the whole panel against simulated
// multiviewers, every frame checked as the device received it.
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <fstream>

#include "link/config_layout.h"
#include "tests/ui/journey_fixture.h"
#include "ui/audio_page.h"
#include "ui/input_page.h"
#include "ui/ip_address_ctrl.h"
#include "ui/overlay_page.h"
#include "ui/scale_page.h"
#include "ui/setting_page.h"

namespace kx::test::journey {
namespace {

constexpr int kTabScale = 2, kTabOverlay = 3, kTabAudio = 4, kTabInput = 5, kTabSetting = 6;
constexpr int kMode = 1014, kApply = 1114, kSaveFile = 1006, kCustom1 = 1007, kLoadFile = 1008,
              kCustom2 = 1009, kDefaults = 1010, kFirmware = 1011, kIp = 1035, kMask = 1036,
              kGateway = 1037, kNetApply = 1038;
constexpr int kFirstLayoutButton = 1079, kOverlayPositionLine1 = 1042;

class SettingPageTest : public JourneyTest {
protected:
    ui::CKX7214_Setting* Open() {
        page = OpenTab<ui::CKX7214_Setting>(kTabSetting);
        device_a->ClearFrames();
        return page;
    }
    void Click(int id) { QTest::mouseClick(page->GetDlgItem(id), Qt::LeftButton); }
    QComboBox* ModeList() const { return page->DlgItem<QComboBox>(kMode); }
    void Type(int id, const QString& address) {
        ui::CIPAddressCtrl* ctrl = page->AddressCtrl(id);
        const QStringList parts = address.split('.');
        for (int i = 0; i < 4; ++i) {
            ctrl->Field(i)->clear();
            QTest::keyClicks(ctrl->Field(i), parts.value(i));
        }
    }
    // The simulated device takes its new address on its own thread as its acknowledgement
    // leaves, so the panel may see the acknowledgement a moment before the move.
    bool MovesTo(std::uint32_t ip) {
        return QTest::qWaitFor([&] { return device_a->Ip() == ip; }, 2000);
    }
    // The block of a set-all request, as the device received it.
    static Bytes Block(const Bytes& request) {
        return {request.begin() + frame::kOffPayload,
                request.begin() + static_cast<std::ptrdiff_t>(frame::kOffPayload + block::kSize)};
    }

    ui::CKX7214_Setting* page = nullptr;
};

// Layout 12 on the Scale page in Auto Apply: one 21-byte frame, and the preview shows input 4
// full size.
TEST_F(SettingPageTest, TypicalRoadLayoutTwelve) {
    OpenTab<ui::CKX7214_Scale>(kTabScale);
    device_a->ClearFrames();
    QTest::mouseClick(main->Page()->ChildPage()->GetDlgItem(kFirstLayoutButton + 12),
                      Qt::LeftButton);
    const Bytes expected = {0xA5, 0x6C, 0x15, 0x00, 0xA3, 0x01, 0x01, 0,    0,    0,   0,
                            0,    0,    0,    0,    0,    0x94, 0x0C, 0x6B, 0x02, 0xAE};
    EXPECT_EQ(device_a->ReceivedRequests(), std::vector<Bytes>{expected});
    EXPECT_EQ(Record().kx7214_output_layout, 12);
    const auto& w = main->m_preview.m_my_window_data[3];
    EXPECT_EQ(w.iWindowWidth, 540);
    EXPECT_EQ(w.iWindowHeight, 300);
}

// The mode list: Manual shows Apply and sends nothing; changes on four pages wait; Apply sends
// them all in one block.
TEST_F(SettingPageTest, ManualApplySendsEveryChangeInOneBlock) {
    Open();
    EXPECT_FALSE(page->GetDlgItem(kApply)->isVisible());
    Choose(ModeList(), 1);
    EXPECT_TRUE(page->GetDlgItem(kApply)->isVisible());
    EXPECT_TRUE(Logged("m_p_glo_main_dlg->m_all_kx7214_page_data.kx7214_auto_or_manual_status "
                       "= 1 \n "));

    OpenTab<ui::CKX7214_Scale>(kTabScale);
    QTest::mouseClick(main->Page()->ChildPage()->GetDlgItem(kFirstLayoutButton + 5),
                      Qt::LeftButton);
    OpenTab<ui::CKX7214_Overlay>(kTabOverlay);
    // From Middle to Left with the arrow key.
    auto* umd_position = main->Page()->ChildPage()->DlgItem<QComboBox>(kOverlayPositionLine1);
    umd_position->setFocus();
    QTest::keyClick(umd_position, Qt::Key_Up);
    ASSERT_EQ(umd_position->currentIndex(), 0);
    auto* audio = OpenTab<ui::CKX7214_Audio>(kTabAudio);
    Choose(audio->List(1, ui::AudioColumn::Channel), 5);
    auto* input = OpenTab<ui::CKX7214_Input>(kTabInput);
    Choose(input->List(2, ui::InputColumn::Position), 2);
    EXPECT_TRUE(device_a->ReceivedRequests().empty());

    Open();
    EXPECT_EQ(ModeList()->currentText(), "Manual Apply");
    Click(kApply);
    const auto sent = device_a->ReceivedRequests();
    ASSERT_EQ(sent.size(), 1u);
    ASSERT_EQ(sent[0].size(), 255u);
    EXPECT_EQ(sent[0][frame::kOffCommand], 0xA5);
    const Bytes b = Block(sent[0]);
    EXPECT_EQ(b[block::kOutputLayout], 5);
    EXPECT_EQ(b[block::UmdAt(0) + block::kUmdPosition], 0);
    EXPECT_EQ(b[block::AudioAt(1) + block::kAudioChannel], 5);
    EXPECT_EQ(b[block::InputAt(2) + block::kInputPosition], 2);
    EXPECT_EQ(sent[0], Request(1, 0xA5, b)); // length, sum and trailer
    EXPECT_EQ(device_a->Config().At(block::AudioAt(1) + block::kAudioChannel), 5);
    EXPECT_EQ(device_a->Config().At(block::kOutputLayout), 5);

    // Back to Auto Apply: nothing is sent by the switch itself.
    device_a->ClearFrames();
    Choose(ModeList(), 0);
    EXPECT_FALSE(page->GetDlgItem(kApply)->isVisible());
    EXPECT_TRUE(device_a->ReceivedRequests().empty());
}

// Saved on device A, loaded for device B: B then holds A's saved fields.
TEST_F(SettingPageTest, SaveOnOneDeviceLoadOnAnother) {
    sim::DeviceConfig a = device_a->Config();
    a.At(block::kOutputLayout) = 9;
    a.At(block::kBorderColor) = 2;
    a.At(block::UmdAt(2) + block::kUmdTextColor) = 4;
    a.SetUmdText(2, u"Camera 3");
    a.At(block::AudioAt(3) + block::kAudioChannel) = 6;
    a.At(block::AudioAt(3) + block::kAudioPosition) = 2;
    a.At(block::InputAt(1) + block::kInputBackColor) = 11;
    device_a->SetConfig(a);
    OpenDevice(device_a);
    Open();
    Click(kSaveFile);
    EXPECT_TRUE(Alerts().empty());
    EXPECT_TRUE(std::filesystem::exists(work_dir / "userSettings_kx7214.ini"));
    EXPECT_TRUE(device_a->ReceivedRequests().empty());

    OpenDevice(device_b);
    Open();
    device_b->ClearFrames();
    Click(kLoadFile);
    ASSERT_EQ(device_b->ReceivedRequests().size(), 1u);
    const sim::DeviceConfig b = device_b->Config();
    for (std::size_t at :
         {block::kOutputFormat, block::kBorderColor, block::kOutputLayout, block::kBorderEnable})
        EXPECT_EQ(b.At(at), a.At(at)) << at;
    for (int line = 0; line < kLineCount; ++line) {
        for (std::size_t k = 0; k < 4; ++k)
            EXPECT_EQ(b.At(block::UmdAt(line) + k), a.At(block::UmdAt(line) + k));
        EXPECT_EQ(b.UmdText(line), a.UmdText(line));
        for (std::size_t k = 0; k < 3; ++k)
            EXPECT_EQ(b.At(block::AudioAt(line) + k), a.At(block::AudioAt(line) + k));
        for (std::size_t k = 0; k < 4; ++k)
            EXPECT_EQ(b.At(block::InputAt(line) + k), a.At(block::InputAt(line) + k));
    }
    // The name is B's own: it is not part of the file.
    EXPECT_EQ(b.Name(), "Edit-Bay");
}

// Without a readable file nothing changes and nothing is sent; the operator learns which file
// was looked for. A file that cannot be written says why.
TEST_F(SettingPageTest, LoadWithoutFileAndSaveThatCannotWrite) {
    Open();
    const kx7214_page_data before = Record();
    const auto texts = main->m_umd_text;
    Click(kLoadFile);
    EXPECT_TRUE(device_a->ReceivedRequests().empty());
    EXPECT_EQ(std::memcmp(&before, &Record(), sizeof before), 0);
    EXPECT_EQ(main->m_umd_text, texts);
    ASSERT_EQ(Alerts().size(), 1u);
    const std::string path = (work_dir / "userSettings_kx7214.ini").string();
    EXPECT_NE(Alerts()[0].text.find(path), std::string::npos) << Alerts()[0].text;

    std::filesystem::create_directory(work_dir / "userSettings_kx7214.ini");
    Click(kSaveFile);
    ASSERT_EQ(Alerts().size(), 2u);
    EXPECT_NE(Alerts()[1].text.find(path), std::string::npos) << Alerts()[1].text;
    EXPECT_GT(Alerts()[1].text.size(), path.size() + 40);
    EXPECT_TRUE(device_a->ReceivedRequests().empty());
}

// A file that lacks keys still loads them as 0 and empty texts, and is sent.
TEST_F(SettingPageTest, LoadOfAFileWithMissingKeys) {
    std::ofstream("userSettings_kx7214.ini") << "[Page_Scale]\nOutput_Layouts=7\n";
    Record().kx7214_audio_transparency[1] = 2;
    Open();
    Click(kLoadFile);
    EXPECT_TRUE(Alerts().empty());
    ASSERT_EQ(device_a->ReceivedRequests().size(), 1u);
    const Bytes b = Block(device_a->ReceivedRequests()[0]);
    EXPECT_EQ(b[block::kOutputLayout], 7);
    EXPECT_EQ(b[block::UmdAt(0) + block::kUmdEnable], 0);
    EXPECT_EQ(main->m_umd_text[0], u"");
    EXPECT_EQ(Record().kx7214_audio_transparency[1], 2);
}

// Defaults from Manual Apply: back to Auto Apply with Apply hidden, the block sent, the audio
// transparency kept in the record but not in the block.
TEST_F(SettingPageTest, LoadDefaultsReturnsToAutoApply) {
    SetManual(true);
    Record().kx7214_audio_transparency[0] = 2;
    Open();
    EXPECT_TRUE(page->GetDlgItem(kApply)->isVisible());
    Click(kDefaults);
    EXPECT_EQ(ModeList()->currentText(), "Auto Apply");
    EXPECT_FALSE(page->GetDlgItem(kApply)->isVisible());
    EXPECT_EQ(Record().kx7214_auto_or_manual_status, 0);
    EXPECT_EQ(Record().kx7214_audio_transparency[0], 2);
    const auto sent = device_a->ReceivedRequests();
    ASSERT_EQ(sent.size(), 1u);
    const Bytes b = Block(sent[0]);
    EXPECT_EQ(b[block::AudioAt(0) + block::kAudioTransparency], 0);
    EXPECT_EQ(b[block::UmdAt(1) + block::kUmdTextColor], 7);
    EXPECT_EQ(b[block::UmdAt(1) + block::kUmdBackColor], 15);
    EXPECT_EQ(b[block::UmdAt(1) + block::kUmdTextLength], 10);
    EXPECT_EQ(b[block::InputAt(3) + block::kInputEnable], 1);
}

TEST_F(SettingPageTest, CustomSlotsInEitherModeAndFirmwareDoesNothing) {
    Open();
    Click(kCustom1);
    SetManual(true);
    Click(kCustom2);
    page->DlgItem<QPushButton>(kFirmware)->click();
    EXPECT_FALSE(page->GetDlgItem(kFirmware)->isVisible());
    EXPECT_EQ(device_a->ReceivedRequests(),
              (std::vector<Bytes>{Request(1, 0xA3, {1}), Request(1, 0xA3, {2})}));
}

// The addresses come from the scan; an all-zero field refuses; Apply moves the device while
// the panel keeps the address of the last scan.
TEST_F(SettingPageTest, NetworkApply) {
    Open();
    EXPECT_EQ(page->AddressCtrl(kIp)->Text(), "127.0.0.2");
    EXPECT_EQ(page->AddressCtrl(kMask)->Text(), "255.255.255.0");
    EXPECT_EQ(page->AddressCtrl(kGateway)->Text(), "127.0.0.1");

    Type(kMask, "0.0.0.0");
    Click(kNetApply);
    Type(kMask, "...");
    Click(kNetApply);
    EXPECT_TRUE(device_a->ReceivedRequests().empty());

    Type(kIp, "127.0.0.9");
    Type(kMask, "255.255.0.0");
    Type(kGateway, "127.0.0.300"); // brought down to 255 as it is typed
    Click(kNetApply);
    EXPECT_EQ(
        device_a->ReceivedRequests(),
        (std::vector<Bytes>{Request(1, 0xA6, {127, 0, 0, 9, 255, 255, 0, 0, 127, 0, 0, 255})}));
    EXPECT_TRUE(MovesTo(LoopbackIp(9)));
    device_entry& entry = main->m_device_list[static_cast<std::size_t>(main->m_device_index)];
    EXPECT_STREQ(entry.ip_text, "127.0.0.2");

    // Move the shared device back for the tests that follow.
    std::memcpy(entry.ip_text, "127.0.0.9", 10);
    main->m_net_config = {127, 0, 0, 2, 255, 255, 255, 0, 127, 0, 0, 1};
    main->SendNetworkConfig();
    std::memcpy(entry.ip_text, "127.0.0.2", 10);
    EXPECT_TRUE(MovesTo(LoopbackIp(2)));
}

TEST_F(SettingPageTest, EscapeStaysOnThePage) {
    Open();
    PressEscape(ModeList());
    EXPECT_TRUE(Logged("kx7214 setting  esc  \n"));
    EXPECT_TRUE(page->isVisible());
    EXPECT_EQ(ui::GatewayFor("192.168.10.77"), "192.168.10.1");
}

} // namespace
} // namespace kx::test::journey
