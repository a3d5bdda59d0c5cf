// Enter and Escape inside the device page container, on every page and with the focus in each
// kind of control: Enter never reaches the main window (where it would end the program) and
// does only what the Status and Overlay pages give it (their page tests cover their fields);
// Escape stays with the innermost dialog.
#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <cstring>

#include "tests/ui/device_page_test.h"
#include "ui/button_st.h"
#include "ui/ip_address_ctrl.h"

namespace kx::test {
namespace {

constexpr int kTabStatus = 1, kTabScale = 2, kTabOverlay = 3, kTabAudio = 4, kTabInput = 5,
              kTabSetting = 6;
// The name each page writes in its Escape line.
const char* const kPageNames[] = {"", "status", "scale", "overlay", "audio", "input", "setting"};

// A control of the open page, by the kind an operator can put the focus in.
struct Focus {
    const char* kind;
    int id; // 0: the page itself
};

// Lists, fields and the page itself on each page; buttons are tested apart (Enter presses them).
const std::vector<std::pair<int, std::vector<Focus>>> kFocusPlaces = {
    {kTabStatus, {{"read-only field", 1010}, {"group box", 1073}, {"page", 0}}},
    {kTabScale, {{"list", 1011}, {"list", 1013}, {"group box", 1072}, {"page", 0}}},
    {kTabOverlay, {{"list", 1041}, {"list", 1046}, {"group box", 1071}, {"page", 0}}},
    {kTabAudio, {{"list", 1061}, {"list", 1067}, {"page", 0}}},
    {kTabInput, {{"list", 1068}, {"list", 1021}, {"page", 0}}},
    {kTabSetting, {{"list", 1014}, {"address field", 1035}, {"group box", 1077}, {"page", 0}}},
};

class PageKeysTest : public DevicePageTest {
protected:
    void TearDown() override {
        // A key that ended the main window must not take the other tests with it.
        if (!Main().isVisible())
            Main().show();
        DevicePageTest::TearDown();
    }

    ui::CDialog* Page() { return Main().Page()->ChildPage(); }
    QWidget* Place(const Focus& focus) {
        QWidget* w = focus.id == 0 ? Page() : Page()->GetDlgItem(focus.id);
        // The address control's first field takes its focus.
        if (auto* address = qobject_cast<ui::CIPAddressCtrl*>(w))
            return address->Field(0);
        return w;
    }
    // Gives the control the focus in the active main window and presses the key there.
    void Press(QWidget* control, Qt::Key key) {
        Main().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
        control->setFocus(Qt::OtherFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), control);
        QTest::keyClick(control, key);
        Settle();
    }
    // The Escape lines written since the log was last cleared.
    std::vector<std::string> EscapeLines() const {
        std::vector<std::string> lines;
        for (const std::string& line : log.lines)
            if (line.find("  esc  ") != std::string::npos)
                lines.push_back(line);
        return lines;
    }
    bool RecordIs(const kx7214_page_data& before) {
        return std::memcmp(&before, &Record(), sizeof before) == 0;
    }
    // Nothing changed: the window, the container and its page stand, nothing was sent.
    void ExpectNothingHappened(QPointer<ui::CDialog> page, const kx7214_page_data& before) {
        EXPECT_TRUE(Main().isVisible()) << "Enter ended the program";
        ASSERT_FALSE(page.isNull());
        EXPECT_EQ(Page(), page.data());
        EXPECT_TRUE(page->isVisible());
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        EXPECT_TRUE(RecordIs(before));
        EXPECT_TRUE(Received().empty());
    }
};

TEST_F(PageKeysTest, EnterOutsideTheTextFieldsDoesNothingOnEveryPage) {
    for (const auto& [tab, places] : kFocusPlaces) {
        ClickTab(tab);
        for (const Focus& focus : places) {
            SCOPED_TRACE(std::string(kPageNames[tab]) + ", " + focus.kind + " " +
                         std::to_string(focus.id));
            P().DeviceA().ClearFrames();
            const kx7214_page_data before = Record();
            QPointer<ui::CDialog> page = Page();
            auto* list = qobject_cast<QComboBox*>(Place(focus));
            const int selected = list != nullptr ? list->currentIndex() : 0;
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter})
                Press(Place(focus), key);
            ExpectNothingHappened(page, before);
            if (list != nullptr) {
                EXPECT_EQ(list->currentIndex(), selected);
            }
        }
    }
}

TEST_F(PageKeysTest, EnterOnTheContainerDoesNothing) {
    QPointer<ui::CDialog> page = Page();
    const kx7214_page_data before = Record();
    Press(Main().Page(), Qt::Key_Return);
    ExpectNothingHappened(page, before);
}

// A focused button takes Enter as its press, as in any dialog: a tab, a layout picture, a
// button of the Setting page.
TEST_F(PageKeysTest, EnterOnAFocusedButtonPressesIt) {
    Press(Main().Page()->TabButton(kTabAudio), Qt::Key_Return);
    EXPECT_TRUE(Main().isVisible());
    EXPECT_EQ(Main().Page()->CurrentTab(), kTabAudio);

    ClickTab(kTabScale);
    Record().kx7214_output_layout = 0;
    P().DeviceA().ClearFrames();
    Press(Page()->GetDlgItem(1079 + 6), Qt::Key_Return);
    EXPECT_EQ(Record().kx7214_output_layout, 6);
    EXPECT_EQ(Received(), std::vector<Bytes>{Request(0x94, {6})});

    ClickTab(kTabSetting);
    P().DeviceA().ClearFrames();
    Press(Page()->GetDlgItem(1007), Qt::Key_Return); // Save to Custom1
    EXPECT_TRUE(Main().isVisible());
    EXPECT_EQ(Received(), std::vector<Bytes>{Request(0xA3, {1})});
}

// An open list takes Enter for the entry it has highlighted, as drop-down lists do.
TEST_F(PageKeysTest, EnterInAnOpenListChoosesTheHighlightedEntry) {
    ClickTab(kTabScale);
    Record().kx7214_output_format = 0;
    ClickTab(kTabAudio);
    ClickTab(kTabScale);
    P().DeviceA().ClearFrames();
    auto* formats = Page()->DlgItem<QComboBox>(1011);
    Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
    formats->setFocus();
    formats->showPopup();
    QWidget* list = QApplication::focusWidget();
    ASSERT_NE(list, nullptr);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    Settle();
    EXPECT_TRUE(Main().isVisible());
    EXPECT_FALSE(formats->view()->isVisible());
    EXPECT_EQ(formats->currentIndex(), 2);
    EXPECT_EQ(Record().kx7214_output_format, 2);
    EXPECT_EQ(Received(), std::vector<Bytes>{Request(0x92, {2})});
}

// Escape goes to the innermost dialog around the focus, which writes its line and keeps it.
TEST_F(PageKeysTest, EscapeStaysWithThePageOrTheContainer) {
    for (const auto& [tab, places] : kFocusPlaces) {
        ClickTab(tab);
        for (const Focus& focus : places) {
            SCOPED_TRACE(std::string(kPageNames[tab]) + ", " + focus.kind);
            log.lines.clear();
            QPointer<ui::CDialog> page = Page();
            Press(Place(focus), Qt::Key_Escape);
            EXPECT_EQ(EscapeLines(), std::vector<std::string>{
                                         "kx7214 " + std::string(kPageNames[tab]) + "  esc  \n"});
            EXPECT_TRUE(Main().isVisible());
            EXPECT_EQ(Page(), page.data());
        }
    }
    for (QWidget* container_place : {static_cast<QWidget*>(Main().Page()->TabButton(kTabScale)),
                                     static_cast<QWidget*>(Main().Page())}) {
        log.lines.clear();
        Press(container_place, Qt::Key_Escape);
        EXPECT_EQ(EscapeLines(), std::vector<std::string>{"kx7214 main  esc  \n"});
        EXPECT_TRUE(Main().Page()->isVisible());
        EXPECT_TRUE(Main().isVisible());
    }
}

} // namespace
} // namespace kx::test
