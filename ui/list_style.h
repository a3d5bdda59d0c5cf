#pragma once
// The closed drop-down list in the proportions of the system's own lists: a frame of two
// pixels and an arrow button as narrow as a scroll bar, so that the templates' list widths
// hold their longest entries.
#include <QProxyStyle>

namespace kx::ui {

class CListStyle : public QProxyStyle {
    Q_OBJECT
public:
    // One style for every drop-down list of the program, living as long as the application.
    static CListStyle* Instance();

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                         SubControl sub_control, const QWidget* widget) const override;

private:
    CListStyle() = default;
};

} // namespace kx::ui
