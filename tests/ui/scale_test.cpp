// The Scale page against a simulated multiviewer: what the device receives for each control,
// the layout buttons' marking, the border colour list's state and the preview.
#include <QKeyEvent>
#include <cstdlib>

#include "tests/ui/device_page_test.h"
#include "ui/button_st.h"
#include "ui/scale_page.h"

namespace kx::test {
namespace {

constexpr int kTabScale = 2;
constexpr int kFormatList = 1011;
constexpr int kLayoutList = 1012;
constexpr int kBorderColorList = 1013;
constexpr int kBorderEnableList = 1014;
constexpr int kFirstLayoutButton = 1079;

const QColor kSelectedBlue{0x12, 0x84, 0xCA};
const QColor kWindowInside{0x37, 0x37, 0x37};

// Saves a picture of the whole panel when KX_PAGE_SHOTS names a folder.
void SaveShot(QWidget* window, const char* name) {
    if (const char* dir = std::getenv("KX_PAGE_SHOTS"))
        window->grab().save(QString::fromLocal8Bit(dir) + "/" + name);
}

bool HasColour(const QImage& image, const QColor& colour) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

class ScalePageTest : public DevicePageTest {
protected:
    ui::CKX7214_Scale* Open() {
        m_page = OpenTab<ui::CKX7214_Scale>(kTabScale);
        P().DeviceA().ClearFrames();
        return m_page;
    }
    QImage Preview() { return Main().Page()->grab(Main().Page()->PreviewRect()).toImage(); }
    QComboBox* Combo(int id) const { return m_page->DlgItem<QComboBox>(id); }
    ui::CButtonST* LayoutButton(int k) const {
        return m_page->DlgItem<ui::CButtonST>(kFirstLayoutButton + k);
    }
    void ClickLayout(int k) {
        QTest::mouseClick(LayoutButton(k), Qt::LeftButton);
        QApplication::processEvents();
    }
    // The layouts whose buttons show the selected (blue) picture.
    std::vector<int> MarkedLayouts() const {
        std::vector<int> marked;
        for (int k = 0; k < kLayoutCount; ++k)
            if (HasColour(LayoutButton(k)->Bitmap().toImage(), kSelectedBlue))
                marked.push_back(k);
        return marked;
    }

    ui::CKX7214_Scale* m_page = nullptr;
};

TEST_F(ScalePageTest, OpensWithTheRecordsValuesAndPlacesTheLayoutButtons) {
    Record().kx7214_output_format = 8;
    Record().kx7214_border_enable = 1;
    Record().kx7214_border_color = 2;
    Record().kx7214_output_layout = 5;
    Open();
    EXPECT_EQ(Combo(kFormatList)->count(), 11);
    EXPECT_EQ(Combo(kFormatList)->currentText(), "720p50");
    EXPECT_EQ(Combo(kFormatList)->itemText(10), "720p25");
    EXPECT_EQ(Combo(kBorderEnableList)->currentText(), "Border ON");
    EXPECT_EQ(Combo(kBorderColorList)->currentText(), "Green");
    EXPECT_TRUE(Combo(kBorderColorList)->isEnabled());
    EXPECT_FALSE(Combo(kLayoutList)->isVisible());
    EXPECT_EQ(Combo(kLayoutList)->count(), 16);
    EXPECT_EQ(Combo(kLayoutList)->currentText(), QString::fromUtf8("三画面(一大二小)"));
    EXPECT_EQ(LayoutButton(0)->geometry(), QRect(40, 80, 48, 36));
    EXPECT_EQ(LayoutButton(7)->geometry(), QRect(530, 80, 48, 36));
    EXPECT_EQ(LayoutButton(12)->geometry(), QRect(320, 130, 48, 36));
    EXPECT_EQ(MarkedLayouts(), std::vector<int>{5});
    EXPECT_EQ(m_page->CurrentLayout(), 5);
    SaveShot(&Main(), "scale-page.png");
    // Marking the record's layout while opening neither sends nor changes anything.
    EXPECT_TRUE(Received().empty());
}

TEST_F(ScalePageTest, ALayoutClickSendsTheLayoutAndThePreviewFollows) {
    Record().kx7214_output_layout = 0;
    Record().kx7214_border_enable = 1;
    Record().kx7214_border_color = 1;
    Open();
    ClickLayout(12);
    EXPECT_EQ(Record().kx7214_output_layout, 12);
    ASSERT_EQ(Received().size(), 1u);
    EXPECT_EQ(Received()[0], Request(0x94, {12}));
    EXPECT_EQ(MarkedLayouts(), std::vector<int>{12});
    const auto& windows = Main().m_preview.m_my_window_data;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(windows[i].iWindowWidth, 0) << "window " << i + 1;
    EXPECT_EQ(windows[3].iWindowWidth, 540);
    EXPECT_EQ(windows[3].iWindowNumber, 4);
    const QImage preview = Preview();
    EXPECT_EQ(preview.pixelColor(0, 0), QColor(0xFF, 0, 0)); // red frame round window 4
    EXPECT_EQ(preview.pixelColor(100, 40), kWindowInside);
    EXPECT_EQ(preview.pixelColor(400, 260), kWindowInside); // no window edges left inside

    // The layout already selected: nothing happens.
    ClickLayout(12);
    EXPECT_EQ(Received().size(), 1u);
    ClickLayout(3);
    ASSERT_EQ(Received().size(), 2u);
    EXPECT_EQ(Received()[1], Request(0x94, {3}));
    EXPECT_EQ(MarkedLayouts(), std::vector<int>{3});
}

TEST_F(ScalePageTest, BorderOffDisablesTheColourListAndBlackensTheFrames) {
    Record().kx7214_output_layout = 0;
    Record().kx7214_border_enable = 1;
    Record().kx7214_border_color = 3;
    Main().UpdatePreviewGeometry();
    Open();
    EXPECT_EQ(Preview().pixelColor(0, 0), QColor(0, 0, 0xFF));

    Pick(Combo(kBorderEnableList), 0);
    EXPECT_EQ(Record().kx7214_border_enable, 0);
    EXPECT_FALSE(Combo(kBorderColorList)->isEnabled());
    EXPECT_EQ(Combo(kBorderColorList)->currentText(), "Blue");
    EXPECT_EQ(Preview().pixelColor(0, 0), QColor(0, 0, 0));
    EXPECT_EQ(Preview().pixelColor(271, 151), QColor(0, 0, 0));

    Pick(Combo(kBorderEnableList), 1);
    EXPECT_TRUE(Combo(kBorderColorList)->isEnabled());
    EXPECT_EQ(Preview().pixelColor(0, 0), QColor(0, 0, 0xFF));
    Pick(Combo(kBorderColorList), 0);
    EXPECT_EQ(Record().kx7214_border_color, 0);
    EXPECT_EQ(Preview().pixelColor(0, 0), QColor(0xFF, 0xFF, 0xFF));

    const std::vector<Bytes> expected = {Request(0xA4, {0}), Request(0xA4, {1}),
                                         Request(0x93, {0})};
    EXPECT_EQ(Received(), expected);
}

TEST_F(ScalePageTest, OutputFormatIsSentAndLeavesThePreviewAlone) {
    Record().kx7214_output_format = 0;
    Open();
    Pick(Combo(kFormatList), 7);
    EXPECT_EQ(Record().kx7214_output_format, 7);
    EXPECT_EQ(Received(), std::vector<Bytes>{Request(0x92, {7})});
}

TEST_F(ScalePageTest, ManualApplyChangesRecordAndPreviewButSendsNothing) {
    Record().kx7214_auto_or_manual_status = 1;
    Record().kx7214_output_layout = 0;
    Record().kx7214_border_enable = 1;
    Open();
    Pick(Combo(kFormatList), 3);
    Pick(Combo(kBorderColorList), 2);
    Pick(Combo(kBorderEnableList), 0);
    ClickLayout(15);
    EXPECT_EQ(Record().kx7214_output_format, 3);
    EXPECT_EQ(Record().kx7214_border_color, 2);
    EXPECT_EQ(Record().kx7214_border_enable, 0);
    EXPECT_EQ(Record().kx7214_output_layout, 15);
    EXPECT_EQ(MarkedLayouts(), std::vector<int>{15});
    EXPECT_EQ(Main().m_preview.m_my_window_data[0].iWindowWidth, 540);
    EXPECT_EQ(Main().m_preview.m_my_window_data[1].iWindowWidth, 0);
    EXPECT_TRUE(Received().empty());
}

// A record layout beyond the sixteen marks no button; the first click marks one, stores it,
// sends it and recomputes the preview, also when the stored byte reads as negative.
TEST_F(ScalePageTest, ALayoutOutsideTheListAtOpeningMarksNothingAndTheFirstClickApplies) {
    for (std::uint8_t stored : {std::uint8_t{16}, std::uint8_t{128}, std::uint8_t{255}}) {
        SCOPED_TRACE(stored);
        Record().kx7214_output_layout = stored;
        Main().UpdatePreviewGeometry();
        Open();
        EXPECT_TRUE(MarkedLayouts().empty());
        EXPECT_EQ(Record().kx7214_output_layout, stored);
        ClickLayout(13);
        EXPECT_EQ(MarkedLayouts(), std::vector<int>{13});
        EXPECT_EQ(Record().kx7214_output_layout, 13);
        EXPECT_EQ(Received(), std::vector<Bytes>{Request(0x94, {13})});
        EXPECT_EQ(Main().m_preview.m_my_window_data[2].iWindowWidth, 540);
        ClickTab(1); // back to Status, so the next round opens the page again
    }
}

TEST_F(ScalePageTest, ValuesOutsideTheListsLeaveThemWithoutASelection) {
    Record().kx7214_output_format = 11;
    Record().kx7214_border_color = 4;
    Record().kx7214_border_enable = 0;
    Open();
    EXPECT_EQ(Combo(kFormatList)->currentIndex(), -1);
    EXPECT_EQ(Combo(kBorderColorList)->currentIndex(), -1);
    EXPECT_FALSE(Combo(kBorderColorList)->isEnabled());
    EXPECT_EQ(Record().kx7214_output_format, 11);
    EXPECT_EQ(Record().kx7214_border_color, 4);
}

TEST_F(ScalePageTest, EscapeIsConsumedAndClosingLogsTheDestruction) {
    Open();
    log.lines.clear();
    Combo(kFormatList)->setFocus();
    QTest::keyClick(Combo(kFormatList), Qt::Key_Escape);
    EXPECT_TRUE(log.Has("kx7214 scale  esc  \n"));
    EXPECT_FALSE(log.Has("kx7214 main  esc  \n"));
    EXPECT_EQ(Main().Page()->ChildPage(), m_page);
    EXPECT_TRUE(m_page->isVisible());
    ClickTab(1);
    QApplication::processEvents();
    EXPECT_TRUE(log.Has("kx7214 scale PostNcDestroy \n"));
}

} // namespace
} // namespace kx::test
