#include "ui/option_lists.h"

namespace kx::ui {

const QStringList& OffOnEntries() {
    static const QStringList entries = {QStringLiteral("OFF"), QStringLiteral("ON")};
    return entries;
}

const QStringList& LeftMiddleRightEntries() {
    static const QStringList entries = {QStringLiteral("Left"), QStringLiteral("Middle"),
                                        QStringLiteral("Right")};
    return entries;
}

const QStringList& ColorEntries() {
    static const QStringList entries = {
        QStringLiteral("Black"),     QStringLiteral("Blue"),        QStringLiteral("Red"),
        QStringLiteral("Magenta"),   QStringLiteral("Green"),       QStringLiteral("Cyan"),
        QStringLiteral("Yellow"),    QStringLiteral("White"),       QStringLiteral("Gray"),
        QStringLiteral("VioletRed"), QStringLiteral("LightBlue"),   QStringLiteral("LightGreen"),
        QStringLiteral("LightCyan"), QStringLiteral("LightYellow"), QStringLiteral("Trans"),
        QStringLiteral("HalfTrans"),
    };
    return entries;
}

void FillList(QComboBox* combo, const QStringList& entries, int value) {
    combo->clear();
    for (int i = 0; i < entries.size(); ++i)
        combo->insertItem(i, entries.at(i));
    combo->setCurrentIndex(value < entries.size() ? value : -1);
    combo->setMaxVisibleItems(static_cast<int>(entries.size()));
}

} // namespace kx::ui
