// The wire written out byte for byte: every command the panel sends, the search and its
// replies, the whole configuration both ways and the network settings, as hex taken straight
// from how the multiviewer frames them. The panel's side (the frames the session sends, as a
// simulated device receives them, and what the session makes of the answers) and the simulated
// device's side (its answers to those frames and what it keeps of them) are both held against
// these literals, so a fault that the two share cannot hide.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "link/commands.h"
#include "tests/core/hex.h"
#include "tests/core/log_capture.h"
#include "tests/core/sim_fixture.h"

namespace kx {
namespace {

using test::Bytes;
using test::Hex;
using test::ToHex;

// Unless a test says otherwise, one device: 127.0.0.2, address byte 01, type A3.
class Wire : public test::SimSession {
protected:
    sim::SimDevice& StartDevice() {
        sim::SimDevice& dev = AddDevice(2, "Studio", 0x01);
        StartHost();
        Target("127.0.0.2", 0x01);
        return dev;
    }

    // What the device received and sent since the last call, in order.
    static std::vector<std::string> Traffic(sim::SimDevice& dev) {
        std::vector<std::string> out;
        for (const sim::FrameRecord& f : dev.Frames())
            out.push_back(ToHex(f.bytes));
        dev.ClearFrames();
        return out;
    }

    // Reads the device's configuration into the session and returns the reply the device sent.
    Bytes ReadBack(sim::SimDevice& dev) {
        dev.ClearFrames();
        EXPECT_EQ(session.ReadAllConfig(), Outcome::Accepted);
        const auto frames = dev.Frames();
        dev.ClearFrames();
        if (frames.size() != 2 || !frames[1].sent)
            return {};
        EXPECT_EQ(ToHex(frames[0].bytes),
                  "A5 6C 14 00 A3 01 01 00 00 00 00 00 00 00 00 00 90 5A 02 AE");
        return frames[1].bytes;
    }
};

// ---- the single settings ----

struct SettingCase {
    std::uint8_t line;
    std::uint8_t value;
    const char* request;
};

struct SettingRow {
    std::uint8_t code;
    std::uint8_t code_by_name; // the name the pages send it by
    const char* name;
    const char* field;        // the record field, as the command-line tool names it
    std::size_t reply_offset; // where the read-all reply carries it for line 0
    std::size_t line_stride;  // 0: the command carries no line
    std::uint8_t (*recorded)(const kx7214_page_data&, int line);
    std::array<SettingCase, 3> cases; // value 0 on line 0, 1 on line 1, FF on line 3
    const char* ack;                  // status 0
};

const SettingRow kSettings[] = {
    {0x92,
     CMD_SET_OUTPUT_FORMAT,
     "CMD_SET_OUTPUT_FORMAT",
     "output_format",
     20,
     0,
     [](const kx7214_page_data& r, int) { return r.kx7214_output_format; },
     {{
         {0, 0x00, "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 92 00 5D 02 AE"},
         {0, 0x01, "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 92 01 5E 02 AE"},
         {0, 0xFF, "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 92 FF 5C 03 AE"},
     }},
     "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 92 00 5D 02 AE"},
    {0x93,
     CMD_SET_BORDER_COLOR,
     "CMD_SET_BORDER_COLOR",
     "border_color",
     21,
     0,
     [](const kx7214_page_data& r, int) { return r.kx7214_border_color; },
     {{
         {0, 0x00, "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 93 00 5E 02 AE"},
         {0, 0x01, "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 93 01 5F 02 AE"},
         {0, 0xFF, "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 93 FF 5D 03 AE"},
     }},
     "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 93 00 5E 02 AE"},
    {0x94,
     CMD_SET_OUTPUT_LAYOUT,
     "CMD_SET_OUTPUT_LAYOUT",
     "output_layout",
     22,
     0,
     [](const kx7214_page_data& r, int) { return r.kx7214_output_layout; },
     {{
         {0, 0x00, "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 94 00 5F 02 AE"},
         {0, 0x01, "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 94 01 60 02 AE"},
         {0, 0xFF, "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 94 FF 5E 03 AE"},
     }},
     "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 94 00 5F 02 AE"},
    {0xA4,
     CMD_SET_BORDER_ENABLE,
     "CMD_SET_BORDER_ENABLE",
     "border_enable",
     23,
     0,
     [](const kx7214_page_data& r, int) { return r.kx7214_border_enable; },
     {{
         {0, 0x00, "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 A4 00 6F 02 AE"},
         {0, 0x01, "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 A4 01 70 02 AE"},
         {0, 0xFF, "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 A4 FF 6E 03 AE"},
     }},
     "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 A4 00 6F 02 AE"},
    {0x95,
     CMD_SET_UMD_ENABLE,
     "CMD_SET_UMD_ENABLE",
     "umd_enable",
     47,
     40,
     [](const kx7214_page_data& r, int i) { return r.kx7214_umd_enable[i]; },
     {{
         {0, 0x00, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 95 00 00 61 02 AE"},
         {1, 0x01, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 95 01 01 63 02 AE"},
         {3, 0xFF, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 95 03 FF 63 03 AE"},
     }},
     "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 95 00 60 02 AE"},
    {0x96,
     CMD_SET_UMD_POSITION,
     "CMD_SET_UMD_POSITION",
     "umd_postion",
     48,
     40,
     [](const kx7214_page_data& r, int i) { return r.kx7214_umd_postion[i]; },
     {{
         {0, 0x00, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 96 00 00 62 02 AE"},
         {1, 0x01, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 96 01 01 64 02 AE"},
         {3, 0xFF, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 96 03 FF 64 03 AE"},
     }},
     "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 96 00 61 02 AE"},
    {0x97,
     CMD_SET_UMD_TEXT_COLOR,
     "CMD_SET_UMD_TEXT_COLOR",
     "umd_text_color",
     49,
     40,
     [](const kx7214_page_data& r, int i) { return r.kx7214_umd_text_color[i]; },
     {{
         {0, 0x00, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 97 00 00 63 02 AE"},
         {1, 0x01, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 97 01 01 65 02 AE"},
         {3, 0xFF, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 97 03 FF 65 03 AE"},
     }},
     "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 97 00 62 02 AE"},
    {0x98,
     CMD_SET_UMD_BACK_COLOR,
     "CMD_SET_UMD_BACK_COLOR",
     "umd_back_color",
     50,
     40,
     [](const kx7214_page_data& r, int i) { return r.kx7214_umd_back_color[i]; },
     {{
         {0, 0x00, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 98 00 00 64 02 AE"},
         {1, 0x01, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 98 01 01 66 02 AE"},
         {3, 0xFF, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 98 03 FF 66 03 AE"},
     }},
     "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 98 00 63 02 AE"},
    {0x9A,
     CMD_SET_AUDIO_ENABLE,
     "CMD_SET_AUDIO_ENABLE",
     "audio_enable",
     207,
     6,
     [](const kx7214_page_data& r, int i) { return r.kx7214_audio_enable[i]; },
     {{
         {0, 0x00, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 9A 00 00 66 02 AE"},
         {1, 0x01, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 9A 01 01 68 02 AE"},
         {3, 0xFF, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 9A 03 FF 68 03 AE"},
     }},
     "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 9A 00 65 02 AE"},
    {0x9B,
     CMD_SET_AUDIO_POSITION,
     "CMD_SET_AUDIO_POSITION",
     "audio_postion",
     208,
     6,
     [](const kx7214_page_data& r, int i) { return r.kx7214_audio_postion[i]; },
     {{
         {0, 0x00, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 9B 00 00 67 02 AE"},
         {1, 0x01, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 9B 01 01 69 02 AE"},
         {3, 0xFF, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 9B 03 FF 69 03 AE"},
     }},
     "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 9B 00 66 02 AE"},
    {0x9E,
     CMD_SET_AUDIO_CHANNEL,
     "CMD_SET_AUDIO_CHANNEL",
     "audio_in_ch",
     209,
     6,
     [](const kx7214_page_data& r, int i) { return r.kx7214_audio_in_ch[i]; },
     {{
         {0, 0x00, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 9E 00 00 6A 02 AE"},
         {1, 0x01, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 9E 01 01 6C 02 AE"},
         {3, 0xFF, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 9E 03 FF 6C 03 AE"},
     }},
     "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 9E 00 69 02 AE"},
    {0x9D,
     CMD_SET_AUDIO_COMBINATION,
     "CMD_SET_AUDIO_COMBINATION",
     "audio_combination",
     210,
     6,
     [](const kx7214_page_data& r, int i) { return r.kx7214_audio_combination[i]; },
     {{
         {0, 0x00, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 9D 00 00 69 02 AE"},
         {1, 0x01, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 9D 01 01 6B 02 AE"},
         {3, 0xFF, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 9D 03 FF 6B 03 AE"},
     }},
     "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 9D 00 68 02 AE"},
    {0x9C,
     CMD_SET_AUDIO_TRANSPARENCY,
     "CMD_SET_AUDIO_TRANSPARENCY",
     "audio_transparency",
     211,
     6,
     [](const kx7214_page_data& r, int i) { return r.kx7214_audio_transparency[i]; },
     {{
         {0, 0x00, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 9C 00 00 68 02 AE"},
         {1, 0x01, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 9C 01 01 6A 02 AE"},
         {3, 0xFF, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 9C 03 FF 6A 03 AE"},
     }},
     "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 9C 00 67 02 AE"},
    {0x9F,
     CMD_SET_INPUT_ENABLE,
     "CMD_SET_INPUT_ENABLE",
     "input_enable",
     231,
     6,
     [](const kx7214_page_data& r, int i) { return r.kx7214_input_enable[i]; },
     {{
         {0, 0x00, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 9F 00 00 6B 02 AE"},
         {1, 0x01, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 9F 01 01 6D 02 AE"},
         {3, 0xFF, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 9F 03 FF 6D 03 AE"},
     }},
     "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 9F 00 6A 02 AE"},
    {0xA2,
     CMD_SET_INPUT_POSITION,
     "CMD_SET_INPUT_POSITION",
     "input_postion",
     232,
     6,
     [](const kx7214_page_data& r, int i) { return r.kx7214_input_postion[i]; },
     {{
         {0, 0x00, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 A2 00 00 6E 02 AE"},
         {1, 0x01, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 A2 01 01 70 02 AE"},
         {3, 0xFF, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 A2 03 FF 70 03 AE"},
     }},
     "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 A2 00 6D 02 AE"},
    {0xA0,
     CMD_SET_INPUT_TEXT_COLOR,
     "CMD_SET_INPUT_TEXT_COLOR",
     "input_text_color",
     233,
     6,
     [](const kx7214_page_data& r, int i) { return r.kx7214_input_text_color[i]; },
     {{
         {0, 0x00, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 A0 00 00 6C 02 AE"},
         {1, 0x01, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 A0 01 01 6E 02 AE"},
         {3, 0xFF, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 A0 03 FF 6E 03 AE"},
     }},
     "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 A0 00 6B 02 AE"},
    {0xA1,
     CMD_SET_INPUT_BACK_COLOR,
     "CMD_SET_INPUT_BACK_COLOR",
     "input_back_color",
     234,
     6,
     [](const kx7214_page_data& r, int i) { return r.kx7214_input_back_color[i]; },
     {{
         {0, 0x00, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 A1 00 00 6D 02 AE"},
         {1, 0x01, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 A1 01 01 6F 02 AE"},
         {3, 0xFF, "A5 6C 16 00 A3 01 01 00 00 00 00 00 00 00 00 00 A1 03 FF 6F 03 AE"},
     }},
     "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 A1 00 6C 02 AE"},
};

// A device whose every configuration byte is EE: the one byte a command changes shows in the
// read-all reply, and a field read from a neighbouring place reads EE.
sim::DeviceConfig AllEE() {
    sim::DeviceConfig c;
    c.firmware = {0x10, 0x17};
    c.block.fill(0xEE);
    return c;
}

TEST_F(Wire, EverySingleSettingTravelsAndComesBackFromWhereTheDeviceKeepsIt) {
    sim::SimDevice& dev = StartDevice();
    for (const SettingRow& row : kSettings) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.code_by_name, row.code);
        const CommandInfo* info = FindCommand(row.code);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->name, row.name);
        ASSERT_NE(FindSetting(row.field), nullptr);
        EXPECT_EQ(FindSetting(row.field)->code, row.code);
        for (const SettingCase& c : row.cases) {
            SCOPED_TRACE(c.request);
            dev.SetConfig(AllEE());
            dev.ClearFrames();
            const Outcome outcome = row.line_stride == 0
                                        ? session.SendValue(row.code, c.value)
                                        : session.SendLineValue(row.code, c.line, c.value);
            EXPECT_EQ(outcome, Outcome::Accepted);
            EXPECT_EQ(Traffic(dev), (std::vector<std::string>{c.request, row.ack}));

            const Bytes reply = ReadBack(dev);
            ASSERT_EQ(reply.size(), 258u);
            EXPECT_EQ(ToHex(Bytes(reply.begin(), reply.begin() + 17)),
                      "A5 6C 02 01 A3 01 01 00 00 00 00 00 00 00 00 00 90");
            Bytes payload = Hex("00 10 17");
            payload.resize(258 - 20, 0xEE);
            payload[row.reply_offset + row.line_stride * c.line - 17] = c.value;
            EXPECT_EQ(ToHex(Bytes(reply.begin() + 17, reply.end() - 3)), ToHex(payload));
            // Of the audio enable byte the panel takes bit 0 alone.
            const std::uint8_t kept = row.code == 0x9A ? c.value & 0x01 : c.value;
            EXPECT_EQ(row.recorded(session.m_all_kx7214_page_data, c.line), kept);
        }
    }
}

TEST_F(Wire, EveryStatusButZeroIsARefusal) {
    sim::SimDevice& dev = StartDevice();
    const std::string request = "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 92 02 5F 02 AE";
    const std::pair<std::uint8_t, std::string> refusals[] = {
        {0x01, "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 92 01 5E 02 AE"},
        {0x80, "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 92 80 DD 02 AE"},
        {0xFF, "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 92 FF 5C 03 AE"},
    };
    for (const auto& [status, ack] : refusals) {
        dev.status = status;
        test::LogCapture log;
        EXPECT_EQ(session.SendValue(0x92, 2), Outcome::Refused) << ack;
        EXPECT_TRUE(log.Has("send error \n"));
        EXPECT_EQ(Traffic(dev), (std::vector<std::string>{request, ack}));
    }
    // A refusing device keeps what it had.
    dev.status = 0;
    EXPECT_EQ(ReadBack(dev).at(20), 0x00);
}

TEST_F(Wire, CustomSlotsOneAndTwo) {
    sim::SimDevice& dev = StartDevice();
    EXPECT_EQ(CMD_SAVE_CUSTOM, 0xA3);
    const std::string refused = "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 A3 01 6F 02 AE";
    const std::string accepted = "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 A3 00 6E 02 AE";

    // The device has no slot 0 (nor 255) and says so.
    EXPECT_EQ(session.SendValue(0xA3, 0), Outcome::Refused);
    EXPECT_EQ(Traffic(dev),
              (std::vector<std::string>{
                  "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 A3 00 6E 02 AE", refused}));
    EXPECT_EQ(session.SendValue(0xA3, 0xFF), Outcome::Refused);
    EXPECT_EQ(Traffic(dev),
              (std::vector<std::string>{
                  "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 A3 FF 6D 03 AE", refused}));
    EXPECT_FALSE(dev.Config().custom[0] || dev.Config().custom[1]);

    ASSERT_EQ(session.SendValue(0x94, 7), Outcome::Accepted);
    EXPECT_EQ(session.SendValue(0xA3, 1), Outcome::Accepted);
    EXPECT_EQ(Traffic(dev).back(), accepted);
    ASSERT_EQ(session.SendValue(0x94, 9), Outcome::Accepted);
    EXPECT_EQ(session.SendValue(0xA3, 2), Outcome::Accepted);
    EXPECT_EQ(Traffic(dev),
              (std::vector<std::string>{
                  "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 94 09 68 02 AE",
                  "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 94 00 5F 02 AE",
                  "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 A3 02 70 02 AE", accepted}));
    // Block byte 2 is the layout.
    ASSERT_TRUE(dev.Config().custom[0] && dev.Config().custom[1]);
    EXPECT_EQ((*dev.Config().custom[0])[2], 7);
    EXPECT_EQ((*dev.Config().custom[1])[2], 9);
}

// ---- texts ----

TEST_F(Wire, UmdTextsTravelAsUtf16AndComeBackWithTheirByteCount) {
    sim::SimDevice& dev = StartDevice();
    EXPECT_EQ(CMD_SET_UMD_TEXT, 0x99);
    struct Case {
        int line;
        std::u16string text;
        std::string request;
        std::string length_and_text; // as the read-all reply carries the line
    };
    const Case cases[] = {
        {0, u"", "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 99 00 64 02 AE", "00"},
        {1, u"AB", "A5 6C 19 00 A3 01 01 00 00 00 00 00 00 00 00 00 99 01 41 00 42 00 EC 02 AE",
         "04 41 00 42 00"},
        {3, u"ABCDEFGHIJKLMNO\u03A9",
         "A5 6C 35 00 A3 01 01 00 00 00 00 00 00 00 00 00 99 03 "
         "41 00 42 00 43 00 44 00 45 00 46 00 47 00 48 00 "
         "49 00 4A 00 4B 00 4C 00 4D 00 4E 00 4F 00 A9 03 6B 07 AE",
         "20 41 00 42 00 43 00 44 00 45 00 46 00 47 00 48 00 "
         "49 00 4A 00 4B 00 4C 00 4D 00 4E 00 4F 00 A9 03"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.request);
        session.m_umd_text[static_cast<std::size_t>(c.line)] = c.text;
        EXPECT_EQ(session.SendUmdText(c.line), Outcome::Accepted);
        EXPECT_EQ(
            Traffic(dev),
            (std::vector<std::string>{
                c.request, "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 99 00 64 02 AE"}));
        session.m_umd_text[static_cast<std::size_t>(c.line)] = u"before";
        const Bytes reply = ReadBack(dev);
        ASSERT_EQ(reply.size(), 258u);
        // Line i keeps its length at 54 + 40 i and its text from 55 + 40 i; the rest is zero.
        Bytes expected = Hex(c.length_and_text);
        expected.resize(33, 0);
        const auto at = reply.begin() + 54 + 40 * c.line;
        EXPECT_EQ(ToHex(Bytes(at, at + 33)), ToHex(expected));
        EXPECT_EQ(session.m_umd_text[static_cast<std::size_t>(c.line)], c.text);
    }
}

TEST_F(Wire, DeviceNamesTravelWithTheirZeroAndComeBackOneCharacterPerByte) {
    sim::SimDevice& dev = StartDevice();
    EXPECT_EQ(CMD_SET_DEVICE_NAME, 0x91);
    struct Case {
        std::u16string name;
        std::string request;
        std::string field; // reply bytes 30 to 46
    };
    const Case cases[] = {
        {u"", "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 91 00 5C 02 AE",
         "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
        {u"AB", "A5 6C 17 00 A3 01 01 00 00 00 00 00 00 00 00 00 91 41 42 00 E1 02 AE",
         "41 42 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
        {u"Caf\u00E9 0123456789A",
         "A5 6C 25 00 A3 01 01 00 00 00 00 00 00 00 00 00 91 "
         "43 61 66 E9 20 30 31 32 33 34 35 36 37 38 39 41 00 CD 06 AE",
         "43 61 66 E9 20 30 31 32 33 34 35 36 37 38 39 41 00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.request);
        session.m_device_name = c.name;
        EXPECT_EQ(session.SendDeviceName(), Outcome::Accepted);
        EXPECT_EQ(
            Traffic(dev),
            (std::vector<std::string>{
                c.request, "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 91 00 5C 02 AE"}));
        session.m_device_name = u"before";
        const Bytes reply = ReadBack(dev);
        ASSERT_EQ(reply.size(), 258u);
        EXPECT_EQ(ToHex(Bytes(reply.begin() + 30, reply.begin() + 47)), c.field);
        EXPECT_EQ(session.m_device_name, c.name);
    }
}

// ---- network settings ----

TEST_F(Wire, NetworkSettingsTravelAsAddressMaskGateway) {
    sim::SimDevice& dev = StartDevice();
    EXPECT_EQ(CMD_SET_NETWORK, 0xA6);
    struct Case {
        std::array<std::uint8_t, 12> config;
        std::string request;
    };
    const Case cases[] = {
        // 192.168.1.10, 255.255.255.0, 192.168.1.1
        {{0xC0, 0xA8, 0x01, 0x0A, 0xFF, 0xFF, 0xFF, 0x00, 0xC0, 0xA8, 0x01, 0x01},
         "A5 6C 20 00 A3 01 01 00 00 00 00 00 00 00 00 00 A6 "
         "C0 A8 01 0A FF FF FF 00 C0 A8 01 01 56 08 AE"},
        // 10.1.2.3, 255.255.240.0, 10.1.0.254: no two of the three alike
        {{0x0A, 0x01, 0x02, 0x03, 0xFF, 0xFF, 0xF0, 0x00, 0x0A, 0x01, 0x00, 0xFE},
         "A5 6C 20 00 A3 01 01 00 00 00 00 00 00 00 00 00 A6 "
         "0A 01 02 03 FF FF F0 00 0A 01 00 FE 83 06 AE"},
    };
    for (const Case& c : cases) {
        session.m_net_config = c.config;
        test::LogCapture log;
        EXPECT_EQ(session.SendNetworkConfig(), Outcome::Accepted);
        EXPECT_TRUE(log.Has("set ip success \n"));
        EXPECT_EQ(
            Traffic(dev),
            (std::vector<std::string>{
                c.request, "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 A6 00 71 02 AE"}));
        EXPECT_EQ(dev.Config().network, c.config);
        EXPECT_EQ(dev.Ip(), 0x7F000002u) << "an address off loopback: the device stays";
    }
}

// ---- the whole configuration ----

// Every field holds a value of its own (most outside any option list), so that a field written
// or read at another field's place shows. The audio enables are 1 and 0: the panel keeps only
// bit 0 of theirs.
const std::string kSetAllRequest =
    // header: 255 bytes, device 01, set-all
    "A5 6C FF 00 A3 01 01 00 00 00 00 00 00 00 00 00 A5 "
    // format, border colour, layout, border enable
    "81 82 83 84 "
    // zero
    "00 00 00 00 00 00 "
    // name "Edit-Bay 7", its zero, zeros
    "45 64 69 74 2D 42 61 79 20 37 00 00 00 00 00 00 00 "
    // UMD line 0: enable, position, text colour, back colour, zeros, length in bytes
    "85 86 87 88 00 00 00 0A "
    // its text, "SDI 1"
    "53 00 44 00 49 00 20 00 31 00 00 00 00 00 00 00 "
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
    // UMD line 1: enable, position, text colour, back colour, zeros, length in bytes
    "89 8A 8B 8C 00 00 00 0C "
    // its text, "Cam \u03A92"
    "43 00 61 00 6D 00 20 00 A9 03 32 00 00 00 00 00 "
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
    // UMD line 2: enable, position, text colour, back colour, zeros, length in bytes
    "8D 8E 8F 90 00 00 00 20 "
    // its text, "ABCDEFGHIJKLMNOP"
    "41 00 42 00 43 00 44 00 45 00 46 00 47 00 48 00 "
    "49 00 4A 00 4B 00 4C 00 4D 00 4E 00 4F 00 50 00 "
    // UMD line 3: enable, position, text colour, back colour, zeros, length in bytes
    "91 92 93 94 00 00 00 00 "
    // its text, the empty text
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
    // audio meter 0: enable, position, channel pair, zeros
    "01 95 96 00 00 00 "
    // audio meter 1: enable, position, channel pair, zeros
    "00 99 9A 00 00 00 "
    // audio meter 2: enable, position, channel pair, zeros
    "01 9D 9E 00 00 00 "
    // audio meter 3: enable, position, channel pair, zeros
    "00 A1 A2 00 00 00 "
    // input-status label 0: enable, position, text colour, back colour, zeros
    "A5 A6 A7 A8 00 00 "
    // input-status label 1: enable, position, text colour, back colour, zeros
    "A9 AA AB AC 00 00 "
    // input-status label 2: enable, position, text colour, back colour, zeros
    "AD AE AF B0 00 00 "
    // input-status label 3: enable, position, text colour, back colour, zeros
    "B1 B2 B3 B4 00 00 "
    // checksum, trailer
    "F6 28 AE";

// What a device that took kSetAllRequest answers to a read-all, with control mode 7E, firmware
// 10 17 ("Ver 1.6.2.3") and the audio combination and transparency set by their own commands.
const std::string kReadAllReply =
    // header: 258 bytes, device 01, read-all
    "A5 6C 02 01 A3 01 01 00 00 00 00 00 00 00 00 00 90 "
    // control mode, firmware a and b
    "7E 10 17 "
    // format, border colour, layout, border enable
    "81 82 83 84 "
    // not read
    "00 00 00 00 00 00 "
    // name "Edit-Bay 7", its zero, zeros
    "45 64 69 74 2D 42 61 79 20 37 00 00 00 00 00 00 00 "
    // UMD line 0: enable, position, text colour, back colour, not read, length in bytes
    "85 86 87 88 00 00 00 0A "
    // its text, "SDI 1"
    "53 00 44 00 49 00 20 00 31 00 00 00 00 00 00 00 "
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
    // UMD line 1: enable, position, text colour, back colour, not read, length in bytes
    "89 8A 8B 8C 00 00 00 0C "
    // its text, "Cam \u03A92"
    "43 00 61 00 6D 00 20 00 A9 03 32 00 00 00 00 00 "
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
    // UMD line 2: enable, position, text colour, back colour, not read, length in bytes
    "8D 8E 8F 90 00 00 00 20 "
    // its text, "ABCDEFGHIJKLMNOP"
    "41 00 42 00 43 00 44 00 45 00 46 00 47 00 48 00 "
    "49 00 4A 00 4B 00 4C 00 4D 00 4E 00 4F 00 50 00 "
    // UMD line 3: enable, position, text colour, back colour, not read, length in bytes
    "91 92 93 94 00 00 00 00 "
    // its text, the empty text
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
    // audio meter 0: enable, position, channel pair, combination, transparency, not read
    "01 95 96 97 98 00 "
    // audio meter 1: enable, position, channel pair, combination, transparency, not read
    "00 99 9A 9B 9C 00 "
    // audio meter 2: enable, position, channel pair, combination, transparency, not read
    "01 9D 9E 9F A0 00 "
    // audio meter 3: enable, position, channel pair, combination, transparency, not read
    "00 A1 A2 A3 A4 00 "
    // input-status label 0: enable, position, text colour, back colour, not read
    "A5 A6 A7 A8 00 00 "
    // input-status label 1: enable, position, text colour, back colour, not read
    "A9 AA AB AC 00 00 "
    // input-status label 2: enable, position, text colour, back colour, not read
    "AD AE AF B0 00 00 "
    // input-status label 3: enable, position, text colour, back colour, not read
    "B1 B2 B3 B4 00 00 "
    // checksum, trailer
    "76 2D AE";

// The session state kReadAllReply decodes to and kSetAllRequest is packed from.
SessionState DistinctConfiguration() {
    SessionState s;
    auto& r = s.m_all_kx7214_page_data;
    s.m_control_mode = 0x7E;
    r.kx7214_firmware_version[0] = 0x10;
    r.kx7214_firmware_version[1] = 0x17;
    r.kx7214_output_format = 0x81;
    r.kx7214_border_color = 0x82;
    r.kx7214_output_layout = 0x83;
    r.kx7214_border_enable = 0x84;
    s.m_device_name = u"Edit-Bay 7";
    s.m_umd_text = {u"SDI 1", u"Cam \u03A92", u"ABCDEFGHIJKLMNOP", u""};
    const std::uint8_t umd[4][4] = {{0x85, 0x86, 0x87, 0x88},
                                    {0x89, 0x8A, 0x8B, 0x8C},
                                    {0x8D, 0x8E, 0x8F, 0x90},
                                    {0x91, 0x92, 0x93, 0x94}};
    const std::uint8_t audio[4][5] = {{1, 0x95, 0x96, 0x97, 0x98},
                                      {0, 0x99, 0x9A, 0x9B, 0x9C},
                                      {1, 0x9D, 0x9E, 0x9F, 0xA0},
                                      {0, 0xA1, 0xA2, 0xA3, 0xA4}};
    const std::uint8_t input[4][4] = {{0xA5, 0xA6, 0xA7, 0xA8},
                                      {0xA9, 0xAA, 0xAB, 0xAC},
                                      {0xAD, 0xAE, 0xAF, 0xB0},
                                      {0xB1, 0xB2, 0xB3, 0xB4}};
    for (int i = 0; i < 4; ++i) {
        r.kx7214_umd_enable[i] = umd[i][0];
        r.kx7214_umd_postion[i] = umd[i][1];
        r.kx7214_umd_text_color[i] = umd[i][2];
        r.kx7214_umd_back_color[i] = umd[i][3];
        r.kx7214_audio_enable[i] = audio[i][0];
        r.kx7214_audio_postion[i] = audio[i][1];
        r.kx7214_audio_in_ch[i] = audio[i][2];
        r.kx7214_audio_combination[i] = audio[i][3];
        r.kx7214_audio_transparency[i] = audio[i][4];
        r.kx7214_input_enable[i] = input[i][0];
        r.kx7214_input_postion[i] = input[i][1];
        r.kx7214_input_text_color[i] = input[i][2];
        r.kx7214_input_back_color[i] = input[i][3];
    }
    return s;
}

Bytes RecordBytes(const kx7214_page_data& record) {
    Bytes out(sizeof record);
    std::memcpy(out.data(), &record, sizeof record);
    return out;
}

void ExpectDistinctConfiguration(const SessionState& got) {
    const SessionState want = DistinctConfiguration();
    EXPECT_EQ(RecordBytes(got.m_all_kx7214_page_data), RecordBytes(want.m_all_kx7214_page_data));
    EXPECT_EQ(got.m_control_mode, 0x7E);
    EXPECT_EQ(got.m_device_name, want.m_device_name);
    EXPECT_EQ(got.m_umd_text, want.m_umd_text);
}

TEST_F(Wire, WholeConfigurationGoesOutAsSetAllAndComesBackAsReadAll) {
    sim::DeviceOptions o;
    o.ip = test::Loopback(2);
    o.dev_addr = 0x01;
    o.config.control_mode = 0x7E;
    o.config.firmware = {0x10, 0x17};
    sim::SimDevice& dev = host.AddDevice(o);
    StartHost();
    Target("127.0.0.2", 0x01);
    EXPECT_EQ(CMD_SET_ALL, 0xA5);
    EXPECT_EQ(CMD_READ_ALL, 0x90);

    static_cast<SessionState&>(session) = DistinctConfiguration();
    // The set-all block has no room for these two; they travel by their own commands.
    for (std::uint8_t line = 0; line < 4; ++line) {
        const auto& rec = session.m_all_kx7214_page_data;
        ASSERT_EQ(session.SendLineValue(0x9D, line, rec.kx7214_audio_combination[line]),
                  Outcome::Accepted);
        ASSERT_EQ(session.SendLineValue(0x9C, line, rec.kx7214_audio_transparency[line]),
                  Outcome::Accepted);
    }
    dev.ClearFrames();
    EXPECT_EQ(session.ApplyAllSettings(), Outcome::Accepted);
    EXPECT_EQ(Traffic(dev), (std::vector<std::string>{
                                ToHex(Hex(kSetAllRequest)),
                                "A5 6C 15 00 A3 01 01 00 00 00 00 00 00 00 00 00 A5 00 70 02 AE"}));

    static_cast<SessionState&>(session) = SessionState{};
    EXPECT_EQ(ToHex(ReadBack(dev)), ToHex(Hex(kReadAllReply)));
    ExpectDistinctConfiguration(session);
}

// The panel recognises the reply by byte 16 alone and reads only the fields it knows: noise in
// the framing and in every byte it skips changes nothing.
TEST_F(Wire, ReadAllReplyDecodesTheSameWhateverLiesWhereNothingIsRead) {
    Bytes noisy = Hex(kReadAllReply);
    const auto fill = [&](std::size_t from, std::size_t to) {
        std::fill(noisy.begin() + static_cast<long>(from),
                  noisy.begin() + static_cast<long>(to) + 1, std::uint8_t{0xEE});
    };
    fill(0, 15);    // magic, length, type, address, constant, reserved
    fill(255, 257); // checksum, trailer
    fill(24, 29);
    fill(41, 46);   // the name's field after its zero
    fill(65, 86);   // line 0 past its 10 text bytes
    fill(107, 126); // line 1 past its 12
    fill(175, 206); // line 3, whose length is 0
    for (std::size_t i = 0; i < 4; ++i) {
        fill(51 + 40 * i, 53 + 40 * i);
        fill(212 + 6 * i, 212 + 6 * i);
        fill(235 + 6 * i, 236 + 6 * i);
    }
    // Audio enables with more than bit 0 set: FF and 03 read as 1, FE and 02 as 0.
    noisy[207] = 0xFF;
    noisy[213] = 0xFE;
    noisy[219] = 0x03;
    noisy[225] = 0x02;

    sim::SimDevice& dev = StartDevice();
    dev.SetRawReply(noisy);
    test::LogCapture log;
    EXPECT_EQ(session.ReadAllConfig(), Outcome::Accepted);
    EXPECT_TRUE(log.Has("recv len is 258 \n"));
    EXPECT_TRUE(log.Has("recvBuf[recvBufIndex] = 126 \n"));
    EXPECT_TRUE(log.Has("line 2 umdNameLen = 32 \n"));
    ExpectDistinctConfiguration(session);
}

// ---- the search ----

const std::string kSearchRequest = "A5 6C 14 00 81 FF 01 00 00 00 00 00 00 00 00 00 FF A5 03 AE";

TEST_F(Wire, SearchRepliesListedByEveryRuleOfTheListText) {
    struct Reply {
        int last_octet;
        std::string frame;
    };
    const Reply replies[] = {
        // "KX7214-A-12", address byte 07: the name before the pattern, shown as TRQ-9
        {2, "A5 6C 20 00 A3 07 01 00 00 00 00 00 00 00 00 00 FF 00 "
            "4B 58 37 32 31 34 2D 41 2D 31 32 4A 05 AE"},
        // "QX-A-B-CD": the pattern twice, two entries
        {3, "A5 6C 1E 00 A3 02 01 00 00 00 00 00 00 00 00 00 FF 00 "
            "51 58 2D 41 2D 42 2D 43 44 0E 05 AE"},
        // device type A4: not a multiviewer that can be chosen
        {4, "A5 6C 20 00 A4 07 01 00 00 00 00 00 00 00 00 00 FF 00 "
            "4B 58 37 32 31 34 2D 41 2D 31 32 4B 05 AE"},
        // 21 bytes: no room for a name
        {5, "A5 6C 15 00 A3 04 01 00 00 00 00 00 00 00 00 00 FF 00 CD 02 AE"},
        // "Kx7214-A-1": the model word in another case stays as it is
        {6, "A5 6C 1F 00 A3 05 01 00 00 00 00 00 00 00 00 00 FF 00 "
            "4B 78 37 32 31 34 2D 41 2D 31 35 05 AE"},
        // "kx7214abc-A-1": lower case model word, shown as TRQ-9
        {7, "A5 6C 22 00 A3 06 01 00 00 00 00 00 00 00 00 00 FF 00 "
            "6B 78 37 32 31 34 61 62 63 2D 41 2D 31 7F 06 AE"},
        // "-A-1": the pattern at once, an empty name
        {8, "A5 6C 19 00 A3 08 01 00 00 00 00 00 00 00 00 00 FF 00 2D 41 2D 31 A1 03 AE"},
        // "Studio": no pattern, no entry
        {9, "A5 6C 1B 00 A3 09 01 00 00 00 00 00 00 00 00 00 FF 00 "
            "53 74 75 64 69 6F 50 05 AE"},
        // the first reply with a wrong trailer, then with a wrong magic byte
        {10, "A5 6C 20 00 A3 0A 01 00 00 00 00 00 00 00 00 00 FF 00 "
             "4B 58 37 32 31 34 2D 41 2D 31 32 4D 05 AF"},
        {11, "A4 6C 20 00 A3 0A 01 00 00 00 00 00 00 00 00 00 FF 00 "
             "4B 58 37 32 31 34 2D 41 2D 31 32 4D 05 AE"},
        // "Caf\xE9-A-1": each byte is one character
        {12, "A5 6C 1D 00 A3 0B 01 00 00 00 00 00 00 00 00 00 FF 00 "
             "43 61 66 E9 2D 41 2D 31 9B 05 AE"},
    };
    for (const Reply& r : replies)
        AddDevice(r.last_octet, "raw").SetRawReply(Hex(r.frame));
    StartHost();
    session.m_search_wait_ms = 1000;
    session.ScanDevices();

    for (sim::SimDevice* dev : host.Devices())
        EXPECT_EQ(ToHex(dev->Frames().at(0).bytes), kSearchRequest);
    std::vector<std::u16string> items = view.list_items;
    std::sort(items.begin(), items.end());
    EXPECT_EQ(items, (std::vector<std::u16string>{
                         u"Caf\u00E9_127.0.0.12", u"Kx7214_127.0.0.6", u"QX-A_127.0.0.3",
                         u"QX_127.0.0.3", u"TRQ-9_127.0.0.2", u"TRQ-9_127.0.0.7", u"_127.0.0.8"}));
    EXPECT_EQ(view.status_text, "Connected - 7 ");
    for (int i = 0; i < session.m_device_count; ++i) {
        const device_entry& e = session.m_device_list[static_cast<std::size_t>(i)];
        if (std::string(e.ip_text) == "127.0.0.2") {
            EXPECT_EQ(e.dev_type, 0xA3);
            EXPECT_EQ(e.dev_addr, 0x07);
        }
    }
}

TEST_F(Wire, SimulatedDevicesAnswerTheSearchWithTheirNames) {
    for (auto [octet, name, addr] : {std::tuple{2, "Edit-Bay", 0x05}, {3, "KX7214_NO.1", 0x01}}) {
        sim::DeviceOptions o;
        o.ip = test::Loopback(octet);
        o.dev_addr = static_cast<std::uint8_t>(addr);
        o.config.SetName(name);
        host.AddDevice(o);
    }
    StartHost();
    session.m_search_wait_ms = 1000;
    session.ScanDevices();

    const auto edit = host.Devices()[0]->Frames();
    const auto studio = host.Devices()[1]->Frames();
    ASSERT_EQ(edit.size(), 2u);
    ASSERT_EQ(studio.size(), 2u);
    EXPECT_EQ(ToHex(edit[0].bytes), kSearchRequest);
    // "Edit-Bay-A-01" from byte 18
    EXPECT_EQ(ToHex(edit[1].bytes), "A5 6C 22 00 A3 05 01 00 00 00 00 00 00 00 00 00 FF 00 "
                                    "45 64 69 74 2D 42 61 79 2D 41 2D 30 31 A6 06 AE");
    // "KX7214_NO.1-A-01"
    EXPECT_EQ(ToHex(studio[1].bytes), "A5 6C 25 00 A3 01 01 00 00 00 00 00 00 00 00 00 FF 00 "
                                      "4B 58 37 32 31 34 5F 4E 4F 2E 31 2D 41 2D 30 31 A2 06 AE");
    std::vector<std::u16string> items = view.list_items;
    std::sort(items.begin(), items.end());
    EXPECT_EQ(items, (std::vector<std::u16string>{u"Edit-Bay_127.0.0.2", u"TRQ-9_127.0.0.3"}));
}

} // namespace
} // namespace kx
