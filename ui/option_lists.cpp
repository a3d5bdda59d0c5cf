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

const QStringList& OutputFormatEntries() {
    static const QStringList entries = EntriesOf({
        "1080p60",
        "1080p50",
        "1080p30",
        "1080p25",
        "1080p24",
        "1080i60",
        "1080i50",
        "720p60",
        "720p50",
        "720p30",
        "720p25",
    });
    return entries;
}

const QStringList& BorderEnableEntries() {
    static const QStringList entries = EntriesOf({"Border OFF", "Border ON"});
    return entries;
}

const QStringList& BorderColorEntries() {
    static const QStringList entries = EntriesOf({"White", "Red", "Green", "Blue"});
    return entries;
}

// In the order of the layout table.
const QStringList& LayoutNameEntries() {
    static const QStringList entries = EntriesOf({
        "四画面(均分)",
        "四画面(上三下一)",
        "四画面(上一下三)",
        "四画面(左一右三)",
        "四画面(左三右一)",
        "三画面(一大二小)",
        "三画面(品字形)",
        "两画面(右上小)",
        "两画面(左上小)",
        "两画面(左下小)",
        "两画面(右下小)",
        "两画面(窄均分)",
        "单画面(CH4)",
        "单画面(CH3)",
        "单画面(CH2)",
        "单画面(CH1)",
    });
    return entries;
}

const QStringList& AudioPositionEntries() {
    static const QStringList entries = EntriesOf({"Left", "Right"});
    return entries;
}

const QStringList& AudioChannelEntries() {
    static const QStringList entries = [] {
        QStringList out;
        for (int first = 1; first < 16; first += 2)
            out << QString::asprintf("CH%d-%d", first, first + 1);
        return out;
    }();
    return entries;
}

const QStringList& AudioTransparencyEntries() {
    static const QStringList entries = EntriesOf({"0%", "50%", "100%"});
    return entries;
}

const QStringList& AudioCombinationEntries() {
    static const QStringList entries = EntriesOf({"Bar and Float", "Bar Only ", "Float Only"});
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
