// Finding a device by its address in the main window: a simulated device that hears no
// broadcast (as one on another subnet) beside the two demo devices, the address field with
// Enter, FIND and FORGET, what is refused, and the addresses remembered for later searches.
#include <QAbstractItemView>
#include <QLineEdit>
#include <QSettings>

#include "res/resource_ids.h"
#include "tests/ui/panel_fixture.h"
#include "ui/button_st.h"
#include "ui/find_by_address.h"

namespace kx::test {
namespace {

using ui::CZANDRELL_EX_NETWORKDlg;

constexpr std::uint32_t kHiddenIp = 0x7F000004; // 127.0.0.4

std::vector<QString> Items(QComboBox* combo) {
    std::vector<QString> items;
    for (int i = 0; i < combo->count(); ++i)
        items.push_back(combo->itemText(i));
    return items;
}

class FindByAddressTest : public PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        if (HasFatalFailure() || IsSkipped())
            return;
        ui::SaveRememberedAddresses({});
        sim::DeviceOptions o;
        o.ip = kHiddenIp;
        o.dev_addr = 0x21;
        o.search_text = sim::NameText("Far-Rack");
        o.hears_limited_broadcast = false;
        hidden = &host.AddDevice(o);
        ASSERT_TRUE(host.Start()) << host.Error();
        window = OpenWindow();
    }
    void TearDown() override {
        for (auto& w : windows)
            w->DestroyWindow();
        Settle();
        ui::SaveRememberedAddresses({});
        if (Panel::Get().Ready())
            Main().Publish();
    }

    // A main window of its own, as a new start of the panel.
    CZANDRELL_EX_NETWORKDlg* OpenWindow() {
        windows.push_back(std::make_unique<CZANDRELL_EX_NETWORKDlg>());
        CZANDRELL_EX_NETWORKDlg* w = windows.back().get();
        w->Create();
        w->SetAlertHandler([this](const platform::Alert& a) { alerts.push_back(a); });
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        return w;
    }

    QComboBox* Field() { return window->FindAddressCombo(); }

    void TypeAndPressEnter(const QString& text) {
        Field()->lineEdit()->setFocus();
        Field()->lineEdit()->clear();
        QTest::keyClicks(Field()->lineEdit(), text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        Settle();
    }

    int SearchesHeard() const {
        int n = 0;
        for (const sim::FrameRecord& f : hidden->Frames())
            n += !f.sent && f.bytes.size() == 20 && f.bytes[16] == 0xFF;
        return n;
    }

    sim::DeviceHost host;
    sim::SimDevice* hidden = nullptr;
    std::vector<std::unique_ptr<CZANDRELL_EX_NETWORKDlg>> windows;
    CZANDRELL_EX_NETWORKDlg* window = nullptr;
    std::vector<platform::Alert> alerts;
};

TEST_F(FindByAddressTest, ControlsSitRightOfTheDeviceListInTheSkin) {
    EXPECT_EQ(Field()->geometry().topLeft(), QPoint(530, 73));
    EXPECT_EQ(Field()->geometry().width(), 121);
    EXPECT_EQ(window->GetDlgItem(res::IDC_BTN_FIND)->geometry(), QRect(656, 73, 61, 23));
    EXPECT_EQ(window->GetDlgItem(res::IDC_BTN_FORGET)->geometry(), QRect(723, 73, 63, 23));
    EXPECT_LE(Field()->geometry().bottom(), 97);
    EXPECT_TRUE(Field()->isEditable());
    EXPECT_EQ(Field()->palette().color(QPalette::Text), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(Field()->palette().color(QPalette::Base), QColor(0x40, 0x40, 0x40));
    // The window's font was not shrunk to fit the new captions.
    EXPECT_EQ(window->font(), Main().font());
    // Tab goes from the device list to the field and on to its buttons.
    window->DeviceCombo()->setFocus();
    QTest::keyClick(window->DeviceCombo(), Qt::Key_Tab);
    EXPECT_TRUE(Field()->isAncestorOf(QApplication::focusWidget()) ||
                QApplication::focusWidget() == Field());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window->GetDlgItem(res::IDC_BTN_FIND));
}

TEST_F(FindByAddressTest, EnterInTheFieldFindsTheDeviceWhichIsChosenAndRemembered) {
    TypeAndPressEnter(QStringLiteral(" 127.0.0.4 "));
    EXPECT_TRUE(window->isVisible()) << "Enter in the field must not end the program";
    EXPECT_TRUE(alerts.empty());
    EXPECT_EQ(Items(window->DeviceCombo()), std::vector<QString>{"Far-Rack_127.0.0.4"});
    EXPECT_EQ(window->DeviceCombo()->currentIndex(), 0);
    EXPECT_EQ(window->StatusLabel()->text(), "Connected - 1 ");
    ASSERT_NE(window->Page(), nullptr);
    EXPECT_EQ(CountCommand(hidden->ReceivedRequests(), CMD_READ_ALL), 1);
    EXPECT_EQ(window->m_device_list[0].dev_addr, 0x21);
    EXPECT_EQ(Field()->currentText(), "127.0.0.4");
    EXPECT_EQ(Items(Field()), std::vector<QString>{"127.0.0.4"});
    EXPECT_EQ(ui::LoadRememberedAddresses(), std::vector<std::uint32_t>{kHiddenIp});
    EXPECT_EQ(window->m_search_addresses, std::vector<std::uint32_t>{kHiddenIp});

    // SCANNING keeps it: the broadcast finds the demo devices, the address finds this one.
    QTest::mouseClick(window->DlgItem<ui::CButtonST>(res::IDC_BTN_SCAN), Qt::LeftButton);
    Settle();
    std::vector<QString> items = Items(window->DeviceCombo());
    std::sort(items.begin(), items.end());
    EXPECT_EQ(items, (std::vector<QString>{"Edit-Bay_127.0.0.3", "Far-Rack_127.0.0.4",
                                           "TRQ-9_127.0.0.2"}));
    EXPECT_EQ(window->StatusLabel()->text(), "Connected - 3 ");

    // The found entry is chosen from the list like any other.
    const std::vector<QString> listed = Items(window->DeviceCombo());
    const int far = static_cast<int>(
        std::find(listed.begin(), listed.end(), QStringLiteral("Far-Rack_127.0.0.4")) -
        listed.begin());
    hidden->ClearFrames();
    ChooseInList(window->DeviceCombo(), far);
    EXPECT_EQ(window->m_device_index, far);
    EXPECT_EQ(CountCommand(hidden->ReceivedRequests(), CMD_READ_ALL), 1);
}

TEST_F(FindByAddressTest, ANewStartAsksTheRememberedAddressesAndForgetStopsThat) {
    ui::SaveRememberedAddresses({kHiddenIp, 0x0A000005});
    CZANDRELL_EX_NETWORKDlg* second = OpenWindow();
    EXPECT_EQ(second->m_search_addresses, (std::vector<std::uint32_t>{kHiddenIp, 0x0A000005}));
    EXPECT_EQ(Items(second->FindAddressCombo()), (std::vector<QString>{"127.0.0.4", "10.0.0.5"}));
    EXPECT_EQ(second->FindAddressCombo()->currentText(), "");
    QTest::mouseClick(second->DlgItem<ui::CButtonST>(res::IDC_BTN_SCAN), Qt::LeftButton);
    Settle();
    EXPECT_EQ(second->StatusLabel()->text(), "Connected - 3 ");
    EXPECT_EQ(SearchesHeard(), 1);

    // Pick the remembered address in the field's list and forget it.
    ChooseInList(second->FindAddressCombo(), 0);
    EXPECT_EQ(second->FindAddressCombo()->currentText(), "127.0.0.4");
    QTest::mouseClick(second->DlgItem<ui::CButtonST>(res::IDC_BTN_FORGET), Qt::LeftButton);
    Settle();
    EXPECT_TRUE(alerts.empty());
    EXPECT_EQ(Items(second->FindAddressCombo()), std::vector<QString>{"10.0.0.5"});
    EXPECT_EQ(second->FindAddressCombo()->currentText(), "");
    EXPECT_EQ(ui::LoadRememberedAddresses(), std::vector<std::uint32_t>{0x0A000005});
    hidden->ClearFrames();
    QTest::mouseClick(second->DlgItem<ui::CButtonST>(res::IDC_BTN_SCAN), Qt::LeftButton);
    Settle();
    EXPECT_EQ(second->StatusLabel()->text(), "Connected - 2 ");
    EXPECT_EQ(SearchesHeard(), 0);

    // FORGET on an address that is not remembered says what to do and changes nothing.
    second->FindAddressCombo()->setEditText(QStringLiteral("10.0.0.6"));
    QTest::mouseClick(second->DlgItem<ui::CButtonST>(res::IDC_BTN_FORGET), Qt::LeftButton);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].caption, "Find device");
    EXPECT_EQ(ui::LoadRememberedAddresses(), std::vector<std::uint32_t>{0x0A000005});
}

TEST_F(FindByAddressTest, BadAddressesAreRefusedClearlyAndNothingIsSent) {
    const std::vector<std::pair<QString, std::string>> cases = {
        {"", "Type the IPv4 address of a device, for example 192.168.1.20."},
        {"192.168.1.256",
         "\"192.168.1.256\" is not an IPv4 address. Type four numbers from 0 to 255 separated by "
         "dots, for example 192.168.1.20."},
        {"127.0.0", "\"127.0.0\" is not an IPv4 address. Type four numbers from 0 to 255 "
                    "separated by dots, for example 192.168.1.20."},
        {"127.0.0.04", "\"127.0.0.04\" is not an IPv4 address. Type four numbers from 0 to 255 "
                       "separated by dots, for example 192.168.1.20."},
        {"255.255.255.255",
         "255.255.255.255 is the broadcast that SCANNING sends. Type the address of one device."},
        {"0.0.0.0", "0.0.0.0 cannot be the address of a device."},
        {"224.0.0.1", "224.0.0.1 cannot be the address of a device."},
    };
    for (const auto& [text, message] : cases) {
        alerts.clear();
        TypeAndPressEnter(text);
        ASSERT_EQ(alerts.size(), 1u) << text.toStdString();
        EXPECT_EQ(alerts[0].text, message);
        EXPECT_EQ(alerts[0].caption, "Find device");
        EXPECT_TRUE(window->isVisible());
        // The text stays, selected, for the operator to correct.
        EXPECT_EQ(Field()->currentText(), text);
        EXPECT_EQ(Field()->lineEdit()->selectedText(), text);
    }
    EXPECT_EQ(window->DeviceCombo()->count(), 0);
    EXPECT_TRUE(window->m_search_addresses.empty());
    EXPECT_TRUE(ui::LoadRememberedAddresses().empty());
    EXPECT_EQ(SearchesHeard(), 0);
}

TEST_F(FindByAddressTest, NoAnswerIsSaidAndNothingIsRemembered) {
    window->m_search_wait_ms = 300;
    TypeAndPressEnter(QStringLiteral("127.0.0.9"));
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].text, "No device answered at 127.0.0.9 within 300 ms.");
    EXPECT_EQ(window->DeviceCombo()->count(), 0);
    EXPECT_EQ(window->Page(), nullptr);
    EXPECT_TRUE(ui::LoadRememberedAddresses().empty());
    EXPECT_EQ(Field()->count(), 0);
}

TEST_F(FindByAddressTest, EscapeInAnOpenListClosesTheListNotTheProgram) {
    ui::SaveRememberedAddresses({kHiddenIp});
    CZANDRELL_EX_NETWORKDlg* second = OpenWindow();
    for (QComboBox* combo : {second->FindAddressCombo(), second->DeviceCombo()}) {
        combo->addItem(QStringLiteral("x")); // something to open on the device list
        combo->showPopup();
        Settle();
        ASSERT_TRUE(combo->view()->isVisible());
        QTest::keyClick(combo->view(), Qt::Key_Escape);
        Settle();
        EXPECT_FALSE(combo->view()->isVisible());
        EXPECT_TRUE(second->isVisible());
    }
}

TEST(RememberedAddresses, StoredListIsCleanedWhenRead) {
    QSettings(QSettings::IniFormat, QSettings::UserScope, "KX7214", "kx7214-panel")
        .setValue("find/addresses", QStringList{"10.0.0.1", "junk", "10.0.0.1", "0.0.0.0",
                                                "255.255.255.255", "192.0.2.7"});
    EXPECT_EQ(ui::LoadRememberedAddresses(), (std::vector<std::uint32_t>{0x0A000001, 0xC0000207}));
    std::vector<std::uint32_t> many;
    for (std::uint32_t i = 1; i <= 40; ++i)
        many = ui::WithRemembered(many, 0x0A000000 + i);
    ASSERT_EQ(many.size(), ui::kMaxRememberedAddresses);
    EXPECT_EQ(many.front(), 0x0A000028u);
    EXPECT_EQ(ui::WithRemembered(many, 0x0A000010).front(), 0x0A000010u);
    EXPECT_EQ(ui::WithRemembered(many, 0x0A000010).size(), ui::kMaxRememberedAddresses);
    ui::SaveRememberedAddresses({});
}

} // namespace
} // namespace kx::test
