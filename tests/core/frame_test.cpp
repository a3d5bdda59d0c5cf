#include <gtest/gtest.h>

#include <vector>

#include "link/commands.h"
#include "link/frame.h"

namespace kx {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Build(std::uint8_t type, std::uint8_t addr, std::uint8_t cmd, Bytes payload) {
    Bytes out(frame::kOverhead + payload.size());
    auto len = frame::BuildFrame(type, addr, cmd, payload.data(), payload.size(), out.data());
    EXPECT_EQ(len, out.size());
    return out;
}

TEST(BuildFrame, WorkedExamplesByteForByte) {
    EXPECT_EQ(Build(0x81, 0xFF, CMD_SEARCH, {}),
              (Bytes{0xA5, 0x6C, 0x14, 0x00, 0x81, 0xFF, 0x01, 0,    0,    0,
                     0,    0,    0,    0,    0,    0,    0xFF, 0xA5, 0x03, 0xAE}));
    EXPECT_EQ(Build(0xA3, 0x01, CMD_READ_ALL, {}),
              (Bytes{0xA5, 0x6C, 0x14, 0x00, 0xA3, 0x01, 0x01, 0,    0,    0,
                     0,    0,    0,    0,    0,    0,    0x90, 0x5A, 0x02, 0xAE}));
    EXPECT_EQ(Build(0xA3, 0x01, CMD_SET_OUTPUT_LAYOUT, {5}),
              (Bytes{0xA5, 0x6C, 0x15, 0x00, 0xA3, 0x01, 0x01, 0,    0,    0,   0,
                     0,    0,    0,    0,    0,    0x94, 0x05, 0x64, 0x02, 0xAE}));
    EXPECT_EQ(Build(0xA3, 0x01, CMD_SET_UMD_ENABLE, {2, 1}),
              (Bytes{0xA5, 0x6C, 0x16, 0x00, 0xA3, 0x01, 0x01, 0,    0,    0,    0,
                     0,    0,    0,    0,    0,    0x95, 0x02, 0x01, 0x64, 0x02, 0xAE}));
    EXPECT_EQ(Build(0xA3, 0x01, CMD_SET_UMD_TEXT, {0, 0x41, 0, 0x42, 0}),
              (Bytes{0xA5, 0x6C, 0x19, 0x00, 0xA3, 0x01, 0x01, 0,    0,    0,    0,    0,   0,
                     0,    0,    0,    0x99, 0x00, 0x41, 0x00, 0x42, 0x00, 0xEB, 0x02, 0xAE}));
    EXPECT_EQ(Build(0xA3, 0x01, CMD_SET_DEVICE_NAME, {0x41, 0x42, 0}),
              (Bytes{0xA5, 0x6C, 0x17, 0x00, 0xA3, 0x01, 0x01, 0,    0,    0,    0,   0,
                     0,    0,    0,    0,    0x91, 0x41, 0x42, 0x00, 0xE1, 0x02, 0xAE}));
    EXPECT_EQ(Build(0xA3, 0x01, CMD_SET_NETWORK,
                    {0xC0, 0xA8, 0x01, 0x0A, 0xFF, 0xFF, 0xFF, 0x00, 0xC0, 0xA8, 0x01, 0x01}),
              (Bytes{0xA5, 0x6C, 0x20, 0x00, 0xA3, 0x01, 0x01, 0,    0,    0,    0,
                     0,    0,    0,    0,    0,    0xA6, 0xC0, 0xA8, 0x01, 0x0A, 0xFF,
                     0xFF, 0xFF, 0x00, 0xC0, 0xA8, 0x01, 0x01, 0x56, 0x08, 0xAE}));
}

TEST(BuildFrame, LengthFieldAndChecksumAreLittleEndianAndWrap) {
    Bytes block(235, 0xFF);
    Bytes f = Build(0xA3, 0x01, CMD_SET_ALL, block);
    ASSERT_EQ(f.size(), 255u);
    EXPECT_EQ(f[2], 0xFF);
    EXPECT_EQ(f[3], 0x00);
    unsigned sum = 0;
    for (std::size_t i = 0; i < 252; ++i)
        sum += f[i];
    EXPECT_EQ(f[252], sum & 0xFF);
    EXPECT_EQ(f[253], (sum >> 8) & 0xFF);
    EXPECT_EQ(f[254], 0xAE);

    // A payload long enough to carry the sum past 16 bits wraps modulo 65536.
    Bytes big(1036, 0xFF);
    Bytes g = Build(0xA3, 0x01, 0x90, big);
    unsigned gsum = 0;
    for (std::size_t i = 0; i < 17 + big.size(); ++i)
        gsum += g[i];
    EXPECT_GT(gsum, 0xFFFFu);
    EXPECT_EQ(g[17 + big.size()] | (g[18 + big.size()] << 8), gsum & 0xFFFF);
    EXPECT_EQ(g[2] | (g[3] << 8), 1056);
}

TEST(CommandTable, CodesShapesFrameLengthsAndDeadlines) {
    struct Expect {
        std::uint8_t code;
        const char* name;
        std::size_t frame_len;
        std::uint32_t deadline;
        bool auto_only;
    };
    const Expect expected[] = {
        {0xFF, "CMD_SEARCH", 20, 2000, false},
        {0x90, "CMD_READ_ALL", 20, 1000, false},
        {0x92, "CMD_SET_OUTPUT_FORMAT", 21, 1000, true},
        {0x93, "CMD_SET_BORDER_COLOR", 21, 1000, true},
        {0x94, "CMD_SET_OUTPUT_LAYOUT", 21, 1000, true},
        {0x95, "CMD_SET_UMD_ENABLE", 22, 500, true},
        {0x96, "CMD_SET_UMD_POSITION", 22, 500, true},
        {0x97, "CMD_SET_UMD_TEXT_COLOR", 22, 500, true},
        {0x98, "CMD_SET_UMD_BACK_COLOR", 22, 500, true},
        {0x9A, "CMD_SET_AUDIO_ENABLE", 22, 500, true},
        {0x9B, "CMD_SET_AUDIO_POSITION", 22, 500, true},
        {0x9C, "CMD_SET_AUDIO_TRANSPARENCY", 22, 500, true},
        {0x9D, "CMD_SET_AUDIO_COMBINATION", 22, 500, true},
        {0x9E, "CMD_SET_AUDIO_CHANNEL", 22, 500, true},
        {0x9F, "CMD_SET_INPUT_ENABLE", 22, 500, true},
        {0xA0, "CMD_SET_INPUT_TEXT_COLOR", 22, 500, true},
        {0xA1, "CMD_SET_INPUT_BACK_COLOR", 22, 500, true},
        {0xA2, "CMD_SET_INPUT_POSITION", 22, 500, true},
        {0xA3, "CMD_SAVE_CUSTOM", 21, 1000, false},
        {0xA4, "CMD_SET_BORDER_ENABLE", 21, 1000, true},
        {0xA5, "CMD_SET_ALL", 255, 500, false},
        {0xA6, "CMD_SET_NETWORK", 32, 1000, false},
    };
    for (const Expect& e : expected) {
        const CommandInfo* c = FindCommand(e.code);
        ASSERT_NE(c, nullptr) << int(e.code);
        EXPECT_EQ(c->name, e.name);
        EXPECT_EQ(RequestLength(c->shape), e.frame_len) << c->name;
        EXPECT_EQ(c->DeadlineMs(), e.deadline) << c->name;
        EXPECT_EQ(c->auto_only, e.auto_only) << c->name;
    }
    EXPECT_EQ(FindCommand(0x99)->DeadlineMs(), 500u);
    EXPECT_EQ(FindCommand(0x91)->DeadlineMs(), 500u);
    EXPECT_EQ(RequestLength(FindCommand(0x99)->shape, 1 + 2 * 16), 53u);
    EXPECT_EQ(Commands().size(), 24u);
}

TEST(CommandTable, InputColourAndPositionCodesAreNotInFieldOrder) {
    // The device takes 0xA0 for the text colour, 0xA1 for the background and 0xA2 for the
    // position, although the record keeps the position first.
    EXPECT_EQ(FindSetting("input_text_color")->code, CMD_SET_INPUT_TEXT_COLOR);
    EXPECT_EQ(CMD_SET_INPUT_TEXT_COLOR, 0xA0);
    EXPECT_EQ(FindSetting("input_back_color")->code, 0xA1);
    EXPECT_EQ(FindSetting("input_postion")->code, 0xA2);
    EXPECT_EQ(FindSetting("audio_in_ch")->code, 0x9E);
    EXPECT_EQ(FindSetting("border_enable")->code, 0xA4);
    EXPECT_EQ(FindSetting("no_such_field"), nullptr);
}

} // namespace
} // namespace kx
