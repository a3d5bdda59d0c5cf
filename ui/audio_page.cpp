#include "ui/audio_page.h"

#include <QKeyEvent>
#include <array>

#include "platform/log.h"
#include "res/resource_ids.h"
#include "ui/option_lists.h"

namespace kx::ui {

namespace {

constexpr int kLastLine = kLineCount - 1;
// The device takes 0 for a meter on the left and 2 for one on the right; the list's second
// entry is Right.
constexpr std::uint8_t kDeviceRight = 2;

using namespace res;

// Per line: enable, position, channel, transparency, combination (AudioColumn order).
constexpr std::array<std::array<int, kAudioColumnCount>, kLineCount> kIds = {{
    {IDC_AUDIO_ENABLE_1, IDC_AUDIO_POSITION_1, IDC_AUDIO_CHANNEL_1, IDC_AUDIO_TRANSPARENCY_1,
     IDC_AUDIO_COMBINATION_1},
    {IDC_AUDIO_ENABLE_2, IDC_AUDIO_POSITION_2, IDC_AUDIO_CHANNEL_2, IDC_AUDIO_TRANSPARENCY_2,
     IDC_AUDIO_COMBINATION_2},
    {IDC_AUDIO_ENABLE_3, IDC_AUDIO_POSITION_3, IDC_AUDIO_CHANNEL_3, IDC_AUDIO_TRANSPARENCY_3,
     IDC_AUDIO_COMBINATION_3},
    {IDC_AUDIO_ENABLE_4, IDC_AUDIO_POSITION_4, IDC_AUDIO_CHANNEL_4, IDC_AUDIO_TRANSPARENCY_4,
     IDC_AUDIO_COMBINATION_4},
}};

struct ColumnInfo {
    LineField field;
    std::uint8_t command;
};

constexpr std::array<ColumnInfo, kAudioColumnCount> kColumns = {{
    {&kx7214_page_data::kx7214_audio_enable, CMD_SET_AUDIO_ENABLE},
    {&kx7214_page_data::kx7214_audio_postion, CMD_SET_AUDIO_POSITION},
    {&kx7214_page_data::kx7214_audio_in_ch, CMD_SET_AUDIO_CHANNEL},
    {&kx7214_page_data::kx7214_audio_transparency, CMD_SET_AUDIO_TRANSPARENCY},
    {&kx7214_page_data::kx7214_audio_combination, CMD_SET_AUDIO_COMBINATION},
}};

const ColumnInfo& Info(AudioColumn column) {
    return kColumns[static_cast<std::size_t>(column)];
}

} // namespace

int AudioControlId(int line, AudioColumn column) {
    return kIds[static_cast<std::size_t>(line)][static_cast<std::size_t>(column)];
}

CKX7214_Audio::CKX7214_Audio(QWidget* parent)
    : CPageDialog(res::AudioTemplate(), "audio", parent) {}

QComboBox* CKX7214_Audio::List(int line, AudioColumn column) const {
    return DlgItem<QComboBox>(AudioControlId(line, column));
}

bool CKX7214_Audio::OnInitDialog() {
    m_p_main_wnd = m_p_glo_main_dlg;
    PlaceGroupBox(IDC_AUDIO_GROUP)->raise();
    if (m_p_main_wnd == nullptr)
        return false;
    for (int line = 0; line < kLineCount; ++line)
        FillLine(line);
    return false;
}

// The list shows Right as its second entry, so a 2 from the device is kept as 1 while the
// page is open; packing the whole configuration turns it back into 2.
void CKX7214_Audio::FillLine(int line) {
    CKX7214Session& main = *m_p_main_wnd;
    const auto value = [&](AudioColumn c) -> std::uint8_t& {
        return At(main, Info(c).field, line);
    };
    FillList(List(line, AudioColumn::Enable), OffOnEntries(), value(AudioColumn::Enable));
    std::uint8_t& position = value(AudioColumn::Position);
    if (position == kDeviceRight)
        position = 1;
    FillList(List(line, AudioColumn::Position), AudioPositionEntries(), position);
    FillList(List(line, AudioColumn::Transparency), AudioTransparencyEntries(),
             value(AudioColumn::Transparency));
    FillList(List(line, AudioColumn::Combination), AudioCombinationEntries(),
             value(AudioColumn::Combination));
    FillList(List(line, AudioColumn::Channel), AudioChannelEntries(), value(AudioColumn::Channel));
    EnableLine(line, value(AudioColumn::Enable) != 0);
}

void CKX7214_Audio::EnableLine(int line, bool enable) {
    for (AudioColumn c : {AudioColumn::Position, AudioColumn::Transparency,
                          AudioColumn::Combination, AudioColumn::Channel})
        List(line, c)->setEnabled(enable);
}

void CKX7214_Audio::OnCommand(int id, Notify code) {
    if (code != Notify::SelChange || m_p_main_wnd == nullptr)
        return;
    for (int line = 0; line < kLineCount; ++line)
        for (int c = 0; c < kAudioColumnCount; ++c)
            if (kIds[static_cast<std::size_t>(line)][static_cast<std::size_t>(c)] == id)
                return OnListChanged(line, static_cast<AudioColumn>(c));
}

void CKX7214_Audio::OnListChanged(int line, AudioColumn column) {
    const int index = List(line, column)->currentIndex();
    if (index < 0)
        return;
    auto value = static_cast<std::uint8_t>(index);
    if (column == AudioColumn::Position) {
        value = index == 1 ? kDeviceRight : 0;
        if (line == kLastLine)
            platform::Log("postion is %d\n", value);
    }
    CKX7214Session& main = *m_p_main_wnd;
    At(main, Info(column).field, line) = value;
    if (column == AudioColumn::Enable)
        EnableLine(line, value != 0);
    main.UpdateAudioGeometry();
    if (IsAutoApply(main))
        main.SendLineValue(Info(column).command, static_cast<std::uint8_t>(line), value);
}

CtlColor CKX7214_Audio::OnCtlColor(QWidget*, int, CtlType type) {
    return SharedCtlColor(type);
}

} // namespace kx::ui
