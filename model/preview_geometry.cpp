#include "model/preview_geometry.h"

#include <cstring>

namespace kx {
namespace {

constexpr Rect kHidden{0, 0, 0, 0};
constexpr Rect kFull{0, 0, kPreviewWidth, kPreviewHeight};

// Rectangles (left, top, width, height) of windows 1..4 for each output layout, in the order of
// the Scale page's layout list. The layout buttons draw their pictures from this table too.
constexpr std::array<std::array<Rect, kLineCount>, kLayoutCount> kLayouts{{
    // 0: four, equal
    {{{0, 0, 270, 150}, {270, 0, 270, 150}, {0, 150, 270, 150}, {270, 150, 270, 150}}},
    // 1: three above, one below
    {{{100, 100, 340, 200}, {0, 0, 180, 100}, {180, 0, 180, 100}, {360, 0, 180, 100}}},
    // 2: one above, three below
    {{{100, 0, 340, 200}, {0, 200, 180, 100}, {180, 200, 180, 100}, {360, 200, 180, 100}}},
    // 3: one left, three right
    {{{0, 50, 360, 200}, {360, 0, 180, 100}, {360, 100, 180, 100}, {360, 200, 180, 100}}},
    // 4: three left, one right
    {{{180, 50, 360, 200}, {0, 0, 180, 100}, {0, 100, 180, 100}, {0, 200, 180, 100}}},
    // 5: one large, two small
    {{kFull, {40, 195, 135, 75}, {365, 195, 135, 75}, kHidden}},
    // 6: one above, two below
    {{{135, 0, 270, 150}, {0, 150, 270, 150}, {270, 150, 270, 150}, kHidden}},
    // 7: small top right
    {{kFull, {365, 30, 135, 75}, kHidden, kHidden}},
    // 8: small top left
    {{kFull, {40, 30, 135, 75}, kHidden, kHidden}},
    // 9: small bottom left
    {{kFull, {40, 195, 135, 75}, kHidden, kHidden}},
    // 10: small bottom right
    {{kFull, {365, 195, 135, 75}, kHidden, kHidden}},
    // 11: two, narrow, equal
    {{{0, 75, 270, 150}, {270, 75, 270, 150}, kHidden, kHidden}},
    // 12..15: a single input full size: 4, 3, 2, 1
    {{kHidden, kHidden, kHidden, kFull}},
    {{kHidden, kHidden, kFull, kHidden}},
    {{kHidden, kFull, kHidden, kHidden}},
    {{kFull, kHidden, kHidden, kHidden}},
}};

// Fill colours of the sixteen-entry colour list ("Black" .. "HalfTrans"). "Trans" has no
// transparency in the picture and shows as white; "HalfTrans" as a near-white.
constexpr std::array<LabelColor, 16> kLabelColors{{
    {0, 0, 0},       // Black
    {0, 0, 255},     // Blue
    {255, 0, 0},     // Red
    {255, 0, 255},   // Magenta
    {0, 255, 0},     // Green
    {0, 255, 255},   // Cyan
    {255, 255, 0},   // Yellow
    {255, 255, 255}, // White
    {186, 183, 186}, // Gray
    {219, 112, 147}, // VioletRed
    {173, 216, 230}, // LightBlue
    {144, 238, 144}, // LightGreen
    {224, 255, 255}, // LightCyan
    {255, 255, 224}, // LightYellow
    {255, 255, 255}, // Trans
    {245, 245, 245}, // HalfTrans
}};

// Label positions as the Overlay and Input pages list them.
constexpr std::uint8_t kPosLeft = 0;
constexpr std::uint8_t kPosMiddle = 1;
constexpr std::uint8_t kPosRight = 2;

// The window the labels of line i belong to; all zero when the layout does not show it.
const WindowData& Window(const PreviewGeometry& g, int i) {
    return g.m_my_window_data[i];
}

std::int32_t UmdLeft(const WindowData& w, std::int32_t width, std::uint8_t postion) {
    switch (postion) {
    case kPosLeft:
        return w.iWindowLeft + w.iWindowWidth / 10;
    case kPosMiddle:
        return w.iWindowLeft + w.iWindowWidth / 2 - width / 2;
    case kPosRight:
        return w.iWindowLeft + (w.iWindowWidth * 9) / 10 - width;
    default:
        return 0;
    }
}

struct MeterSize {
    std::int32_t width, height;
};

// The meter grows with the window: small windows get a short, narrow one.
MeterSize AudioMeterSize(std::int32_t window_height) {
    if (window_height < 100)
        return {6, 20};
    if (window_height <= 150)
        return {8, 35};
    return {10, 50};
}

} // namespace

const std::array<std::array<Rect, kLineCount>, kLayoutCount>& LayoutTable() {
    return kLayouts;
}

LabelColor LabelColorOf(std::uint8_t index) {
    return index < kLabelColors.size() ? kLabelColors[index] : LabelColor{0, 0, 0};
}

void ComputeWindowGeometry(const kx7214_page_data& record, PreviewGeometry& g) {
    std::memset(g.m_my_window_data, 0, sizeof g.m_my_window_data);
    const std::uint8_t layout = record.kx7214_output_layout;
    if (layout >= kLayoutCount)
        return;
    for (int i = 0; i < kLineCount; ++i) {
        const Rect& r = kLayouts[layout][static_cast<std::size_t>(i)];
        if (r.width <= 0 || r.height <= 0)
            continue;
        g.m_my_window_data[i] = {r.left, r.top, r.width, r.height, i + 1};
    }
}

void ComputeUmdGeometry(const kx7214_page_data& record, PreviewGeometry& g) {
    std::memset(g.m_my_umd_data, 0, sizeof g.m_my_umd_data);
    for (int i = 0; i < kLineCount; ++i) {
        const WindowData& w = Window(g, i);
        UmdData& u = g.m_my_umd_data[i];
        u.iUmdEnable = record.kx7214_umd_enable[i];
        u.iUmdWidth = w.iWindowWidth / 7;
        u.iUmdHeight = w.iWindowHeight > 150 ? w.iWindowHeight / 16 : w.iWindowHeight / 12;
        u.iUmdTop = w.iWindowTop + w.iWindowHeight - u.iUmdHeight - 10;
        u.iUmdLeft = UmdLeft(w, u.iUmdWidth, record.kx7214_umd_postion[i]);
        const LabelColor c = LabelColorOf(record.kx7214_umd_back_color[i]);
        u.iUmdBackRed = c.red;
        u.iUmdBackGreen = c.green;
        u.iUmdBackBlue = c.blue;
    }
}

void ComputeAudioGeometry(const kx7214_page_data& record, PreviewGeometry& g) {
    std::memset(g.m_my_audio_data, 0, sizeof g.m_my_audio_data);
    for (int i = 0; i < kLineCount; ++i) {
        const WindowData& w = Window(g, i);
        AudioData& a = g.m_my_audio_data[i];
        const MeterSize size = AudioMeterSize(w.iWindowHeight);
        const std::uint8_t postion = record.kx7214_audio_postion[i];
        a.iAudioEnable = record.kx7214_audio_enable[i];
        a.iAudioWidth = size.width;
        a.iAudioHeight = size.height;
        if (postion == 0)
            a.iAudioLeft = w.iWindowLeft + 6;
        else if (IsAudioRight(postion))
            a.iAudioLeft = w.iWindowLeft + w.iWindowWidth - size.width - 6;
        a.iAudioTop = w.iWindowTop + w.iWindowHeight - size.height - 5;
    }
}

void ComputeInputGeometry(const kx7214_page_data& record, PreviewGeometry& g) {
    std::memset(g.m_my_input_data, 0, sizeof g.m_my_input_data);
    for (int i = 0; i < kLineCount; ++i) {
        const WindowData& w = Window(g, i);
        InputData& in = g.m_my_input_data[i];
        in.iInputEnable = record.kx7214_input_enable[i];
        in.iInputWidth = w.iWindowWidth / 6;
        in.iInputHeight = w.iWindowHeight > 150 ? 12 : 8;
        const std::uint8_t postion = record.kx7214_input_postion[i];
        if (postion == kPosLeft)
            in.iInputLeft = w.iWindowLeft + 10;
        else if (postion == kPosMiddle)
            in.iInputLeft = w.iWindowLeft + w.iWindowWidth / 2 - in.iInputWidth / 2;
        else if (postion == kPosRight)
            in.iInputLeft = w.iWindowLeft + w.iWindowWidth - in.iInputWidth - 10;
        if (postion <= kPosRight)
            in.iInputTop = w.iWindowTop + 5;
        const LabelColor c = LabelColorOf(record.kx7214_input_back_color[i]);
        in.iInputBackRed = c.red;
        in.iInputBackGreen = c.green;
        in.iInputBackBlue = c.blue;
    }
}

} // namespace kx
