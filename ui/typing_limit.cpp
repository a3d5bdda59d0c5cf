#include "ui/typing_limit.h"

#include <QLineEdit>
#include <algorithm>

namespace kx::ui {

namespace {

qsizetype CommonPrefix(const QString& a, const QString& b) {
    const qsizetype n = std::min(a.size(), b.size());
    qsizetype i = 0;
    while (i < n && a.at(i) == b.at(i))
        ++i;
    return i;
}

} // namespace

CTypingLimit::CTypingLimit(QLineEdit* edit, int limit)
    : QValidator(edit), m_edit(edit), m_limit(limit), m_accepted(edit->text()) {
    connect(edit, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_accepted = text; });
}

void CTypingLimit::Attach(QLineEdit* edit, int limit) {
    edit->setValidator(new CTypingLimit(edit, limit));
}

// An insertion stands between what was before the cursor and what still follows it; of the
// inserted units only as many are kept as leave the text within the limit.
QValidator::State CTypingLimit::validate(QString& input, int& cursor) const {
    const bool entered = m_edit->isModified();
    if (!entered || input.size() <= m_limit || input.size() <= m_accepted.size())
        return Acceptable;
    const qsizetype after = input.size() - cursor;
    const qsizetype before =
        std::min({CommonPrefix(m_accepted, input), qsizetype(cursor), m_accepted.size() - after});
    const qsizetype inserted = cursor - before;
    const qsizetype kept_text = input.size() - inserted;
    qsizetype keep = std::clamp<qsizetype>(m_limit - kept_text, 0, inserted);
    if (keep > 0 && input.at(before + keep - 1).isHighSurrogate())
        --keep;
    input.remove(before + keep, inserted - keep);
    cursor = static_cast<int>(before + keep);
    return Acceptable;
}

} // namespace kx::ui
