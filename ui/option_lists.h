#pragma once
// The option lists of the line pages. Every entry is inserted at its own position, and that
// position is the value the record holds and the device is sent.
#include <QComboBox>
#include <QStringList>
#include <cstddef>
#include <cstdint>

#include "link/session.h"

namespace kx::ui {

const QStringList& OffOnEntries();           // "OFF", "ON"
const QStringList& LeftMiddleRightEntries(); // "Left", "Middle", "Right"
const QStringList& ColorEntries();           // "Black" (0) .. "HalfTrans" (15)

// The Scale page's lists.
const QStringList& OutputFormatEntries(); // "1080p60" (0) .. "720p25" (10)
const QStringList& BorderEnableEntries(); // "Border OFF", "Border ON"
const QStringList& BorderColorEntries();  // "White", "Red", "Green", "Blue"
const QStringList& LayoutNameEntries();   // the device's own names of its sixteen layouts

// The Audio page's lists.
const QStringList& AudioPositionEntries();     // "Left", "Right" (sent as 0 and 2)
const QStringList& AudioChannelEntries();      // "CH1-2" .. "CH15-16"
const QStringList& AudioTransparencyEntries(); // "0%", "50%", "100%"
const QStringList& AudioCombinationEntries();  // "Bar and Float", "Bar Only ", "Float Only"

// Entries written in the source as UTF-8 texts.
template <std::size_t N> QStringList EntriesOf(const char* const (&entries)[N]) {
    QStringList list;
    for (const char* entry : entries)
        list.append(QString::fromUtf8(entry));
    return list;
}

// Inserts the entries at their positions and selects `value`; a value beyond the list leaves
// the box without a selection. The open list shows every entry, as the system's drop-down
// lists do however short the template made them.
void FillList(QComboBox* combo, const QStringList& entries, int value);

// Changes on the pages go to the device at once only in Auto Apply.
inline bool IsAutoApply(const CKX7214Session& main) {
    return main.m_all_kx7214_page_data.kx7214_auto_or_manual_status == 0;
}

// A per-line field of the record.
using LineField = std::uint8_t (kx7214_page_data::*)[kLineCount];

inline std::uint8_t& At(CKX7214Session& main, LineField field, int line) {
    return (main.m_all_kx7214_page_data.*field)[line];
}

} // namespace kx::ui
