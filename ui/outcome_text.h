#pragma once
// The words an operator reads about an exchange: the setting and its new value as the pages
// name them, what came back, which device and how long it took.
#include <QString>
#include <cstdint>
#include <deque>
#include <vector>

#include "link/outcome_report.h"

namespace kx::ui {

// "SDI IN 2 Text Color → Black", "Output Format → 720p50", "Apply", "Read settings".
QString SettingWords(std::uint8_t command, const std::vector<std::uint8_t>& payload);

// One line about the report, e.g. "SDI IN 2 Text Color → Black: refused by the device ·
// TRQ-9_127.0.0.2 · 0.4 ms — the device may hold something else".
QString OutcomeText(const OutcomeReport& report);

// The outcome line's words for the newest report. The read that opens the first device found
// shares the line with its search, so that both stay in view.
QString LineText(const std::deque<OutcomeReport>& history);

// Whether the device may now hold something other than the panel shows, so that reading it
// again is worth offering: a change, or a read, that did not go through.
bool OffersReadAgain(const OutcomeReport& report);

// The reports with their times of day, newest first, as rich text.
QString HistoryText(const std::deque<OutcomeReport>& reports);

// "3 changes not applied"; empty for none.
QString UnappliedText(int count);

} // namespace kx::ui
