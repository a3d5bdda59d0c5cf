// The Audio page against a simulated multiviewer: what reaches the device for each list, the
// side of the meter as the device takes it, and what the page leaves alone.
#include <QKeyEvent>

#include "link/config_layout.h"
#include "tests/ui/journey_fixture.h"
#include "ui/audio_page.h"
#include "ui/setting_page.h"

namespace kx::test::journey {
namespace {

constexpr int kTabAudio = 4;
constexpr int kTabSetting = 6;
constexpr int kSettingApply = 1114;

using ui::AudioColumn;

class AudioPageTest : public JourneyTest {
protected:
    ui::CKX7214_Audio* Open() {
        auto* page = OpenTab<ui::CKX7214_Audio>(kTabAudio);
        device_a->ClearFrames();
        return page;
    }
};

// The device reports Right as 2; the page shows it as its second entry and keeps 1 while it is
// open; Apply sends 2 again and leaves 2 in the record. Choosing sends 2 or 0, never 1.
TEST_F(AudioPageTest, RightTravelsAsTwoAndShowsAsTheSecondEntry) {
    sim::DeviceConfig config = device_a->Config();
    config.At(block::AudioAt(3) + block::kAudioPosition) = 2;
    device_a->SetConfig(config);
    OpenDevice(device_a); // the Status page reads the device again

    ui::CKX7214_Audio* page = Open();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->List(3, AudioColumn::Position)->currentText(), "Right");
    EXPECT_EQ(Record().kx7214_audio_postion[3], 1);
    EXPECT_TRUE(device_a->ReceivedRequests().empty());

    SetManual(true);
    auto* setting = OpenTab<ui::CKX7214_Setting>(kTabSetting);
    device_a->ClearFrames();
    QTest::mouseClick(setting->GetDlgItem(kSettingApply), Qt::LeftButton);
    const auto sent = device_a->ReceivedRequests();
    ASSERT_EQ(sent.size(), 1u);
    ASSERT_EQ(sent[0].size(), 255u);
    EXPECT_EQ(sent[0][frame::kOffPayload + block::AudioAt(3) + block::kAudioPosition], 2);
    EXPECT_EQ(Record().kx7214_audio_postion[3], 2);

    SetManual(false);
    page = Open();
    Choose(page->List(3, AudioColumn::Position), 0);
    Choose(page->List(3, AudioColumn::Position), 1);
    EXPECT_EQ(device_a->ReceivedRequests(),
              (std::vector<Bytes>{Request(1, 0x9B, {3, 0}), Request(1, 0x9B, {3, 2})}));
    EXPECT_EQ(Record().kx7214_audio_postion[3], 2);
    EXPECT_TRUE(Logged("postion is 0\n"));
    EXPECT_TRUE(Logged("postion is 2\n"));
    EXPECT_EQ(device_a->Config().At(block::AudioAt(3) + block::kAudioPosition), 2);
}

TEST_F(AudioPageTest, EachListSendsItsLineAndValueInAutoApply) {
    ui::CKX7214_Audio* page = Open();
    Choose(page->List(1, AudioColumn::Channel), 7);
    EXPECT_EQ(page->List(1, AudioColumn::Channel)->currentText(), "CH15-16");
    Choose(page->List(2, AudioColumn::Position), 1);
    // Line 3's side is not line 4's, so no line of its own is written.
    EXPECT_FALSE(Logged("postion is 2\n"));
    EXPECT_EQ(device_a->ReceivedRequests(),
              (std::vector<Bytes>{Request(1, 0x9E, {1, 7}), Request(1, 0x9B, {2, 2})}));
    EXPECT_EQ(Record().kx7214_audio_in_ch[1], 7);
}

// Switching a meter off greys out its lists without changing them and sends only the enable;
// in Manual Apply the record and the preview follow and nothing is sent.
TEST_F(AudioPageTest, MeterOffAndManualApply) {
    Record().kx7214_audio_in_ch[0] = 3;
    ui::CKX7214_Audio* page = Open();
    Choose(page->List(0, AudioColumn::Enable), 0);
    EXPECT_FALSE(page->List(0, AudioColumn::Position)->isEnabled());
    EXPECT_FALSE(page->List(0, AudioColumn::Channel)->isEnabled());
    EXPECT_TRUE(page->List(1, AudioColumn::Channel)->isEnabled());
    EXPECT_EQ(page->List(0, AudioColumn::Channel)->currentIndex(), 3);
    EXPECT_EQ(device_a->ReceivedRequests(), (std::vector<Bytes>{Request(1, 0x9A, {0, 0})}));
    EXPECT_EQ(main->m_preview.m_my_audio_data[0].iAudioEnable, 0);

    SetManual(true);
    device_a->ClearFrames();
    Choose(page->List(0, AudioColumn::Enable), 1);
    Choose(page->List(0, AudioColumn::Position), 1);
    EXPECT_TRUE(device_a->ReceivedRequests().empty());
    EXPECT_EQ(Record().kx7214_audio_enable[0], 1);
    EXPECT_EQ(Record().kx7214_audio_postion[0], 2);
    EXPECT_EQ(main->m_preview.m_my_audio_data[0].iAudioEnable, 1);
}

// Values no list holds leave the list without a selection; the transparency and combination
// lists stay hidden; Escape stays on the page.
TEST_F(AudioPageTest, OutOfRangeHiddenListsAndEscape) {
    Record().kx7214_audio_in_ch[2] = 8;
    Record().kx7214_audio_transparency[2] = 2;
    ui::CKX7214_Audio* page = Open();
    EXPECT_EQ(page->List(2, AudioColumn::Channel)->currentIndex(), -1);
    EXPECT_FALSE(page->List(2, AudioColumn::Transparency)->isVisible());
    EXPECT_FALSE(page->List(2, AudioColumn::Combination)->isVisible());
    EXPECT_EQ(page->List(2, AudioColumn::Transparency)->currentText(), "100%");

    PressEscape(page->List(0, AudioColumn::Enable));
    EXPECT_TRUE(Logged("kx7214 audio  esc  \n"));
    EXPECT_TRUE(page->isVisible());
    EXPECT_TRUE(device_a->ReceivedRequests().empty());
}

} // namespace
} // namespace kx::test::journey
