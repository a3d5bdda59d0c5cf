// The address control as an operator types and pastes into it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include "ui/ip_address_ctrl.h"

namespace kx::test {
namespace {

class AddressFieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(200, 40);
        address = new ui::CIPAddressCtrl(&window);
        address->setGeometry(10, 10, 165, 21);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        address->Field(0)->setFocus();
    }
    QWidget* Focus() const { return QApplication::focusWidget(); }
    // Each key goes where the focus is at the time, as the keyboard's do.
    void Type(const char* keys) {
        for (const char* k = keys; *k != 0; ++k)
            QTest::keyClick(Focus(), *k);
    }

    QWidget window;
    ui::CIPAddressCtrl* address = nullptr;
};

// A dot moves on to the next number, as it does in the system's address control; three digits
// move on by themselves, and a dot right after that is dropped.
TEST_F(AddressFieldTest, TypingADottedAddressFillsTheFourNumbers) {
    Type("10.0.0.5");
    EXPECT_EQ(address->Text(), "10.0.0.5");
    EXPECT_EQ(Focus(), address->Field(3));

    address->Field(0)->setFocus();
    address->Field(0)->selectAll();
    Type("192.168.100.7");
    EXPECT_EQ(address->Text(), "192.168.100.7");

    // A dot in an empty number, or in the last one, stays where it is.
    address->ClearAddress();
    address->Field(0)->setFocus();
    Type(".");
    EXPECT_EQ(Focus(), address->Field(0));
    address->Field(3)->setFocus();
    Type("9.");
    EXPECT_EQ(Focus(), address->Field(3));
    EXPECT_EQ(address->Field(3)->text(), "9");
}

TEST_F(AddressFieldTest, PastingADottedAddressFillsTheFourNumbers) {
    QGuiApplication::clipboard()->setText(QStringLiteral(" 172.16.0.254 "));
    QTest::keyClick(Focus(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(address->Text(), "172.16.0.254");

    // A lone number pastes into its field; text that is no number changes nothing.
    address->Field(2)->setFocus();
    address->Field(2)->selectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("31"));
    QTest::keyClick(Focus(), Qt::Key_V, Qt::ControlModifier);
    QGuiApplication::clipboard()->setText(QStringLiteral("gateway"));
    QTest::keyClick(Focus(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(address->Text(), "172.16.31.254");
}

} // namespace
} // namespace kx::test
