#include "link/applied_state.h"

#include <algorithm>
#include <array>

#include "link/commands.h"
#include "link/config_layout.h"
#include "link/read_all.h"

namespace kx {

namespace {

// Writes one acknowledged setting into the record; per-line settings carry the line first.
void NoteSetting(kx7214_page_data& record, const CommandInfo& info,
                 const std::vector<std::uint8_t>& payload) {
    const std::size_t needed = info.PerLine() ? 2 : 1;
    if (payload.size() < needed || (info.PerLine() && payload[0] >= kLineCount))
        return;
    const std::size_t offset =
        static_cast<std::size_t>(info.record_offset) + (info.PerLine() ? payload[0] : 0);
    reinterpret_cast<std::uint8_t*>(&record)[offset] = payload[needed - 1];
}

struct Span {
    std::size_t offset;
    std::size_t size;
};

// Where each setting lies in the block; settings the block does not carry read as zero on
// both sides and never count.
std::vector<Span> SettingSpans() {
    std::vector<Span> spans;
    for (const CommandInfo& c : Commands()) {
        if (!c.IsSetting())
            continue;
        for (int line = 0; line < (c.PerLine() ? kLineCount : 1); ++line)
            spans.push_back({c.block_offset + c.block_stride * std::size_t(line), 1});
    }
    for (int line = 0; line < kLineCount; ++line)
        spans.push_back({block::UmdAt(line) + block::kUmdTextLength, 1 + block::kUmdTextSize});
    spans.push_back({block::kDeviceName, block::kDeviceNameSize});
    return spans;
}

} // namespace

void NoteAcknowledged(SessionState& applied, const SessionState& now, std::uint8_t command,
                      const std::vector<std::uint8_t>& payload) {
    if (command == CMD_READ_ALL || command == CMD_SET_ALL) {
        applied = now;
    } else if (command == CMD_SET_UMD_TEXT) {
        if (!payload.empty() && payload[0] < kLineCount)
            applied.m_umd_text[payload[0]] = now.m_umd_text[payload[0]];
    } else if (command == CMD_SET_DEVICE_NAME) {
        applied.m_device_name = now.m_device_name;
    } else if (const CommandInfo* info = FindCommand(command); info && info->IsSetting()) {
        NoteSetting(applied.m_all_kx7214_page_data, *info, payload);
    }
}

int CountUnappliedChanges(const SessionState& now, const SessionState& applied) {
    static const std::vector<Span> spans = SettingSpans();
    const auto a = PackedBlock(now);
    const auto b = PackedBlock(applied);
    return static_cast<int>(std::count_if(spans.begin(), spans.end(), [&](const Span& s) {
        return !std::equal(a.begin() + long(s.offset), a.begin() + long(s.offset + s.size),
                           b.begin() + long(s.offset));
    }));
}

} // namespace kx
