// The device name and the UMD texts as the operator edits them: a paste keeps what fits the
// sixteen characters, and opening the field's own context menu commits nothing.
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>

#include "tests/ui/device_page_test.h"

namespace kx::test {
namespace {

constexpr int kTabStatus = 1, kTabOverlay = 3;
constexpr int kNameField = 1009, kContentLine3 = 1022;
const QPoint kPageBackground(600, 190);

struct Field {
    int tab;
    int id;
};

class TextFieldTest : public DevicePageTest, public ::testing::WithParamInterface<Field> {
protected:
    void SetUp() override {
        DevicePageTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ClickTab(GetParam().tab);
        P().DeviceA().ClearFrames();
        field = Main().Page()->ChildPage()->DlgItem<QLineEdit>(GetParam().id);
        ASSERT_NE(field, nullptr);
        Main().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
        QTest::mouseClick(field, Qt::LeftButton);
        ASSERT_TRUE(field->hasFocus());
        log.lines.clear();
    }
    // Pastes the text into the field with the keyboard, as the operator does.
    void Paste(const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    }
    void Replace(const QString& text) {
        field->selectAll();
        field->del();
        field->insert(text);
    }
    // What the device was sent for this field: the name, or the UMD text of line 3.
    std::vector<Bytes> Sent(const std::u16string& text) const {
        if (GetParam().tab == kTabStatus) {
            Bytes name(text.begin(), text.end());
            name.push_back(0);
            return {Request(0x91, name)};
        }
        return {Request(0x99, UmdTextPayload(2, text))};
    }
    std::u16string Stored() {
        return GetParam().tab == kTabStatus ? Main().m_device_name : Main().m_umd_text[2];
    }

    QLineEdit* field = nullptr;
};

TEST_P(TextFieldTest, APasteKeepsTheFirstSixteenCharactersAsTypingWould) {
    Replace(QString());
    Paste(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWX"));
    EXPECT_EQ(field->text(), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(field->cursorPosition(), 16);

    // At the end of a text that has room for eleven more.
    Replace(QStringLiteral("CAM 1"));
    Paste(QStringLiteral("0123456789abcdef"));
    EXPECT_EQ(field->text(), "CAM 10123456789a");

    // Over a selection: what it replaces makes room.
    Replace(QStringLiteral("0123456789"));
    field->setSelection(3, 3);
    Paste(QStringLiteral("ABCDEFGHIJ"));
    EXPECT_EQ(field->text(), "012ABCDEFGHI6789");
    EXPECT_EQ(field->cursorPosition(), 12);

    // A character outside the basic plane takes two units; half of it is never kept.
    Replace(QString());
    Paste(QString(15, QLatin1Char('a')) + QString::fromUtf8("\xF0\x9F\x98\x80") + "zz");
    EXPECT_EQ(field->text(), QString(15, QLatin1Char('a')));
    Paste(QString::fromUtf8("é"));
    EXPECT_EQ(field->text(), QString(15, QLatin1Char('a')) + QString::fromUtf8("é"));

    // Nothing has been sent by pasting.
    EXPECT_TRUE(Received().empty());
}

// A longer text that came from the device stays whole; a paste cannot lengthen it.
TEST_P(TextFieldTest, APasteCannotLengthenALongerStoredText) {
    field->setText(QStringLiteral("a label of twenty ch"));
    field->end(false);
    Paste(QStringLiteral("xyz"));
    EXPECT_EQ(field->text(), "a label of twenty ch");
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->text(), "a label of twenty c");
}

// Pasting from the field's own menu is not leaving the field: nothing is committed until the
// operator does leave it (here by a click on the page background, which hands the focus on).
TEST_P(TextFieldTest, TheContextMenuCommitsNothingAndItsPasteIsCommittedLater) {
    Replace(QStringLiteral("Half"));
    QGuiApplication::clipboard()->setText(QStringLiteral("way"));
    QContextMenuEvent open(QContextMenuEvent::Mouse, QPoint(5, 5),
                           field->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(field, &open);
    Settle();
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr) << "the field's menu is open";
    EXPECT_TRUE(Received().empty());
    EXPECT_NE(Stored(), u"Half");
    QAction* paste = nullptr;
    for (QAction* action : menu->actions())
        if (action->text().contains(QLatin1String("Paste")))
            paste = action;
    ASSERT_NE(paste, nullptr);
    paste->trigger();
    menu->close();
    Settle();
    EXPECT_EQ(field->text(), "Halfway");
    EXPECT_TRUE(field->hasFocus());
    EXPECT_TRUE(Received().empty());
    EXPECT_NE(Stored(), u"Halfway");

    QTest::mouseClick(Main().Page()->ChildPage(), Qt::LeftButton, {}, kPageBackground);
    Settle();
    EXPECT_FALSE(field->hasFocus());
    EXPECT_EQ(Stored(), u"Halfway");
    EXPECT_EQ(Received(), Sent(u"Halfway"));
}

INSTANTIATE_TEST_SUITE_P(NameAndUmdText, TextFieldTest,
                         ::testing::Values(Field{kTabStatus, kNameField},
                                           Field{kTabOverlay, kContentLine3}),
                         [](const auto& param_info) {
                             return param_info.param.tab == kTabStatus ? "DeviceName" : "UmdText";
                         });

} // namespace
} // namespace kx::test
