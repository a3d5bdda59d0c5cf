#include "ui/list_style.h"

#include <QApplication>
#include <QPointer>
#include <QStyleOptionComplex>

namespace kx::ui {

namespace {
constexpr int kFrame = 2;
constexpr int kArrowWidth = 16;
// The text starts one pixel inside the frame; the style draws it one more pixel in.
constexpr int kTextInset = 1;
} // namespace

CListStyle* CListStyle::Instance() {
    static QPointer<CListStyle> style;
    if (!style) {
        style = new CListStyle;
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

QRect CListStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                 SubControl sub_control, const QWidget* widget) const {
    if (control != CC_ComboBox ||
        (sub_control != SC_ComboBoxArrow && sub_control != SC_ComboBoxEditField))
        return QProxyStyle::subControlRect(control, option, sub_control, widget);
    const QRect inside = option->rect.adjusted(kFrame, kFrame, -kFrame, -kFrame);
    const QRect arrow(inside.right() + 1 - kArrowWidth, inside.top(), kArrowWidth, inside.height());
    const QRect text(inside.left() + kTextInset, inside.top(),
                     arrow.left() - inside.left() - kTextInset, inside.height());
    return visualRect(option->direction, option->rect,
                      sub_control == SC_ComboBoxArrow ? arrow : text);
}

} // namespace kx::ui
