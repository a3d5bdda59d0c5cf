#pragma once
// Where the four input windows and their labels fall in the 540 x 300 preview, computed from
// the record with the device's signed, truncating integer arithmetic.
#include <array>
#include <cstdint>

#include "model/record.h"

namespace kx {

inline constexpr int kPreviewWidth = 540;
inline constexpr int kPreviewHeight = 300;
inline constexpr int kLayoutCount = 16;

struct WindowData {
    std::int32_t iWindowLeft, iWindowTop, iWindowWidth, iWindowHeight, iWindowNumber;
};
struct UmdData {
    std::int32_t iUmdLeft, iUmdTop, iUmdWidth, iUmdHeight, iUmdEnable;
    std::int32_t iUmdBackRed, iUmdBackGreen, iUmdBackBlue;
};
struct AudioData {
    std::int32_t iAudioLeft, iAudioTop, iAudioWidth, iAudioHeight, iAudioEnable;
};
struct InputData {
    std::int32_t iInputLeft, iInputTop, iInputWidth, iInputHeight, iInputEnable;
    std::int32_t iInputBackRed, iInputBackGreen, iInputBackBlue;
};

struct PreviewGeometry {
    WindowData m_my_window_data[kLineCount];
    UmdData m_my_umd_data[kLineCount];
    AudioData m_my_audio_data[kLineCount];
    InputData m_my_input_data[kLineCount];
};

struct Rect {
    std::int32_t left, top, width, height;
};

struct LabelColor {
    std::uint8_t red, green, blue;
};

// Window rectangles of each layout, window 1..4 (input 1..4); width 0 means not shown.
const std::array<std::array<Rect, kLineCount>, kLayoutCount>& LayoutTable();
// Colour list index (0..15) to fill colour; above 15 is black.
LabelColor LabelColorOf(std::uint8_t index);

void ComputeWindowGeometry(const kx7214_page_data& record, PreviewGeometry& g);
void ComputeUmdGeometry(const kx7214_page_data& record, PreviewGeometry& g);
void ComputeAudioGeometry(const kx7214_page_data& record, PreviewGeometry& g);
void ComputeInputGeometry(const kx7214_page_data& record, PreviewGeometry& g);

} // namespace kx
