#pragma once
// The typing limit of the name and UMD text fields, as the system's edit limit works: typing
// and pasting stop at the limit, a paste keeps what fits (never half of a character that takes
// two UTF-16 units), and a longer text set by the program stays whole and can be shortened.
#include <QValidator>

class QLineEdit;

namespace kx::ui {

class CTypingLimit : public QValidator {
    Q_OBJECT
public:
    // Limits the field to `limit` UTF-16 units of what the operator enters.
    static void Attach(QLineEdit* edit, int limit);

    State validate(QString& input, int& cursor) const override;

private:
    CTypingLimit(QLineEdit* edit, int limit);

    QLineEdit* m_edit;
    int m_limit;
    QString m_accepted; // the text before the change being validated
};

} // namespace kx::ui
