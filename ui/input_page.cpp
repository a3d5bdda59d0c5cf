#include "ui/input_page.h"

#include <QKeyEvent>
#include <array>
#include <optional>

#include "platform/log.h"
#include "res/resource_ids.h"
#include "ui/option_lists.h"

namespace kx::ui {

namespace {

using namespace res;

// Per line: enable, position, text colour, background colour (InputColumn order).
constexpr std::array<std::array<int, kInputColumnCount>, kLineCount> kIds = {{
    {IDC_INPUT_ENABLE_1, IDC_INPUT_POSITION_1, IDC_INPUT_TEXT_COLOR_1, IDC_INPUT_BACK_COLOR_1},
    {IDC_INPUT_ENABLE_2, IDC_INPUT_POSITION_2, IDC_INPUT_TEXT_COLOR_2, IDC_INPUT_BACK_COLOR_2},
    {IDC_INPUT_ENABLE_3, IDC_INPUT_POSITION_3, IDC_INPUT_TEXT_COLOR_3, IDC_INPUT_BACK_COLOR_3},
    {IDC_INPUT_ENABLE_4, IDC_INPUT_POSITION_4, IDC_INPUT_TEXT_COLOR_4, IDC_INPUT_BACK_COLOR_4},
}};

struct ColumnInfo {
    LineField field;
    // The device's codes for the input-status label: text colour, background colour and
    // position follow the enable in that order, unlike the UMD label's.
    std::uint8_t command;
    const QStringList& (*entries)();
};

const std::array<ColumnInfo, kInputColumnCount> kColumns = {{
    {&kx7214_page_data::kx7214_input_enable, CMD_SET_INPUT_ENABLE, &OffOnEntries},
    {&kx7214_page_data::kx7214_input_postion, CMD_SET_INPUT_POSITION, &LeftMiddleRightEntries},
    {&kx7214_page_data::kx7214_input_text_color, CMD_SET_INPUT_TEXT_COLOR, &ColorEntries},
    {&kx7214_page_data::kx7214_input_back_color, CMD_SET_INPUT_BACK_COLOR, &ColorEntries},
}};

const ColumnInfo& Info(InputColumn column) {
    return kColumns[static_cast<std::size_t>(column)];
}

// The colour a text or background colour must differ from: the line's other one.
std::optional<InputColumn> OtherColor(InputColumn column) {
    if (column == InputColumn::TextColor)
        return InputColumn::BackColor;
    if (column == InputColumn::BackColor)
        return InputColumn::TextColor;
    return std::nullopt;
}

} // namespace

int InputControlId(int line, InputColumn column) {
    return kIds[static_cast<std::size_t>(line)][static_cast<std::size_t>(column)];
}

CKX7214_Input::CKX7214_Input(QWidget* parent)
    : CPageDialog(res::InputTemplate(), "input", parent) {}

QComboBox* CKX7214_Input::List(int line, InputColumn column) const {
    return DlgItem<QComboBox>(InputControlId(line, column));
}

bool CKX7214_Input::OnInitDialog() {
    m_p_main_wnd = m_p_glo_main_dlg;
    PlaceGroupBox(IDC_INPUT_GROUP)->raise();
    if (m_p_main_wnd == nullptr)
        return false;
    for (int line = 0; line < kLineCount; ++line)
        FillLine(line);
    return false;
}

void CKX7214_Input::FillLine(int line) {
    for (int c = 0; c < kInputColumnCount; ++c) {
        const auto column = static_cast<InputColumn>(c);
        FillList(List(line, column), Info(column).entries(),
                 At(*m_p_main_wnd, Info(column).field, line));
    }
    EnableLine(line, At(*m_p_main_wnd, Info(InputColumn::Enable).field, line) != 0);
}

// The enable list itself stays usable so that the label can be switched on again.
void CKX7214_Input::EnableLine(int line, bool enable) {
    for (InputColumn c : {InputColumn::Position, InputColumn::TextColor, InputColumn::BackColor})
        List(line, c)->setEnabled(enable);
}

void CKX7214_Input::OnCommand(int id, Notify code) {
    if (code != Notify::SelChange || m_p_main_wnd == nullptr)
        return;
    for (int line = 0; line < kLineCount; ++line)
        for (int c = 0; c < kInputColumnCount; ++c)
            if (kIds[static_cast<std::size_t>(line)][static_cast<std::size_t>(c)] == id)
                return OnListChanged(line, static_cast<InputColumn>(c));
}

// A label whose text has the colour of its background cannot be read: such a choice puts the
// list back to the colour the record holds and changes nothing else.
void CKX7214_Input::OnListChanged(int line, InputColumn column) {
    QComboBox* list = List(line, column);
    if (list->currentIndex() < 0)
        return;
    const auto value = static_cast<std::uint8_t>(list->currentIndex());
    CKX7214Session& main = *m_p_main_wnd;
    std::uint8_t& stored = At(main, Info(column).field, line);
    if (const auto other = OtherColor(column);
        other && value == At(main, Info(*other).field, line)) {
        list->setCurrentIndex(stored < list->count() ? stored : -1);
        return;
    }
    stored = value;
    if (column == InputColumn::Enable)
        EnableLine(line, value != 0);
    main.UpdateInputGeometry();
    if (IsAutoApply(main))
        main.SendLineValue(Info(column).command, static_cast<std::uint8_t>(line), value);
}

CtlColor CKX7214_Input::OnCtlColor(QWidget*, int, CtlType type) {
    return SharedCtlColor(type);
}

} // namespace kx::ui
