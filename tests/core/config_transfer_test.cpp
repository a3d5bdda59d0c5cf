#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "link/config_layout.h"
#include "link/read_all.h"
#include "tests/core/log_capture.h"

namespace kx {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A read-all reply of the full 258 bytes with everything zero but the command byte.
Bytes EmptyReply() {
    Bytes r(readall::kFrameSize, 0);
    r[16] = 0x90;
    return r;
}

TEST(ReadAllDecode, FieldsLandWhereTheDeviceSendsThem) {
    Bytes r = EmptyReply();
    r[17] = 9;
    r[18] = 0x16;
    r[19] = 0x05;
    r[20] = 3;     // format
    r[21] = 2;     // border colour
    r[22] = 12;    // layout
    r[23] = 1;     // border enable
    r[207] = 0x03; // audio enable of input 0: only bit 0 counts
    r[208] = 2;
    r[209] = 5;
    r[210] = 1;
    r[211] = 2;
    r[231 + 18] = 1; // input 3 enable
    r[234 + 18] = 15;
    SessionState s;
    s.m_all_kx7214_page_data.kx7214_auto_or_manual_status = 1;
    test::LogCapture log;
    DecodeReadAll(r.data(), r.size(), s);
    const auto& rec = s.m_all_kx7214_page_data;
    EXPECT_EQ(s.m_control_mode, 9);
    EXPECT_EQ(rec.kx7214_firmware_version[0], 0x16);
    EXPECT_EQ(rec.kx7214_firmware_version[1], 0x05);
    EXPECT_EQ(rec.kx7214_output_format, 3);
    EXPECT_EQ(rec.kx7214_border_color, 2);
    EXPECT_EQ(rec.kx7214_output_layout, 12);
    EXPECT_EQ(rec.kx7214_border_enable, 1);
    EXPECT_EQ(rec.kx7214_audio_enable[0], 1);
    EXPECT_EQ(rec.kx7214_audio_postion[0], 2);
    EXPECT_EQ(rec.kx7214_audio_in_ch[0], 5);
    EXPECT_EQ(rec.kx7214_audio_combination[0], 1);
    EXPECT_EQ(rec.kx7214_audio_transparency[0], 2);
    EXPECT_EQ(rec.kx7214_input_enable[3], 1);
    EXPECT_EQ(rec.kx7214_input_back_color[3], 15);
    EXPECT_EQ(rec.kx7214_auto_or_manual_status, 1) << "the Apply mode is not the device's";
    EXPECT_EQ(log.lines.front(), "recvBuf[recvBufIndex] = 9 \n");
    EXPECT_TRUE(log.Has("m_p_glo_main_dlg->m_all_kx7214_page_data.kx7214_border_enable = 1 \n"));
    EXPECT_TRUE(log.Has("len = 0 \n"));
    EXPECT_TRUE(log.Has("line 3 umdNameLen = 0 \n"));
    EXPECT_TRUE(log.Has("m_p_glo_main_dlg->m_all_kx7214_page_data.kx7214_audio_postion[0] = 2 \n"));
}

TEST(ReadAllDecode, DeviceNameStopsAtZeroOrAfterSeventeenBytes) {
    Bytes r = EmptyReply();
    const char* seventeen = "ABCDEFGHIJKLMNOPQ";
    std::copy(seventeen, seventeen + 17, r.begin() + 30);
    r[47] = 'Z'; // the first byte of UMD line 0 is not part of the name
    SessionState s;
    test::LogCapture log;
    DecodeReadAll(r.data(), r.size(), s);
    EXPECT_EQ(s.m_device_name, u"ABCDEFGHIJKLMNOPQ");
    EXPECT_TRUE(log.Has("len = 17 \n"));

    r[35] = 0;
    DecodeReadAll(r.data(), r.size(), s);
    EXPECT_EQ(s.m_device_name, u"ABCDE");
    // Bytes above 0x7F are taken one character per byte.
    r[30] = 0xE9;
    DecodeReadAll(r.data(), r.size(), s);
    EXPECT_EQ(s.m_device_name, u"\u00E9BCDE");
}

TEST(ReadAllDecode, UmdTextLengthIsInBytes) {
    Bytes r = EmptyReply();
    const Bytes sdi1 = {0x53, 0x00, 0x44, 0x00, 0x49, 0x00, 0x20, 0x00, 0x31, 0x00};
    std::copy(sdi1.begin(), sdi1.end(), r.begin() + 47 + 8);
    r[47 + 7] = 10;
    SessionState s;
    DecodeReadAll(r.data(), r.size(), s);
    EXPECT_EQ(s.m_umd_text[0], u"SDI 1");

    r[47 + 7] = 4;
    DecodeReadAll(r.data(), r.size(), s);
    EXPECT_EQ(s.m_umd_text[0], u"SD");

    // An odd length keeps the low byte of the last unit.
    r[47 + 7] = 5;
    DecodeReadAll(r.data(), r.size(), s);
    EXPECT_EQ(s.m_umd_text[0], u"SDI");
    r[47 + 7] = 3;
    r[47 + 8 + 3] = 0x01; // high byte of 'D' is outside the length and must not be taken
    DecodeReadAll(r.data(), r.size(), s);
    EXPECT_EQ(s.m_umd_text[0], u"SD");
}

TEST(ReadAllDecode, OverlongUmdLengthIsLoggedAndTheWholeFieldUsed) {
    Bytes r = EmptyReply();
    const std::size_t line1 = 47 + 40;
    for (std::size_t k = 0; k < 16; ++k)
        r[line1 + 8 + 2 * k] = static_cast<std::uint8_t>('a' + k);
    r[line1 + 7] = 200;
    SessionState s;
    test::LogCapture log;
    DecodeReadAll(r.data(), r.size(), s);
    EXPECT_EQ(s.m_umd_text[1], u"abcdefghijklmnop");
    EXPECT_TRUE(log.Has("line 1 umdNameLen = 200 \n"));
    EXPECT_TRUE(log.Has("line 1 umdNameLen is wrong,please check the recv data. \n"));
    EXPECT_EQ(log.Count("line 1 umdNameLen is wrong,please check the recv data. \n"), 1);
}

TEST(ReadAllDecode, ShortReplyReadsZeroBeyondItsEndWhateverTheBufferHeld) {
    // The exchange's buffer still holds a longer earlier datagram; only 40 bytes arrived now.
    Bytes buffer(1024, 0x77);
    buffer[16] = 0x90;
    buffer[17] = 1;
    buffer[22] = 7;
    SessionState s;
    s.m_umd_text[0] = u"keep?";
    DecodeReadAll(buffer.data(), 40, s);
    EXPECT_EQ(s.m_all_kx7214_page_data.kx7214_output_layout, 7);
    EXPECT_EQ(s.m_device_name, u"\x77\x77\x77\x77\x77\x77\x77\x77\x77\x77");
    EXPECT_EQ(s.m_umd_text[0], u"");
    EXPECT_EQ(s.m_all_kx7214_page_data.kx7214_input_back_color[3], 0);
    EXPECT_EQ(s.m_all_kx7214_page_data.kx7214_audio_enable[0], 0);
}

TEST(PackAllDataBlock, NameAndTextsLandAtTheirOffsets) {
    SessionState s;
    s.m_umd_text[2] = u"SDI 1";
    test::LogCapture log;
    PackAllDataBlock(s);
    const auto& b = s.m_all_data_block;
    const Bytes name = {0x4B, 0x58, 0x37, 0x32, 0x31, 0x34, 0x5F, 0x4E, 0x4F, 0x2E, 0x31, 0x00};
    EXPECT_EQ(Bytes(b.begin() + 10, b.begin() + 22), name);
    EXPECT_EQ(Bytes(b.begin() + 22, b.begin() + 27), Bytes(5, 0));
    EXPECT_EQ(b[114], 10);
    EXPECT_EQ(Bytes(b.begin() + 115, b.begin() + 125),
              (Bytes{0x53, 0, 0x44, 0, 0x49, 0, 0x20, 0, 0x31, 0}));
    EXPECT_EQ(b[125], 0);
    EXPECT_TRUE(log.Has(" Configuration dev name is 11 \n"));
    EXPECT_EQ(log.lines.back(), " send all page data\n");
}

TEST(PackAllDataBlock, AudioPositionOneBecomesTwoAndDeviceOnlyFieldsStayZero) {
    SessionState s;
    auto& rec = s.m_all_kx7214_page_data;
    rec.kx7214_audio_postion[3] = 1;
    for (int i = 0; i < 4; ++i) {
        rec.kx7214_audio_transparency[i] = 2;
        rec.kx7214_audio_combination[i] = 2;
    }
    rec.kx7214_output_layout = 9;
    rec.kx7214_border_enable = 1;
    test::LogCapture log;
    PackAllDataBlock(s);
    const auto& b = s.m_all_data_block;
    EXPECT_EQ(b[206], 2);
    EXPECT_EQ(rec.kx7214_audio_postion[3], 2);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(b[190 + 6 * i], 0);
        EXPECT_EQ(b[191 + 6 * i], 0);
    }
    EXPECT_EQ(b[2], 9) << "layout before enable";
    EXPECT_EQ(b[3], 1);
}

TEST(PackAllDataBlock, OverlongNameAndTextAreCutAndNeverSpill) {
    SessionState s;
    s.m_device_name = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    // 15 units then a surrogate pair that would straddle the 16-unit limit.
    s.m_umd_text[0] = u"0123456789abcde\U0001F600xyz";
    s.m_all_kx7214_page_data.kx7214_umd_enable[1] = 1;
    test::LogCapture log;
    PackAllDataBlock(s);
    const auto& b = s.m_all_data_block;
    EXPECT_EQ(std::string(b.begin() + 10, b.begin() + 26), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(b[26], 0) << "the terminator stays in the name field";
    EXPECT_EQ(b[27], 0) << "UMD line 0 enable untouched by the name";
    EXPECT_EQ(b[34], 30) << "15 units written, the pair is not split";
    EXPECT_EQ(b[35 + 30], 0);
    EXPECT_EQ(b[67], 1) << "UMD line 1 enable untouched by line 0's text";
    EXPECT_EQ(s.m_device_name, u"ABCDEFGHIJKLMNOPQRSTUVWXYZ") << "the record keeps what was typed";
    EXPECT_TRUE(log.Has(" Configuration dev name is 26 \n"));
}

TEST(ConfigLayout, BlockAndReplyAgreeWithAShiftOfThree) {
    // Round trip: pack a record, wrap the block as a reply, decode, compare.
    SessionState a;
    auto& rec = a.m_all_kx7214_page_data;
    for (int i = 0; i < 4; ++i) {
        rec.kx7214_umd_enable[i] = 1;
        rec.kx7214_umd_postion[i] = static_cast<std::uint8_t>(i % 3);
        rec.kx7214_umd_text_color[i] = static_cast<std::uint8_t>(i + 3);
        rec.kx7214_umd_back_color[i] = static_cast<std::uint8_t>(15 - i);
        rec.kx7214_audio_enable[i] = 1;
        rec.kx7214_audio_postion[i] = i % 2 ? 2 : 0;
        rec.kx7214_audio_in_ch[i] = static_cast<std::uint8_t>(i * 2);
        rec.kx7214_input_enable[i] = static_cast<std::uint8_t>(i % 2);
        rec.kx7214_input_postion[i] = 2;
        rec.kx7214_input_text_color[i] = 9;
        rec.kx7214_input_back_color[i] = 10;
    }
    rec.kx7214_output_format = 10;
    rec.kx7214_output_layout = 15;
    a.m_device_name = u"Studio";
    a.m_umd_text = {u"Cam 1", u"", u"Sixteen chars!!!", u"\u00C9t\u00E9"};
    test::LogCapture log;
    PackAllDataBlock(a);
    Bytes reply = EmptyReply();
    std::copy(a.m_all_data_block.begin(), a.m_all_data_block.end(), reply.begin() + 20);
    SessionState b;
    DecodeReadAll(reply.data(), reply.size(), b);
    EXPECT_EQ(
        std::memcmp(&a.m_all_kx7214_page_data, &b.m_all_kx7214_page_data, sizeof(kx7214_page_data)),
        0);
    EXPECT_EQ(b.m_device_name, u"Studio");
    EXPECT_EQ(b.m_umd_text, a.m_umd_text);
}

} // namespace
} // namespace kx
