// The Input page against a simulated multiviewer: the device's codes for each list, the
// refusal of a text colour equal to the background, and what greys out.
#include <QKeyEvent>

#include "tests/ui/journey_fixture.h"
#include "ui/input_page.h"

namespace kx::test::journey {
namespace {

constexpr int kTabInput = 5;
constexpr int kRed = 2, kWhite = 7, kHalfTrans = 15, kRight = 2;

using ui::InputColumn;

class InputPageTest : public JourneyTest {
protected:
    ui::CKX7214_Input* Open() {
        auto* page = OpenTab<ui::CKX7214_Input>(kTabInput);
        device_a->ClearFrames();
        return page;
    }
};

// Text colour 0xA0, background 0xA1, position 0xA2: the device's order for this label.
TEST_F(InputPageTest, EachListSendsTheDevicesCode) {
    ui::CKX7214_Input* page = Open();
    ASSERT_NE(page, nullptr);
    Choose(page->List(1, InputColumn::TextColor), kRed);
    Choose(page->List(1, InputColumn::Position), kRight);
    Choose(page->List(2, InputColumn::BackColor), 4);
    EXPECT_EQ(device_a->ReceivedRequests(),
              (std::vector<Bytes>{Request(1, 0xA0, {1, 2}), Request(1, 0xA2, {1, 2}),
                                  Request(1, 0xA1, {2, 4})}));
    EXPECT_EQ(page->List(1, InputColumn::TextColor)->currentText(), "Red");
    EXPECT_EQ(Record().kx7214_input_postion[1], kRight);
}

TEST_F(InputPageTest, AColourEqualToTheOtherSnapsBackAndSendsNothing) {
    Record().kx7214_input_text_color[0] = kWhite;
    Record().kx7214_input_back_color[0] = kHalfTrans;
    ui::CKX7214_Input* page = Open();
    const auto before = main->m_preview.m_my_input_data[0];
    ChooseInList(page->List(0, InputColumn::BackColor), kWhite);
    EXPECT_EQ(page->List(0, InputColumn::BackColor)->currentIndex(), kHalfTrans);
    ChooseInList(page->List(0, InputColumn::TextColor), kHalfTrans);
    EXPECT_EQ(page->List(0, InputColumn::TextColor)->currentIndex(), kWhite);
    EXPECT_TRUE(device_a->ReceivedRequests().empty());
    EXPECT_EQ(Record().kx7214_input_back_color[0], kHalfTrans);
    EXPECT_EQ(Record().kx7214_input_text_color[0], kWhite);
    EXPECT_EQ(main->m_preview.m_my_input_data[0].iInputBackRed, before.iInputBackRed);
}

// Status OFF greys out the line's three other lists; the enable list stays usable. In Manual
// Apply the record changes and nothing is sent. Escape stays on the page.
TEST_F(InputPageTest, StatusOffManualApplyAndEscape) {
    ui::CKX7214_Input* page = Open();
    PressEscape(page->List(1, InputColumn::Enable));
    EXPECT_TRUE(Logged("kx7214 input  esc  \n"));
    EXPECT_TRUE(page->isVisible());
    Choose(page->List(0, InputColumn::Enable), 0);
    for (InputColumn c : {InputColumn::Position, InputColumn::TextColor, InputColumn::BackColor})
        EXPECT_FALSE(page->List(0, c)->isEnabled());
    EXPECT_TRUE(page->List(0, InputColumn::Enable)->isEnabled());
    EXPECT_EQ(main->m_preview.m_my_input_data[0].iInputEnable, 0);
    EXPECT_EQ(device_a->ReceivedRequests(), (std::vector<Bytes>{Request(1, 0x9F, {0, 0})}));

    SetManual(true);
    device_a->ClearFrames();
    Choose(page->List(0, InputColumn::Enable), 1);
    Choose(page->List(3, InputColumn::Position), 1);
    EXPECT_TRUE(device_a->ReceivedRequests().empty());
    EXPECT_EQ(Record().kx7214_input_enable[0], 1);
    EXPECT_EQ(Record().kx7214_input_postion[3], 1);
    EXPECT_TRUE(page->List(0, InputColumn::Position)->isEnabled());
}

} // namespace
} // namespace kx::test::journey
