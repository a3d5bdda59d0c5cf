// The skinned push button and group box on the offscreen platform: hover and pressed borders,
// the picture's transparent black, the picture's place beside a caption.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "ui/button_st.h"
#include "ui/group_box.h"

namespace kx::test {
namespace {

using ui::CButtonST;

const QColor kGround{64, 64, 64};
const QColor kLight{0xFF, 0xFF, 0xFF};
const QColor kDark{0xA0, 0xA0, 0xA0};
const QColor kParent{200, 30, 30};

class ButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_parent.resize(200, 100);
        m_parent.setAutoFillBackground(true);
        QPalette palette;
        palette.setColor(QPalette::Window, kParent);
        m_parent.setPalette(palette);
        m_button = new CButtonST(&m_parent);
        m_button->setGeometry(20, 20, 80, 24);
        m_parent.show();
        m_parent.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_parent));
    }
    QImage Grab() { return m_button->grab().toImage(); }
    // A move inside the button with the given buttons held, delivered to it directly so that
    // no cursor state left by other tests takes part.
    void MoveOver(Qt::MouseButtons held = Qt::NoButton) {
        const QPointF at(40, 12);
        QMouseEvent move(QEvent::MouseMove, at, m_button->mapToGlobal(at), Qt::NoButton, held,
                         Qt::NoModifier);
        QApplication::sendEvent(m_button, &move);
    }
    void Leave() {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(m_button, &leave);
    }
    QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

    QWidget m_parent;
    CButtonST* m_button = nullptr;
};

TEST_F(ButtonTest, TextButtonShowsARaisedBorderOnlyWhileTheMouseIsOverIt) {
    m_button->setText("SCANNING");
    m_button->ApplyTextButtonLook();
    const QImage normal = Grab();
    EXPECT_EQ(At(normal, 0, 0), kGround);
    EXPECT_EQ(At(normal, 79, 23), kGround);

    MoveOver();
    ASSERT_TRUE(m_button->IsHovered());
    const QImage hovered = Grab();
    EXPECT_EQ(At(hovered, 0, 0), kLight);
    EXPECT_EQ(At(hovered, 0, 12), kLight);
    EXPECT_EQ(At(hovered, 79, 12), kDark);
    EXPECT_EQ(At(hovered, 40, 23), kDark);
    EXPECT_EQ(At(hovered, 1, 1), kGround);

    // Focus alone changes nothing: the focused ground is the same grey, no focus rectangle.
    m_button->setFocus();
    Leave();
    EXPECT_FALSE(m_button->IsHovered());
    EXPECT_EQ(Grab(), normal);
}

TEST_F(ButtonTest, PressedButtonIsSunkenAndItsCaptionShiftsByOnePixel) {
    m_button->setText("I");
    m_button->ApplyTextButtonLook();
    MoveOver();
    const QImage hovered = Grab();
    m_button->setDown(true);
    const QImage pressed = Grab();
    EXPECT_EQ(At(pressed, 0, 0), kDark);
    EXPECT_EQ(At(pressed, 79, 23), kLight);
    // The caption's pixels move one right and one down.
    for (int y = 1; y < 22; ++y)
        for (int x = 1; x < 78; ++x)
            ASSERT_EQ(At(pressed, x + 1, y + 1), At(hovered, x, y)) << x << "," << y;
}

TEST_F(ButtonTest, MovingInWithTheLeftButtonHeldDoesNotHighlight) {
    m_button->ApplyTextButtonLook();
    MoveOver(Qt::LeftButton);
    EXPECT_FALSE(m_button->IsHovered());
    MoveOver();
    EXPECT_TRUE(m_button->IsHovered());
    MoveOver(Qt::LeftButton); // already hovered: stays
    EXPECT_TRUE(m_button->IsHovered());
}

TEST_F(ButtonTest, PureBlackPixelsOfThePictureShowWhatIsBehind) {
    QImage picture(80, 24, QImage::Format_RGB32);
    picture.fill(Qt::black);
    for (int x = 40; x < 80; ++x)
        for (int y = 0; y < 24; ++y)
            picture.setPixelColor(x, y, QColor(1, 2, 3));
    m_button->Attach();
    ASSERT_EQ(m_button->SetButtonBitmap(QPixmap::fromImage(picture)), CButtonST::BTNST_OK);
    m_button->SetTransparentBackground(true);
    m_button->SetHoverBorder(false);
    QApplication::processEvents();
    const QImage shown = m_parent.grab(m_button->geometry()).toImage();
    EXPECT_EQ(shown.pixelColor(10, 10), kParent);
    EXPECT_EQ(shown.pixelColor(60, 10), QColor(1, 2, 3));
    EXPECT_EQ(m_button->SetButtonBitmap(QPixmap()), CButtonST::BTNST_INVALIDRESOURCE);
}

// With a caption the picture starts 3 pixels in, so a picture as wide as the button loses its
// last 3 columns; the caption has no room left and shows nowhere, not even in part.
TEST_F(ButtonTest, PictureAsWideAsTheButtonWithACaptionStartsThreePixelsIn) {
    QImage picture(80, 24, QImage::Format_RGB32);
    picture.fill(QColor(10, 20, 30));
    for (int y = 0; y < 24; ++y)
        picture.setPixelColor(79, y, QColor(90, 90, 90));
    m_button->setText("Status");
    m_button->Attach();
    m_button->SetButtonBitmap(QPixmap::fromImage(picture));
    m_button->SetTransparentBackground(true);
    QApplication::processEvents();
    const QImage shown = m_parent.grab(m_button->geometry()).toImage();
    EXPECT_EQ(shown.pixelColor(2, 10), kParent);
    EXPECT_EQ(shown.pixelColor(3, 10), QColor(10, 20, 30));
    EXPECT_EQ(shown.pixelColor(79, 10), QColor(10, 20, 30)) << "column 76 of the picture";
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 3; x < shown.width(); ++x)
            ASSERT_EQ(shown.pixelColor(x, y), QColor(10, 20, 30)) << x << "," << y;
}

TEST(GroupBox, ThinRoundedFrameWithAnOpenInside) {
    QWidget parent;
    parent.resize(200, 120);
    parent.setAutoFillBackground(true);
    QPalette palette;
    palette.setColor(QPalette::Window, kParent);
    parent.setPalette(palette);
    auto* box = new ui::CMyGroupBox({}, &parent);
    box->setGeometry(0, 0, 200, 120);
    parent.show();
    QApplication::processEvents();
    const QImage image = parent.grab().toImage();
    EXPECT_EQ(image.pixelColor(2, 60), QColor(168, 168, 168));
    EXPECT_EQ(image.pixelColor(100, 8), QColor(168, 168, 168));
    EXPECT_EQ(image.pixelColor(191, 60), QColor(168, 168, 168));
    EXPECT_EQ(image.pixelColor(100, 111), QColor(168, 168, 168));
    EXPECT_EQ(image.pixelColor(100, 60), kParent);
    EXPECT_EQ(image.pixelColor(2, 8), kParent) << "rounded corner";
}

} // namespace
} // namespace kx::test
