#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "model/preview_geometry.h"

namespace kx {
namespace {

struct Box {
    int left, top, width, height;
};
bool operator==(const Box& a, const Box& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}
std::ostream& operator<<(std::ostream& os, const Box& b) {
    return os << "(" << b.left << ", " << b.top << ", " << b.width << ", " << b.height << ")";
}

Box WindowBox(const PreviewGeometry& g, int i) {
    const WindowData& w = g.m_my_window_data[i];
    return {w.iWindowLeft, w.iWindowTop, w.iWindowWidth, w.iWindowHeight};
}
Box UmdBox(const PreviewGeometry& g, int i) {
    const UmdData& u = g.m_my_umd_data[i];
    return {u.iUmdLeft, u.iUmdTop, u.iUmdWidth, u.iUmdHeight};
}
Box AudioBox(const PreviewGeometry& g, int i) {
    const AudioData& a = g.m_my_audio_data[i];
    return {a.iAudioLeft, a.iAudioTop, a.iAudioWidth, a.iAudioHeight};
}
Box InputBox(const PreviewGeometry& g, int i) {
    const InputData& in = g.m_my_input_data[i];
    return {in.iInputLeft, in.iInputTop, in.iInputWidth, in.iInputHeight};
}

constexpr Box kNone{0, 0, 0, 0};
constexpr Box kWhole{0, 0, 540, 300};

// The output layouts as the device draws them, windows 1..4.
const Box kExpectedLayouts[16][4] = {
    {{0, 0, 270, 150}, {270, 0, 270, 150}, {0, 150, 270, 150}, {270, 150, 270, 150}},
    {{100, 100, 340, 200}, {0, 0, 180, 100}, {180, 0, 180, 100}, {360, 0, 180, 100}},
    {{100, 0, 340, 200}, {0, 200, 180, 100}, {180, 200, 180, 100}, {360, 200, 180, 100}},
    {{0, 50, 360, 200}, {360, 0, 180, 100}, {360, 100, 180, 100}, {360, 200, 180, 100}},
    {{180, 50, 360, 200}, {0, 0, 180, 100}, {0, 100, 180, 100}, {0, 200, 180, 100}},
    {kWhole, {40, 195, 135, 75}, {365, 195, 135, 75}, kNone},
    {{135, 0, 270, 150}, {0, 150, 270, 150}, {270, 150, 270, 150}, kNone},
    {kWhole, {365, 30, 135, 75}, kNone, kNone},
    {kWhole, {40, 30, 135, 75}, kNone, kNone},
    {kWhole, {40, 195, 135, 75}, kNone, kNone},
    {kWhole, {365, 195, 135, 75}, kNone, kNone},
    {{0, 75, 270, 150}, {270, 75, 270, 150}, kNone, kNone},
    {kNone, kNone, kNone, kWhole},
    {kNone, kNone, kWhole, kNone},
    {kNone, kWhole, kNone, kNone},
    {kWhole, kNone, kNone, kNone},
};

PreviewGeometry Garbage() {
    PreviewGeometry g;
    std::memset(&g, 0x5A, sizeof g);
    return g;
}

PreviewGeometry ComputeAll(const kx7214_page_data& r) {
    PreviewGeometry g = Garbage();
    ComputeWindowGeometry(r, g);
    ComputeUmdGeometry(r, g);
    ComputeAudioGeometry(r, g);
    ComputeInputGeometry(r, g);
    return g;
}

// A window of the given size at (left, top) in slot 0, without going through a layout.
PreviewGeometry OneWindow(int left, int top, int width, int height) {
    PreviewGeometry g{};
    g.m_my_window_data[0] = {left, top, width, height, 1};
    return g;
}

TEST(PreviewGeometry, EveryLayoutPlacesItsWindowsAndNumbersThem) {
    kx7214_page_data r{};
    for (int layout = 0; layout < 16; ++layout) {
        r.kx7214_output_layout = static_cast<std::uint8_t>(layout);
        PreviewGeometry g = Garbage();
        ComputeWindowGeometry(r, g);
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(testing::Message() << "layout " << layout << " window " << i + 1);
            const Box& want = kExpectedLayouts[layout][i];
            EXPECT_EQ(WindowBox(g, i), want);
            EXPECT_EQ(g.m_my_window_data[i].iWindowNumber, want.width > 0 ? i + 1 : 0);
            const Rect& table =
                LayoutTable()[static_cast<std::size_t>(layout)][static_cast<std::size_t>(i)];
            EXPECT_EQ((Box{table.left, table.top, table.width, table.height}), want);
        }
    }
}

TEST(PreviewGeometry, LayoutAbove15ShowsNoWindowAndClearsThePrevious) {
    for (int layout : {16, 17, 200, 255}) {
        kx7214_page_data r{};
        r.kx7214_output_layout = static_cast<std::uint8_t>(layout);
        PreviewGeometry g = Garbage();
        ComputeWindowGeometry(r, g);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(WindowBox(g, i), kNone) << layout;
            EXPECT_EQ(g.m_my_window_data[i].iWindowNumber, 0);
        }
    }
}

TEST(PreviewGeometry, LabelSizesFollowTheWindowSize) {
    struct Sizes {
        int layout, window;
        int umd_w, umd_h, audio_w, audio_h, input_w, input_h;
    };
    const Sizes cases[] = {
        {15, 0, 77, 18, 10, 50, 90, 12}, // 540 x 300
        {3, 0, 51, 12, 10, 50, 60, 12},  // 360 x 200
        {1, 0, 48, 12, 10, 50, 56, 12},  // 340 x 200
        {0, 0, 38, 12, 8, 35, 45, 8},    // 270 x 150
        {1, 1, 25, 8, 8, 35, 30, 8},     // 180 x 100
        {5, 1, 19, 6, 6, 20, 22, 8},     // 135 x 75
    };
    for (const Sizes& c : cases) {
        kx7214_page_data r{};
        r.kx7214_output_layout = static_cast<std::uint8_t>(c.layout);
        PreviewGeometry g = ComputeAll(r);
        const int i = c.window;
        SCOPED_TRACE(testing::Message() << "layout " << c.layout << " window " << i + 1);
        EXPECT_EQ(g.m_my_umd_data[i].iUmdWidth, c.umd_w);
        EXPECT_EQ(g.m_my_umd_data[i].iUmdHeight, c.umd_h);
        EXPECT_EQ(g.m_my_audio_data[i].iAudioWidth, c.audio_w);
        EXPECT_EQ(g.m_my_audio_data[i].iAudioHeight, c.audio_h);
        EXPECT_EQ(g.m_my_input_data[i].iInputWidth, c.input_w);
        EXPECT_EQ(g.m_my_input_data[i].iInputHeight, c.input_h);
    }
}

TEST(PreviewGeometry, FourEqualWindowsPlaceLabelsByPosition) {
    kx7214_page_data r{};
    r.kx7214_output_layout = 0;
    for (int i = 0; i < 4; ++i) {
        r.kx7214_umd_postion[i] = 1;
        r.kx7214_audio_postion[i] = 0;
        r.kx7214_input_postion[i] = 0;
    }
    PreviewGeometry g = ComputeAll(r);
    EXPECT_EQ(UmdBox(g, 0), (Box{116, 128, 38, 12}));
    EXPECT_EQ(AudioBox(g, 0), (Box{6, 110, 8, 35}));
    EXPECT_EQ(InputBox(g, 0), (Box{10, 5, 45, 8}));
    EXPECT_EQ(UmdBox(g, 3), (Box{386, 278, 38, 12}));
    EXPECT_EQ(AudioBox(g, 3), (Box{276, 260, 8, 35}));
    EXPECT_EQ(InputBox(g, 3), (Box{280, 155, 45, 8}));

    // Left and right for window 4 (270, 150, 270, 150).
    r.kx7214_umd_postion[3] = 0;
    r.kx7214_input_postion[3] = 2;
    r.kx7214_audio_postion[3] = 2;
    g = ComputeAll(r);
    EXPECT_EQ(g.m_my_umd_data[3].iUmdLeft, 270 + 27);
    EXPECT_EQ(g.m_my_input_data[3].iInputLeft, 270 + 270 - 45 - 10);
    EXPECT_EQ(g.m_my_input_data[3].iInputTop, 155);
    EXPECT_EQ(g.m_my_audio_data[3].iAudioLeft, 270 + 270 - 8 - 6);
    r.kx7214_umd_postion[3] = 2;
    r.kx7214_audio_postion[3] = 1; // the Audio page's list index for Right
    g = ComputeAll(r);
    EXPECT_EQ(g.m_my_umd_data[3].iUmdLeft, 270 + 243 - 38);
    EXPECT_EQ(g.m_my_audio_data[3].iAudioLeft, 270 + 270 - 8 - 6);
}

TEST(PreviewGeometry, SizeStepsAtHeights99To151) {
    struct Step {
        int height, umd_h, audio_w, audio_h, input_h;
    };
    const Step steps[] = {
        {99, 8, 6, 20, 8},
        {100, 8, 8, 35, 8},
        {150, 12, 8, 35, 8},
        {151, 9, 10, 50, 12},
    };
    kx7214_page_data r{};
    for (const Step& s : steps) {
        PreviewGeometry g = OneWindow(20, 30, 200, s.height);
        ComputeUmdGeometry(r, g);
        ComputeAudioGeometry(r, g);
        ComputeInputGeometry(r, g);
        SCOPED_TRACE(s.height);
        EXPECT_EQ(g.m_my_umd_data[0].iUmdHeight, s.umd_h);
        EXPECT_EQ(g.m_my_umd_data[0].iUmdTop, 30 + s.height - s.umd_h - 10);
        EXPECT_EQ(g.m_my_audio_data[0].iAudioWidth, s.audio_w);
        EXPECT_EQ(g.m_my_audio_data[0].iAudioHeight, s.audio_h);
        EXPECT_EQ(g.m_my_audio_data[0].iAudioTop, 30 + s.height - s.audio_h - 5);
        EXPECT_EQ(g.m_my_input_data[0].iInputHeight, s.input_h);
    }
}

TEST(PreviewGeometry, HiddenWindowGetsLabelsOutsideThePicture) {
    kx7214_page_data r{};
    r.kx7214_output_layout = 12; // only window 4
    for (int i = 0; i < 4; ++i)
        r.kx7214_umd_enable[i] = r.kx7214_audio_enable[i] = r.kx7214_input_enable[i] = 1;
    r.kx7214_audio_postion[1] = 2;
    r.kx7214_umd_enable[0] = 2; // copied as it is; only 1 draws
    PreviewGeometry g = ComputeAll(r);
    EXPECT_EQ(UmdBox(g, 0), (Box{0, -10, 0, 0}));
    EXPECT_EQ(InputBox(g, 0), (Box{10, 5, 0, 8}));
    EXPECT_EQ(AudioBox(g, 0), (Box{6, -25, 6, 20}));
    EXPECT_EQ(AudioBox(g, 1), (Box{-12, -25, 6, 20}));
    EXPECT_EQ(g.m_my_umd_data[0].iUmdEnable, 2);
    EXPECT_EQ(g.m_my_audio_data[0].iAudioEnable, 1);
}

TEST(PreviewGeometry, UnknownPositionsPinTheLabelToTheLeftEdge) {
    kx7214_page_data r{};
    r.kx7214_output_layout = 0;
    for (int pos : {3, 4, 255}) {
        for (int i = 0; i < 4; ++i) {
            r.kx7214_umd_postion[i] = static_cast<std::uint8_t>(pos);
            r.kx7214_audio_postion[i] = static_cast<std::uint8_t>(pos);
            r.kx7214_input_postion[i] = static_cast<std::uint8_t>(pos);
        }
        PreviewGeometry g = ComputeAll(r);
        SCOPED_TRACE(pos);
        EXPECT_EQ(UmdBox(g, 3), (Box{0, 278, 38, 12}));
        EXPECT_EQ(AudioBox(g, 3), (Box{0, 260, 8, 35}));
        EXPECT_EQ(InputBox(g, 3), (Box{0, 0, 45, 8}));
    }
}

TEST(PreviewGeometry, LabelColoursComeFromTheColourList) {
    struct Colour {
        int index, red, green, blue;
    };
    const Colour colours[] = {{0, 0, 0, 0},        {1, 0, 0, 255},      {7, 255, 255, 255},
                              {8, 186, 183, 186},  {9, 219, 112, 147},  {13, 255, 255, 224},
                              {14, 255, 255, 255}, {15, 245, 245, 245}, {16, 0, 0, 0},
                              {255, 0, 0, 0}};
    kx7214_page_data r{};
    for (const Colour& c : colours) {
        r.kx7214_umd_back_color[2] = static_cast<std::uint8_t>(c.index);
        r.kx7214_input_back_color[1] = static_cast<std::uint8_t>(c.index);
        PreviewGeometry g = ComputeAll(r);
        SCOPED_TRACE(c.index);
        const UmdData& u = g.m_my_umd_data[2];
        const std::array<int, 3> want{c.red, c.green, c.blue};
        EXPECT_EQ((std::array<int, 3>{u.iUmdBackRed, u.iUmdBackGreen, u.iUmdBackBlue}), want);
        const InputData& in = g.m_my_input_data[1];
        EXPECT_EQ((std::array<int, 3>{in.iInputBackRed, in.iInputBackGreen, in.iInputBackBlue}),
                  want);
    }
}

} // namespace
} // namespace kx
