#pragma once
// The outcome line of the main window: one line that says what the last exchange sent and
// what came back, stands out while the device refused or did not answer, counts the changes
// not applied yet in Manual Apply, offers "Read again", and shows the latest outcomes with
// their times to a pointer resting on it.
#include <QWidget>
#include <deque>

#include "link/outcome_report.h"

namespace kx::ui {

class CButtonST;

class COutcomeLine : public QWidget {
    Q_OBJECT
public:
    explicit COutcomeLine(QWidget* parent);

    // The history's newest report on the line, the whole history to hover over.
    void Show(const std::deque<OutcomeReport>& history);
    void SetUnapplied(int count);

    const QString& Text() const { return m_text; }
    const QString& Unapplied() const { return m_unapplied; }
    bool IsWarning() const { return m_warning; }
    CButtonST* ReadAgainButton() const { return m_read_again; }
    QColor Ground() const;
    QColor TextColor() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect ReadAgainPlace() const;

    QString m_text;
    QString m_unapplied;
    bool m_warning = false;
    CButtonST* m_read_again;
};

} // namespace kx::ui
