// Mouse presses inside the device page container: only the main window's own background moves
// the window; a press on the container, its preview or a page stays there, and the Status and
// Overlay pages still take the focus out of their text fields with it.
#include <QLineEdit>

#include "tests/ui/device_page_test.h"
#include "ui/overlay_page.h"
#include "ui/status_page.h"

namespace kx::test {
namespace {

constexpr int kTabStatus = 1, kTabOverlay = 3;
const QPoint kContainerBackground(30, 400); // left of the preview, below the page area
const QPoint kPageBackground(600, 190);     // right of the group box's lower corner

class ContainerPressTest : public DevicePageTest {
protected:
    ui::CDialog* Page() { return Main().Page()->ChildPage(); }
    // Presses and releases the left button at the point, the mouse not moving in between.
    void Click(QWidget* widget, QPoint at) {
        QTest::mousePress(widget, Qt::LeftButton, {}, at);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
        Settle();
    }
    // Clicks into the field and replaces its text by typing.
    void TypeInto(QLineEdit* field, const char* text) {
        Main().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
        QTest::mouseClick(field, Qt::LeftButton);
        ASSERT_TRUE(field->hasFocus());
        field->selectAll();
        QTest::keyClicks(field, text);
    }
};

TEST_F(ContainerPressTest, PressesOnTheContainerThePreviewAndEveryPageMoveNothing) {
    const int drags = Main().DragRequests();
    ui::CKX7214* container = Main().Page();
    Click(container, kContainerBackground);
    Click(container, container->PreviewRect().center());
    Click(container, container->PreviewRect().topLeft());
    QTest::mouseDClick(container, Qt::LeftButton, {}, kContainerBackground);
    for (int tab = 1; tab <= 6; ++tab) {
        ClickTab(tab);
        Click(Page(), kPageBackground);
        Click(Page(), QPoint(20, 20)); // inside the group box's frame
        EXPECT_EQ(Main().DragRequests(), drags) << "tab " << tab;
    }
    EXPECT_EQ(Main().DragRequests(), drags);
    EXPECT_EQ(Main().pos(), QPoint(0, 0));
    // The window's own background still moves it.
    Click(&Main(), QPoint(400, 20));
    EXPECT_EQ(Main().DragRequests(), drags + 1);
}

// The click that hands the focus to the group box commits the name, and moves nothing.
TEST_F(ContainerPressTest, StatusHandOffCommitsTheNameAndMovesNothing) {
    TypeInto(Page()->DlgItem<QLineEdit>(1009), "Desk 4");
    const int drags = Main().DragRequests();
    Click(Page(), kPageBackground);
    EXPECT_EQ(Main().DragRequests(), drags);
    EXPECT_EQ(QApplication::focusWidget(), Page()->GetDlgItem(1073));
    EXPECT_EQ(ui::CKX7214_Status::m_name_edit_focus, 0);
    EXPECT_EQ(Main().m_device_name, u"Desk 4");
    EXPECT_EQ(Received(), std::vector<Bytes>{Request(0x91, {'D', 'e', 's', 'k', ' ', '4', 0})});
}

TEST_F(ContainerPressTest, OverlayHandOffCommitsTheTextAndMovesNothing) {
    ClickTab(kTabOverlay);
    P().DeviceA().ClearFrames();
    TypeInto(Page()->DlgItem<QLineEdit>(1025), "ISO 4");
    const int drags = Main().DragRequests();
    log.lines.clear();
    Click(Page(), kPageBackground);
    EXPECT_EQ(Main().DragRequests(), drags);
    EXPECT_TRUE(log.Has("set group focus \n"));
    EXPECT_EQ(QApplication::focusWidget(), Page()->GetDlgItem(1071));
    EXPECT_EQ(ui::CKX7214_Overlay::m_umd_edit_focus, 0);
    EXPECT_EQ(Main().m_umd_text[3], u"ISO 4");
    EXPECT_EQ(Received(), std::vector<Bytes>{Request(0x99, UmdTextPayload(3, u"ISO 4"))});
}

} // namespace
} // namespace kx::test
