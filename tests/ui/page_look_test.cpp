// What the operator sees on the pages, measured on the widgets as they are drawn: every entry of
// every list shows whole in its closed list, each row's label sits level with the text of its
// control, and the Overlay page's fields and the disabled lists keep the dark skin.
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <map>

#include "tests/ui/device_page_test.h"

namespace kx::test {
namespace {

constexpr int kTabOverlay = 3;
constexpr int kTabCount = 6;

// The room a closed list gives the text of its entry: the style's text field, less the pixel
// the label is drawn inside it at either end.
int TextRoom(const QComboBox* combo) {
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.frame = combo->hasFrame();
    option.subControls = QStyle::SC_All;
    const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxEditField, combo);
    return field.width() - 2;
}

QRect TextField(const QComboBox* combo) {
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.subControls = QStyle::SC_All;
    return combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                          QStyle::SC_ComboBoxEditField, combo);
}

int Lightness(QRgb c) {
    return (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000;
}

// The first and last pixel rows of text in the rectangle: pixels far from its most common
// colour, which is the ground the text stands on.
std::pair<int, int> InkRows(const QImage& image, const QRect& area) {
    std::map<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb ground = 0;
    int most = 0;
    for (const auto& [colour, n] : counts)
        if (n > most)
            std::tie(ground, most) = std::pair{colour, n};
    int top = -1, bottom = -1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (std::abs(Lightness(image.pixel(x, y)) - Lightness(ground)) > 40) {
                top = top < 0 ? y : top;
                bottom = y;
            }
    return {top, bottom};
}

class PageLookTest : public DevicePageTest {
protected:
    ui::CDialog* Page() { return Main().Page()->ChildPage(); }
    QLabel* Label(const char* text) {
        for (QLabel* label : Page()->findChildren<QLabel*>())
            if (label->text() == QLatin1String(text) && label->isVisible())
                return label;
        return nullptr;
    }
};

TEST_F(PageLookTest, EveryEntryOfEveryListShowsWholeInItsClosedList) {
    int lists = 0;
    for (int tab = 1; tab <= kTabCount; ++tab) {
        ClickTab(tab);
        for (const QComboBox* combo : Page()->findChildren<QComboBox*>()) {
            if (!combo->isVisible())
                continue;
            ++lists;
            const int room = TextRoom(combo);
            ASSERT_GT(combo->count(), 0);
            for (int i = 0; i < combo->count(); ++i)
                EXPECT_LE(combo->fontMetrics().horizontalAdvance(combo->itemText(i)), room)
                    << "tab " << tab << ", list " << combo->property("kx_control_id").toInt()
                    << ": \"" << combo->itemText(i).toStdString() << "\" in " << combo->width()
                    << " pixels";
        }
    }
    EXPECT_EQ(lists, 3 + 16 + 12 + 16 + 1);
    // The Overlay's colour lists keep the width of the template: 53 and 64 dialog units.
    ClickTab(kTabOverlay);
    EXPECT_EQ(Page()->GetDlgItem(1046)->width(), 80);
    EXPECT_EQ(Page()->GetDlgItem(1050)->width(), 96);
}

// The label's text and the control's text start on the same pixel row, give or take the one
// pixel by which a letter's ascender can stand above a capital.
TEST_F(PageLookTest, EachRowsLabelIsLevelWithTheTextOfItsControl) {
    const std::vector<std::pair<int, std::vector<std::pair<const char*, int>>>> rows = {
        {1, {{"Custom Name", 1009}, {"Firmware Version", 1010}, {"Output Status", 1031}}},
        {2, {{"Output Format", 1011}, {"Border Enable", 1014}, {"Border Color", 1013}}},
        {3, {{"SDI IN 1", 1041}, {"SDI IN 2", 1035}, {"SDI IN 3", 1036}, {"SDI IN 4", 1037}}},
        {4, {{"SDI IN 1", 1061}, {"SDI IN 2", 1062}, {"SDI IN 3", 1063}, {"SDI IN 4", 1064}}},
        {5, {{"SDI IN 1", 1068}, {"SDI IN 2", 1015}, {"SDI IN 3", 1016}, {"SDI IN 4", 1017}}},
        {6, {{"Setting", 1014}, {"IP Address", 1035}, {"Subnet Mask", 1036}, {"Gateway", 1037}}},
    };
    for (const auto& [tab, pairs] : rows) {
        ClickTab(tab);
        const QImage image = Page()->grab().toImage();
        for (const auto& [text, id] : pairs) {
            SCOPED_TRACE(std::to_string(tab) + " " + text);
            QLabel* label = Label(text);
            ASSERT_NE(label, nullptr);
            QWidget* control = Page()->GetDlgItem(id);
            QRect field = control->rect().adjusted(2, 2, -2, -2);
            if (auto* combo = qobject_cast<QComboBox*>(control))
                field = TextField(combo);
            const auto [label_top, label_bottom] = InkRows(image, label->geometry());
            const auto [text_top, text_bottom] = InkRows(image, field.translated(control->pos()));
            ASSERT_GE(label_top, 0);
            ASSERT_GE(text_top, 0);
            EXPECT_LE(std::abs(label_top - text_top), 1)
                << "label rows " << label_top << ".." << label_bottom << ", text rows " << text_top
                << ".." << text_bottom;
        }
    }
}

// The content fields are light grey on dark grey whether their line is on or off; a list that
// is switched off looks off, dark as the skin, never a light grey box.
TEST_F(PageLookTest, OverlayFieldsKeepTheirLookAndDisabledListsStayDark) {
    Record().kx7214_umd_enable[0] = 1;
    Record().kx7214_umd_enable[2] = 0;
    ClickTab(kTabOverlay);
    Settle();
    auto* on = Page()->DlgItem<QLineEdit>(1016);
    auto* off = Page()->DlgItem<QLineEdit>(1022);
    ASSERT_TRUE(on->isEnabled());
    ASSERT_FALSE(off->isEnabled());
    for (QLineEdit* field : {on, off}) {
        const QImage image = field->grab().toImage();
        EXPECT_EQ(QColor(image.pixel(field->width() - 4, field->height() / 2)),
                  QColor(0x40, 0x40, 0x40));
        const QPalette::ColorGroup group =
            field->isEnabled() ? QPalette::Active : QPalette::Disabled;
        EXPECT_EQ(field->palette().color(group, QPalette::Text), QColor(0xC0, 0xC0, 0xC0));
        EXPECT_EQ(field->palette().color(group, QPalette::Base), QColor(0x40, 0x40, 0x40));
        const auto [top, bottom] = InkRows(image, field->rect().adjusted(2, 2, -2, -2));
        EXPECT_GE(top, 0) << "the text shows";
    }

    auto* enabled_list = Page()->DlgItem<QComboBox>(1042);
    auto* disabled_list = Page()->DlgItem<QComboBox>(1044);
    ASSERT_FALSE(disabled_list->isEnabled());
    const QImage enabled = enabled_list->grab().toImage();
    const QImage disabled = disabled_list->grab().toImage();
    const QRect field = TextField(disabled_list);
    const QPoint ground(field.right() - 2, field.center().y());
    EXPECT_GT(Lightness(enabled.pixel(ground)), 0xE0) << "an enabled list is white";
    EXPECT_LT(Lightness(disabled.pixel(ground)), 0x60) << "a disabled list is dark";
    const auto [top, bottom] = InkRows(disabled, field);
    EXPECT_GE(top, 0) << "its entry still shows";
}

} // namespace
} // namespace kx::test
