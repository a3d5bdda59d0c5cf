// The preview painter: frames by border colour, window insides, numbers, and the label fills
// in window order; and the container's picture of it on screen.
#include <QImage>

#include "tests/ui/panel_fixture.h"
#include "ui/preview_painter.h"

namespace kx::test {
namespace {

const QColor kGround{0xC0, 0xC0, 0xC0};
const QColor kInside{0x37, 0x37, 0x37};
const QColor kMeter{0x00, 0x8B, 0x8B};

PreviewGeometry Geometry(const kx7214_page_data& r) {
    PreviewGeometry g{};
    ComputeWindowGeometry(r, g);
    ComputeUmdGeometry(r, g);
    ComputeAudioGeometry(r, g);
    ComputeInputGeometry(r, g);
    return g;
}

kx7214_page_data Layout(std::uint8_t layout, std::uint8_t border_enable, std::uint8_t colour) {
    kx7214_page_data r{};
    r.kx7214_output_layout = layout;
    r.kx7214_border_enable = border_enable;
    r.kx7214_border_color = colour;
    return r;
}

QColor At(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

TEST(PreviewPainter, FrameColourFollowsBorderEnableAndColour) {
    EXPECT_EQ(ui::FrameColor(Layout(0, 0, 1)), QColor(Qt::black));
    EXPECT_EQ(ui::FrameColor(Layout(0, 1, 0)), QColor(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(ui::FrameColor(Layout(0, 1, 1)), QColor(0xFF, 0x00, 0x00));
    EXPECT_EQ(ui::FrameColor(Layout(0, 1, 2)), QColor(0x00, 0xFF, 0x00));
    EXPECT_EQ(ui::FrameColor(Layout(0, 2, 3)), QColor(0x00, 0x00, 0xFF));
    EXPECT_EQ(ui::FrameColor(Layout(0, 1, 4)), QColor(Qt::black));
}

TEST(PreviewPainter, FourEqualWindowsWithTwoPixelFrames) {
    const kx7214_page_data r = Layout(0, 1, 2);
    const QImage image = ui::PaintPreview(Geometry(r), r);
    ASSERT_EQ(image.size(), QSize(540, 300));
    for (QPoint frame : {QPoint(1, 1), QPoint(268, 100), QPoint(269, 100), QPoint(270, 100),
                         QPoint(271, 100), QPoint(539, 299), QPoint(100, 149), QPoint(100, 150)})
        EXPECT_EQ(At(image, frame.x(), frame.y()), QColor(0, 255, 0))
            << frame.x() << "," << frame.y();
    for (QPoint inside : {QPoint(2, 40), QPoint(267, 100), QPoint(272, 100), QPoint(400, 250)})
        EXPECT_EQ(At(image, inside.x(), inside.y()), kInside) << inside.x() << "," << inside.y();
    // The number's white cell starts 5 pixels up and left of the window's centre.
    EXPECT_EQ(At(image, 130, 70), QColor(Qt::white));
    EXPECT_EQ(At(image, 129, 69), kInside);
}

TEST(PreviewPainter, SingleWindowOfInputFourWithBorderOff) {
    const kx7214_page_data r = Layout(12, 0, 1);
    const PreviewGeometry g = Geometry(r);
    const QImage image = ui::PaintPreview(g, r);
    EXPECT_EQ(At(image, 0, 0), QColor(Qt::black));
    EXPECT_EQ(At(image, 539, 299), QColor(Qt::black));
    EXPECT_EQ(At(image, 2, 2), kInside);
    EXPECT_EQ(g.m_my_window_data[3].iWindowNumber, 4);
    EXPECT_EQ(At(image, 265, 145), QColor(Qt::white));
}

TEST(PreviewPainter, LabelsAreFilledOnlyWhenEnabledAndLaterWindowsCoverEarlierOnes) {
    kx7214_page_data r = Layout(7, 1, 0); // input 2 small at the top right of input 1
    for (int i = 0; i < 4; ++i) {
        r.kx7214_audio_enable[i] = 1;
        r.kx7214_input_enable[i] = 2; // not exactly 1: not drawn
        r.kx7214_umd_enable[i] = 1;
        r.kx7214_umd_postion[i] = 2;
        r.kx7214_umd_back_color[i] = 9; // VioletRed
    }
    const PreviewGeometry g = Geometry(r);
    const QImage image = ui::PaintPreview(g, r);
    const AudioData& meter = g.m_my_audio_data[0];
    EXPECT_EQ(At(image, meter.iAudioLeft + 1, meter.iAudioTop + 1), kMeter);
    const UmdData& umd = g.m_my_umd_data[0];
    EXPECT_EQ(At(image, umd.iUmdLeft + 1, umd.iUmdTop + 1), QColor(219, 112, 147));
    const InputData& input = g.m_my_input_data[0];
    EXPECT_EQ(At(image, input.iInputLeft + 1, input.iInputTop + 1), kInside);
    // Window 2 (365, 30, 135, 75) covers window 1's inside, with its own frame.
    EXPECT_EQ(At(image, 365, 30), QColor(Qt::white));
    EXPECT_EQ(At(image, 400, 40), kInside);
}

TEST(PreviewPainter, LayoutAboveFifteenShowsOnlyTheGround) {
    const kx7214_page_data r = Layout(16, 1, 1);
    const QImage image = ui::PaintPreview(Geometry(r), r);
    for (QPoint p : {QPoint(0, 0), QPoint(270, 150), QPoint(539, 299)})
        EXPECT_EQ(At(image, p.x(), p.y()), kGround);
}

class ContainerPreviewTest : public PanelTest {
protected:
    QImage Shown(std::uint8_t layout, std::uint8_t border_enable) {
        auto& r = Main().m_all_kx7214_page_data;
        r.kx7214_output_layout = layout;
        r.kx7214_border_enable = border_enable;
        r.kx7214_border_color = 1;
        Main().UpdatePreviewGeometry();
        Settle();
        return Main().Page()->grab(Main().Page()->PreviewRect()).toImage();
    }
};

TEST_F(ContainerPreviewTest, ContainerShowsTheRecordsLayoutAtTheAnchor) {
    const QImage quad = Shown(0, 1);
    EXPECT_EQ(At(quad, 1, 100), QColor(255, 0, 0));
    EXPECT_EQ(At(quad, 270, 100), QColor(255, 0, 0));
    EXPECT_EQ(At(quad, 100, 60), kInside);
    const QImage quad_plain = Shown(0, 0);
    EXPECT_EQ(At(quad_plain, 270, 100), QColor(Qt::black));
    const QImage single = Shown(12, 1);
    EXPECT_EQ(At(single, 270, 100), kInside) << "no inner frames in a single window";
    EXPECT_EQ(At(single, 539, 150), QColor(255, 0, 0));
    const QImage single_plain = Shown(12, 0);
    EXPECT_EQ(At(single_plain, 539, 150), QColor(Qt::black));
    // The preview sits at (130, 280) of the container, on the container's ground.
    EXPECT_EQ(Main().Page()->PreviewRect(), QRect(130, 280, 540, 300));
    const QImage around = Main().Page()->grab(QRect(120, 270, 5, 5)).toImage();
    EXPECT_EQ(At(around, 0, 0), QColor(0x2E, 0x31, 0x36));
}

} // namespace
} // namespace kx::test
