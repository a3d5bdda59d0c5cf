// The main window with two simulated multiviewers: the search, the device list, the container
// it opens, the window's own placement and keys.
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "res/resource_ids.h"
#include "tests/core/log_capture.h"
#include "tests/ui/panel_fixture.h"
#include "ui/button_st.h"
#include "ui/kx7214_container.h"
#include "ui/status_page.h"

namespace kx::test {
namespace {

using ui::CZANDRELL_EX_NETWORKDlg;

class MainWindowTest : public PanelTest {};

TEST_F(MainWindowTest, SearchListsBothDevicesAndOpensDeviceZeroOnItsStatusPage) {
    const ScanResult& scan = P().FirstScan();
    ASSERT_EQ(scan.items.size(), 2u);
    EXPECT_EQ(scan.items[0], "TRQ-9_127.0.0.2");
    EXPECT_EQ(scan.items[1], "Edit-Bay_127.0.0.3");
    EXPECT_EQ(scan.current_item, 0);
    EXPECT_EQ(scan.status, "Connected - 2 ");
    EXPECT_TRUE(scan.container_open);
    EXPECT_EQ(scan.tab, 1);
    EXPECT_EQ(scan.page_class, "kx::ui::CKX7214_Status");
    EXPECT_EQ(CountCommand(scan.requests_a, CMD_READ_ALL), 1);
    EXPECT_EQ(CountCommand(scan.requests_b, CMD_READ_ALL), 0);
}

TEST_F(MainWindowTest, ChoosingTheSecondItemReplacesTheContainerWithOneForThatDevice) {
    QPointer<ui::CKX7214> before = Main().Page();
    LogCapture log;
    P().ChooseDevice(1);
    ASSERT_NE(Main().Page(), nullptr);
    EXPECT_TRUE(before.isNull()) << "the old container must be gone";
    EXPECT_EQ(Main().m_device_index, 1);
    EXPECT_EQ(CountCommand(P().DeviceB().ReceivedRequests(), CMD_READ_ALL), 1);
    EXPECT_EQ(CountCommand(P().DeviceA().ReceivedRequests(), CMD_READ_ALL), 0);
    auto* page = qobject_cast<ui::CKX7214_Status*>(Main().Page()->ChildPage());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->DlgItem<QLineEdit>(res::IDC_STATUS_NAME)->text(), "Edit-Bay");
    // The page goes before its container, and the container logs after deleting itself.
    const int status_gone = log.IndexOf("kx7214 status PostNcDestroy \n");
    const int main_gone = log.IndexOf("kx7214 main PostNcDestroy \n");
    EXPECT_GE(status_gone, 0);
    EXPECT_GT(main_gone, status_gone);
    EXPECT_TRUE(log.Has("163 \n")); // the chosen entry's device type, 0xA3
}

TEST_F(MainWindowTest, SearchWithoutAnswerListsNoDeviceAndChoosingThatItemOpensNothing) {
    P().DeviceA().silent = true;
    P().DeviceB().silent = true;
    CZANDRELL_EX_NETWORKDlg lonely;
    lonely.Create();
    lonely.show();
    QTest::mouseClick(lonely.DlgItem<ui::CButtonST>(res::IDC_BTN_SCAN), Qt::LeftButton);
    Settle();
    ASSERT_EQ(lonely.DeviceCombo()->count(), 1);
    EXPECT_EQ(lonely.DeviceCombo()->itemText(0), "No Device Found");
    EXPECT_EQ(lonely.DeviceCombo()->currentIndex(), 0);
    EXPECT_EQ(lonely.StatusLabel()->text(), "No Device Connected ");
    EXPECT_EQ(lonely.Page(), nullptr);
    // As if an earlier search had left a device in entry 0: the item still opens nothing.
    lonely.m_device_list[0].dev_type = 0xA3;
    ChooseInList(lonely.DeviceCombo(), 0);
    EXPECT_EQ(lonely.Page(), nullptr);
    EXPECT_EQ(lonely.m_device_index, -1);
    EXPECT_TRUE(P().DeviceA().ReceivedRequests().empty());
    lonely.DestroyWindow();
    Settle();
}

TEST_F(MainWindowTest, ClickingTheSelectedTabRecreatesNothingAndReadsNothing) {
    ui::CKX7214* container = Main().Page();
    ASSERT_NE(container, nullptr);
    QPointer<ui::CDialog> page = container->ChildPage();
    QTest::mouseClick(container->TabButton(1), Qt::LeftButton);
    Settle();
    EXPECT_EQ(container->ChildPage(), page.data());
    EXPECT_FALSE(page.isNull());
    EXPECT_TRUE(P().DeviceA().ReceivedRequests().empty());

    // Another tab and back: a new Status page, which reads the device again.
    QTest::mouseClick(container->TabButton(2), Qt::LeftButton);
    Settle();
    EXPECT_TRUE(page.isNull());
    EXPECT_EQ(container->CurrentTab(), 2);
    QTest::mouseClick(container->TabButton(1), Qt::LeftButton);
    Settle();
    EXPECT_EQ(CountCommand(P().DeviceA().ReceivedRequests(), CMD_READ_ALL), 1);
}

TEST_F(MainWindowTest, EscapeIsSwallowedByTheInnermostDialogThatTakesIt) {
    ui::CKX7214* container = Main().Page();
    LogCapture log;
    container->TabButton(1)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(log.Count("kx7214 main  esc  \n"), 1);
    EXPECT_TRUE(container->isVisible());
    EXPECT_TRUE(Main().isVisible());

    auto* page = qobject_cast<ui::CKX7214_Status*>(container->ChildPage());
    page->DlgItem<QLineEdit>(res::IDC_STATUS_VERSION)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(log.Count("kx7214 status  esc  \n"), 1);
    EXPECT_EQ(log.Count("kx7214 main  esc  \n"), 1) << "the page took it first";
    EXPECT_TRUE(Main().isVisible());
}

TEST_F(MainWindowTest, WindowAndControlsSitWhereTheyBelong) {
    CZANDRELL_EX_NETWORKDlg& m = Main();
    EXPECT_EQ(m.pos(), QPoint(0, 0));
    EXPECT_EQ(m.size(), QSize(800, 720));
    EXPECT_EQ(m.windowTitle(), "Tavrin Ethernet Control");
    EXPECT_TRUE(m.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(m.GetDlgItem(res::IDC_STATUS_LABEL)->geometry(), QRect(65, 40, 140, 20));
    EXPECT_EQ(m.GetDlgItem(res::IDC_VERSION_LABEL)->geometry(), QRect(560, 40, 100, 20));
    EXPECT_EQ(m.GetDlgItem(res::IDC_BTN_MINIMIZE)->geometry(), QRect(720, 0, 40, 25));
    EXPECT_EQ(m.GetDlgItem(res::IDC_BTN_CLOSE)->geometry(), QRect(760, 0, 40, 25));
    // Dialog units of the 9-point template: x * 7 / 4, y * 15 / 8, rounded.
    EXPECT_EQ(m.GetDlgItem(res::IDC_BTN_SCAN)->geometry(), QRect(67, 73, 67, 23));
    EXPECT_EQ(m.GetDlgItem(res::IDC_DEVICE_COMBO)->geometry().topLeft(), QPoint(137, 73));
    EXPECT_EQ(m.m_page_rect, QRect(10, 110, 780, 600));
    EXPECT_FALSE(m.GetDlgItem(res::IDC_PAGE_HOLDER)->isVisible());
    EXPECT_EQ(m.Page()->geometry(), QRect(10, 110, 780, 600));
    EXPECT_EQ(m.m_rc_kx7214_show_mode_type, QRect(130, 280, 1, 1));
    EXPECT_EQ(m.Page()->ChildPage()->geometry(), QRect(80, 70, 640, 200));
    EXPECT_EQ(m.Page()->TabButton(5)->geometry(), QRect(500, 2, 95, 65));
    EXPECT_EQ(m.GetDlgItem(res::IDC_VERSION_LABEL)->property("text").toString(), "Version:1.0.1.5");
    const QPalette label = m.GetDlgItem(res::IDC_STATUS_LABEL)->palette();
    EXPECT_EQ(label.color(QPalette::Window), QColor(18, 132, 202));
    EXPECT_EQ(label.color(QPalette::WindowText), QColor(Qt::black));
}

TEST_F(MainWindowTest, PressOnBackgroundOrLabelMovesTheWindowButNotOnAButton) {
    CZANDRELL_EX_NETWORKDlg& m = Main();
    const int before = m.DragRequests();
    QTest::mousePress(&m, Qt::LeftButton, {}, QPoint(400, 60));
    QTest::mouseRelease(&m, Qt::LeftButton, {}, QPoint(400, 60));
    // The status label lets the press through to the window.
    QTest::mousePress(&m, Qt::LeftButton, {}, QPoint(100, 50));
    QTest::mouseRelease(&m, Qt::LeftButton, {}, QPoint(100, 50));
    EXPECT_EQ(m.DragRequests(), before + 2);
    auto* minimise = m.DlgItem<ui::CButtonST>(res::IDC_BTN_MINIMIZE);
    QTest::mousePress(minimise, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(minimise, Qt::LeftButton, {}, QPoint(-50, 50)); // released outside
    EXPECT_EQ(m.DragRequests(), before + 2);
    EXPECT_FALSE(m.isMinimized());
}

// Escape cancels; Enter with no button focused ends with OK, also from the window's own device
// list; Enter on a focused button presses that button instead.
TEST(MainWindowKeys, EscapeAndEnterEndTheDialogAsAStandardDialogDoes) {
    KX_REQUIRE_PRIVATE_NETWORK();
    for (bool in_list : {false, true}) {
        for (auto [key, result] : {std::pair{Qt::Key_Escape, QDialog::Rejected},
                                   std::pair{Qt::Key_Return, QDialog::Accepted}}) {
            SCOPED_TRACE(in_list ? "device list" : "window");
            CZANDRELL_EX_NETWORKDlg m;
            m.Create();
            m.show();
            m.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
            EXPECT_EQ(QApplication::focusWidget(), &m) << "no control takes the first focus";
            if (in_list)
                m.DeviceCombo()->setFocus();
            m.setResult(-1);
            QTest::keyClick(QApplication::focusWidget(), key);
            EXPECT_EQ(m.result(), result);
            EXPECT_FALSE(m.isVisible());
            m.DestroyWindow();
            Settle();
        }
    }
    if (Panel::Get().Ready())
        Panel::Get().Main().Publish();
}

} // namespace
} // namespace kx::test
