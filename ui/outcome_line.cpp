#include "ui/outcome_line.h"

#include <QPainter>

#include "ui/button_st.h"
#include "ui/ctl_color.h"
#include "ui/outcome_text.h"

namespace kx::ui {

namespace {

// A refusal or a missing answer stands out in amber until the next exchange.
const QColor kWarningGround{0xF0, 0xA0, 0x20};
constexpr int kPadding = 6;
constexpr int kGap = 12;
constexpr int kReadAgainWidth = 84;

} // namespace

COutcomeLine::COutcomeLine(QWidget* parent) : QWidget(parent), m_read_again(new CButtonST(this)) {
    m_read_again->setText(QStringLiteral("Read again"));
    m_read_again->setToolTip(QStringLiteral("Read the device's settings again (F5)"));
    m_read_again->ApplyTextButtonLook();
    m_read_again->setFocusPolicy(Qt::NoFocus);
    m_read_again->hide();
}

void COutcomeLine::Show(const std::deque<OutcomeReport>& history) {
    if (history.empty())
        return;
    m_text = LineText(history);
    m_warning = history.back().outcome != Outcome::Accepted;
    m_read_again->setVisible(OffersReadAgain(history.back()));
    setToolTip(HistoryText(history));
    update();
}

void COutcomeLine::SetUnapplied(int count) {
    const QString text = UnappliedText(count);
    if (text == m_unapplied)
        return;
    m_unapplied = text;
    update();
}

QColor COutcomeLine::Ground() const {
    return m_warning ? kWarningGround : kSkinFieldGround;
}

QColor COutcomeLine::TextColor() const {
    return m_warning ? kSkinEditText : kSkinFieldText;
}

QRect COutcomeLine::ReadAgainPlace() const {
    return {width() - kReadAgainWidth, 0, kReadAgainWidth, height()};
}

void COutcomeLine::resizeEvent(QResizeEvent*) {
    m_read_again->setGeometry(ReadAgainPlace());
}

// The count keeps its place at the right; the outcome takes the rest and is cut with an
// ellipsis when it does not fit (the history shows it whole).
void COutcomeLine::paintEvent(QPaintEvent*) {
    if (m_text.isEmpty() && m_unapplied.isEmpty())
        return;
    QPainter p(this);
    p.fillRect(rect(), Ground());
    p.setPen(TextColor());
    QRect area = rect().adjusted(kPadding, 0, -kPadding, 0);
    if (m_read_again->isVisible())
        area.setRight(ReadAgainPlace().left() - kPadding);
    if (!m_unapplied.isEmpty()) {
        QFont bold = font();
        bold.setBold(true);
        p.setFont(bold);
        p.drawText(area, Qt::AlignRight | Qt::AlignVCenter, m_unapplied);
        area.setRight(area.right() - QFontMetrics(bold).horizontalAdvance(m_unapplied) - kGap);
        p.setFont(font());
    }
    const QString shown = fontMetrics().elidedText(m_text, Qt::ElideRight, area.width());
    p.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, shown);
}

} // namespace kx::ui
