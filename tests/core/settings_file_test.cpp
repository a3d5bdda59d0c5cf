#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <algorithm>
#include <array>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "model/settings_file.h"
#include "platform/arguments.h"
#include "tests/core/log_capture.h"
#include "tests/core/temp_dir.h"

namespace kx {
namespace {

namespace fs = std::filesystem;

// A fresh directory per test, removed afterwards.
class SettingsFileTest : public testing::Test {
protected:
    void Write(const std::string& bytes) const { std::ofstream(file_, std::ios::binary) << bytes; }
    std::string Read() const {
        std::ifstream in(file_, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    std::vector<std::string> DirEntries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_))
            names.push_back(e.path().filename().string());
        return names;
    }

    test::TempDir temp_{"kx_settings"};
    fs::path dir_ = temp_.Path();
    fs::path file_ = dir_ / kSettingsFileName;
};

// The 48 record bytes the file carries, in file order.
std::vector<std::uint8_t*> SavedBytes(kx7214_page_data& r) {
    std::vector<std::uint8_t*> out{&r.kx7214_output_format, &r.kx7214_border_color,
                                   &r.kx7214_output_layout, &r.kx7214_border_enable};
    for (int i = 0; i < kLineCount; ++i) {
        for (std::uint8_t* b :
             {&r.kx7214_umd_enable[i], &r.kx7214_umd_postion[i], &r.kx7214_umd_text_color[i],
              &r.kx7214_umd_back_color[i], &r.kx7214_audio_enable[i], &r.kx7214_audio_postion[i],
              &r.kx7214_audio_in_ch[i], &r.kx7214_input_enable[i], &r.kx7214_input_postion[i],
              &r.kx7214_input_text_color[i], &r.kx7214_input_back_color[i]})
            out.push_back(b);
    }
    return out;
}

TEST_F(SettingsFileTest, EveryByteValueSurvivesSaveAndLoad) {
    for (int round : {0, 200}) {
        SessionState saved;
        std::vector<std::uint8_t*> bytes = SavedBytes(saved.m_all_kx7214_page_data);
        ASSERT_EQ(bytes.size(), 48u);
        for (std::size_t k = 0; k < bytes.size(); ++k)
            *bytes[k] = static_cast<std::uint8_t>((round + 5 * k) % 256);
        ASSERT_TRUE(SaveSettingsFile(saved, file_).written);
        SessionState loaded;
        loaded.m_all_kx7214_page_data = {};
        ASSERT_TRUE(LoadSettingsFile(loaded, file_));
        EXPECT_EQ(std::memcmp(&loaded.m_all_kx7214_page_data, &saved.m_all_kx7214_page_data,
                              sizeof(kx7214_page_data)),
                  0)
            << round;
        EXPECT_EQ(loaded.m_umd_text, saved.m_umd_text);
    }
    // Every value 0..255 in every byte, in memory (the file path is the same code).
    for (int v = 0; v < 256; ++v) {
        SessionState saved;
        for (std::uint8_t* b : SavedBytes(saved.m_all_kx7214_page_data))
            *b = static_cast<std::uint8_t>(v);
        IniDocument doc;
        StoreSettings(saved, doc);
        SessionState loaded;
        ReadSettings(IniDocument::FromBytes(doc.ToBytes()), loaded);
        for (std::uint8_t* b : SavedBytes(loaded.m_all_kx7214_page_data))
            ASSERT_EQ(*b, v);
    }
}

TEST_F(SettingsFileTest, WritesTheKeysInOrderAndLoadLeavesTheOtherFieldsAlone) {
    SessionState saved;
    saved.LoadDefaults();
    saved.m_all_kx7214_page_data.kx7214_output_layout = 12;
    ASSERT_TRUE(SaveSettingsFile(saved, file_).written);
    const std::string text = Read();
    EXPECT_EQ(text.rfind("[Page_Scale]\nOutput_Format=0\nBorder_Color=0\nOutput_Layouts=12\n"
                         "Border_Enable=0\n[Page_Overlay]\nUmd_Enable_Line_1=1\n"
                         "Umd_Postion_Line_1=1\nUmd_Text_Color_Line_1=7\n"
                         "Umd_Back_Color_Line_1=15\nUmd_Char_Line_1=SDI 1\n"
                         "Umd_Enable_Line_2=1\n",
                         0),
              0u)
        << text;
    EXPECT_NE(text.find("[Page_Audio]\nAudio_Enable_Line_1=1\nAudio_Postion_Line_1=0\n"
                        "Audio_In_Ch_Line_1=0\nAudio_Enable_Line_2=1\n"),
              std::string::npos);
    EXPECT_NE(text.find("[Page_Input]\nInput_Enable_Line_1=1\nInput_Postion_Line_1=0\n"
                        "Input_Text_Color_Line_1=7\nInput_Back_Color_Line_1=15\n"),
              std::string::npos);
    EXPECT_TRUE(text.ends_with("Input_Back_Color_Line_4=15\n"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '='), 52);

    SessionState loaded;
    kx7214_page_data& r = loaded.m_all_kx7214_page_data;
    r.kx7214_auto_or_manual_status = 1;
    r.kx7214_firmware_version[0] = 21;
    r.kx7214_audio_transparency[0] = 2;
    r.kx7214_audio_combination[3] = 1;
    loaded.m_device_name = u"unit";
    loaded.m_control_mode = 9;
    test::LogCapture log;
    ASSERT_TRUE(LoadSettingsFile(loaded, file_));
    EXPECT_EQ(r.kx7214_output_layout, 12);
    EXPECT_EQ(r.kx7214_auto_or_manual_status, 1);
    EXPECT_EQ(r.kx7214_firmware_version[0], 21);
    EXPECT_EQ(r.kx7214_audio_transparency[0], 2);
    EXPECT_EQ(r.kx7214_audio_combination[3], 1);
    EXPECT_EQ(loaded.m_device_name, u"unit");
    EXPECT_EQ(loaded.m_control_mode, 9);
    EXPECT_EQ(log.lines,
              (std::vector<std::string>{"read string is  SDI 1 \n", "read string is  SDI 2 \n",
                                        "read string is  SDI 3 \n", "read string is  SDI 4 \n"}));
}

TEST_F(SettingsFileTest, AnyUmdTextSurvivesSaveAndLoad) {
    const std::u16string texts[] = {
        u"  leading and trailing  ",
        u"\"quoted\"",
        u"'single'",
        u"a=b;c#d [e] \\path\\",
        u"[Page_Scale]",
        u"中文字幕 Ελληνικά",
        u"emoji \U0001F600 and \U00020000",
        u"line\nbreak\r\nand\ttab",
        u"\x01\x1F\x7F\x85\u2028",
        u"\\\"",
        u"\"",
        u"",
        u"plain text",
        u"lone \xD800 surrogate \xDC00",
        std::u16string(u"nul\0inside", 10),
        u"\uFEFFmark",
        u"\\u0041 not an escape",
    };
    // Four texts per file, each text once in the first slot too.
    const std::size_t count = std::size(texts);
    for (std::size_t first = 0; first < count; first += 4) {
        SessionState saved;
        for (std::size_t k = 0; k < 4; ++k)
            saved.m_umd_text[k] = texts[(first + k) % count];
        ASSERT_TRUE(SaveSettingsFile(saved, file_).written);
        SessionState loaded;
        ASSERT_TRUE(LoadSettingsFile(loaded, file_));
        EXPECT_EQ(loaded.m_umd_text, saved.m_umd_text) << Read();
    }
}

TEST_F(SettingsFileTest, PlainTextsStayPlainAndOthersAreOneLine) {
    SessionState s;
    s.m_umd_text = {u"Camera 1", u"two\nlines", u" pad", u"中文"};
    ASSERT_TRUE(SaveSettingsFile(s, file_).written);
    const std::string text = Read();
    EXPECT_NE(text.find("Umd_Char_Line_1=Camera 1\n"), std::string::npos);
    EXPECT_NE(text.find("Umd_Char_Line_2=\"two\\nlines\"\n"), std::string::npos);
    EXPECT_NE(text.find("Umd_Char_Line_3=\" pad\"\n"), std::string::npos);
    EXPECT_NE(text.find("Umd_Char_Line_4=\xE4\xB8\xAD\xE6\x96\x87\n"), std::string::npos);
}

TEST_F(SettingsFileTest, LoadLogsEachTextAsUtf8) {
    Write("[Page_Overlay]\nUmd_Char_Line_2=Caf\xC3\xA9 \xF0\x9F\x98\x80\n");
    SessionState s;
    test::LogCapture log;
    ASSERT_TRUE(LoadSettingsFile(s, file_));
    ASSERT_EQ(log.lines.size(), 4u);
    EXPECT_EQ(log.lines[0], "read string is   \n");
    EXPECT_EQ(log.lines[1], "read string is  Caf\xC3\xA9 \xF0\x9F\x98\x80 \n");
}

TEST_F(SettingsFileTest, LongTextsAreCutTo63UnitsWithoutSplittingAPair) {
    const std::string a63(63, 'a');
    Write("[Page_Overlay]\nUmd_Char_Line_1=" + a63 + "b\n" +                 //
          "Umd_Char_Line_2=" + std::string(62, 'c') + "\xF0\x9F\x98\x80\n" + // pair at 62..63
          "Umd_Char_Line_3=" + a63 + "\n");
    SessionState s;
    ASSERT_TRUE(LoadSettingsFile(s, file_));
    EXPECT_EQ(s.m_umd_text[0], std::u16string(63, u'a'));
    EXPECT_EQ(s.m_umd_text[1], std::u16string(62, u'c'));
    EXPECT_EQ(s.m_umd_text[2], std::u16string(63, u'a'));
    EXPECT_EQ(s.m_umd_text[3], u"");
}

TEST_F(SettingsFileTest, MissingOrUnreadableFileChangesNothing) {
    SessionState s;
    s.LoadDefaults();
    const SessionState before = s;
    std::string reason;
    test::LogCapture log;
    EXPECT_FALSE(LoadSettingsFile(s, file_, &reason));
    EXPECT_NE(reason.find(kSettingsFileName), std::string::npos) << reason;
    EXPECT_EQ(std::memcmp(&s.m_all_kx7214_page_data, &before.m_all_kx7214_page_data,
                          sizeof(kx7214_page_data)),
              0);
    EXPECT_EQ(s.m_umd_text, before.m_umd_text);
    EXPECT_TRUE(log.lines.empty());

    fs::create_directory(file_);
    EXPECT_FALSE(LoadSettingsFile(s, file_, &reason));
    EXPECT_NE(reason.find("directory"), std::string::npos) << reason;
}

// Numbers parse as the device tool always did; keys the file lacks read as 0 and empty texts.
TEST_F(SettingsFileTest, NumbersParseLooselyAndMissingKeysReadAsZero) {
    Write("[Page_Scale]\n"
          " Output_Format=300\n"
          " Border_Color=-1\n"
          " Output_Layouts=12abc\n"
          " Border_Enable=abc\n"
          "[Page_Overlay]\n"
          "Umd_Enable_Line_1=12345678\n" // seen as 1234567
          "Umd_Enable_Line_2=00000009\n" // seen as 0000000
          "Umd_Enable_Line_3=+7\n"
          "Umd_Enable_Line_4=\"  42\"\n"
          "Umd_Postion_Line_1=- 5\n"
          "Umd_Postion_Line_2=-300\n"
          "Umd_Postion_Line_3=   \t 9   \n");
    SessionState s;
    s.LoadDefaults();
    ASSERT_TRUE(LoadSettingsFile(s, file_));
    const kx7214_page_data& r = s.m_all_kx7214_page_data;
    EXPECT_EQ(r.kx7214_output_format, 44);
    EXPECT_EQ(r.kx7214_border_color, 255);
    EXPECT_EQ(r.kx7214_output_layout, 12);
    EXPECT_EQ(r.kx7214_border_enable, 0);
    EXPECT_EQ(r.kx7214_umd_enable[0], 1234567 % 256);
    EXPECT_EQ(r.kx7214_umd_enable[1], 0);
    EXPECT_EQ(r.kx7214_umd_enable[2], 7);
    EXPECT_EQ(r.kx7214_umd_enable[3], 42);
    EXPECT_EQ(r.kx7214_umd_postion[0], 0);
    EXPECT_EQ(r.kx7214_umd_postion[1], 256 - 300 % 256);
    EXPECT_EQ(r.kx7214_umd_postion[2], 9);
    EXPECT_EQ(r.kx7214_umd_postion[3], 0);
    EXPECT_EQ(r.kx7214_input_back_color[3], 0);
    EXPECT_EQ(s.m_umd_text, (std::array<std::u16string, 4>{}));
}

TEST_F(SettingsFileTest, KeysAndSectionsMatchWithoutCaseOrBlanks) {
    Write("[ page_scale ]\n"
          "output_format = 3\n"
          "  BORDER_COLOR=2\n"
          "[PAGE_OVERLAY]\n"
          "umd_char_line_1 =  Hello  \n");
    SessionState s;
    ASSERT_TRUE(LoadSettingsFile(s, file_));
    EXPECT_EQ(s.m_all_kx7214_page_data.kx7214_output_format, 3);
    EXPECT_EQ(s.m_all_kx7214_page_data.kx7214_border_color, 2);
    EXPECT_EQ(s.m_umd_text[0], u"Hello");

    // Saving rewrites those lines in place, in the file's spelling.
    s.m_all_kx7214_page_data.kx7214_output_format = 7;
    ASSERT_TRUE(SaveSettingsFile(s, file_).written);
    const std::string text = Read();
    EXPECT_EQ(text.rfind("[ page_scale ]\noutput_format = 7\n  BORDER_COLOR=2\n", 0), 0u) << text;
    EXPECT_NE(text.find("umd_char_line_1 =  Hello\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("Output_Format"), std::string::npos) << text;
}

TEST_F(SettingsFileTest, SaveKeepsEverythingElseInTheFile) {
    Write("; settings for studio B\n"
          "\n"
          "[Page_Audio]\n"
          "# channel pairs\n"
          "Audio_In_Ch_Line_3=9\n"
          "Custom=keep me\n"
          "\n"
          "[Operator]\n"
          "Name=Jo\n"
          "\n"
          "[Page_Scale]\n"
          " Output_Format=5\n");
    SessionState s;
    s.LoadDefaults();
    s.m_all_kx7214_page_data.kx7214_audio_in_ch[2] = 1;
    ASSERT_TRUE(SaveSettingsFile(s, file_).written);
    const std::string text = Read();
    EXPECT_EQ(text.rfind("; settings for studio B\n"
                         "\n"
                         "[Page_Audio]\n"
                         "# channel pairs\n"
                         "Audio_In_Ch_Line_3=1\n"
                         "Custom=keep me\n"
                         "Audio_Enable_Line_1=1\n",
                         0),
              0u)
        << text;
    EXPECT_NE(text.find("Audio_In_Ch_Line_4=0\n"
                        "\n"
                        "[Operator]\n"
                        "Name=Jo\n"
                        "\n"
                        "[Page_Scale]\n"
                        " Output_Format=0\n"
                        "Border_Color=0\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Border_Enable=0\n[Page_Overlay]\n"), std::string::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '='), 52 + 2);
}

TEST_F(SettingsFileTest, WindowsFilesLoadAndKeepTheirLineEnds) {
    // ANSI code page with CRLF, as a Windows editor saves it.
    Write("[Page_Overlay]\r\nUmd_Char_Line_1=Caf\xE9 \x80 5\r\nUmd_Enable_Line_1=1\r\n");
    SessionState s;
    ASSERT_TRUE(LoadSettingsFile(s, file_));
    EXPECT_EQ(s.m_umd_text[0], u"Café € 5");
    EXPECT_EQ(s.m_all_kx7214_page_data.kx7214_umd_enable[0], 1);
    ASSERT_TRUE(SaveSettingsFile(s, file_).written);
    const std::string text = Read();
    EXPECT_EQ(text.rfind("[Page_Overlay]\r\nUmd_Char_Line_1=Caf\xC3\xA9 \xE2\x82\xAC 5\r\n", 0),
              0u);
    std::size_t lf = 0, crlf = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n')
            ++(i > 0 && text[i - 1] == '\r' ? crlf : lf);
    }
    EXPECT_EQ(lf, 0u);
    EXPECT_EQ(crlf, 56u); // 52 keys and 4 section lines

    // UTF-16LE with its byte-order mark.
    std::u16string wide = u"[Page_Input]\r\nInput_Back_Color_Line_4=15\r\n"
                          u"[Page_Overlay]\r\nUmd_Char_Line_2=\u4E2D\U0001F600\r\n";
    std::string bytes = "\xFF\xFE";
    for (char16_t c : wide) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    Write(bytes);
    ASSERT_TRUE(LoadSettingsFile(s, file_));
    EXPECT_EQ(s.m_all_kx7214_page_data.kx7214_input_back_color[3], 15);
    EXPECT_EQ(s.m_umd_text[1], u"\u4E2D\U0001F600");
    ASSERT_TRUE(SaveSettingsFile(s, file_).written);
    EXPECT_EQ(Read().rfind("[Page_Input]\r\nInput_Back_Color_Line_4=15\r\n", 0), 0u);

    // UTF-8 with a byte-order mark keeps it.
    Write("\xEF\xBB\xBF[Page_Overlay]\nUmd_Char_Line_1=\xC3\xA9\n");
    ASSERT_TRUE(LoadSettingsFile(s, file_));
    EXPECT_EQ(s.m_umd_text[0], u"é");
    ASSERT_TRUE(SaveSettingsFile(s, file_).written);
    EXPECT_EQ(
        Read().rfind("\xEF\xBB\xBF[Page_Overlay]\nUmd_Char_Line_1=\xC3\xA9\nUmd_Enable_Line_1=", 0),
        0u);
}

TEST_F(SettingsFileTest, SaveIntoADirectoryOrAMissingFolderFailsWithTheReason) {
    SessionState s;
    fs::create_directory(file_);
    SettingsSaveResult r = SaveSettingsFile(s, file_);
    EXPECT_FALSE(r.written);
    EXPECT_NE(r.reason.find("directory"), std::string::npos) << r.reason;
    EXPECT_TRUE(fs::is_directory(file_));

    r = SaveSettingsFile(s, dir_ / "missing" / kSettingsFileName);
    EXPECT_FALSE(r.written);
    EXPECT_NE(r.reason.find("No such file"), std::string::npos) << r.reason;
    EXPECT_EQ(DirEntries(), std::vector<std::string>{kSettingsFileName});
}

#ifndef _WIN32
// A write that fails half-way (as on a full disk) leaves the old file whole and no temporary
// file behind. The file size limit makes the write fail for any user.
TEST_F(SettingsFileTest, FailedWriteLeavesTheOldFile) {
    const std::string old = "[Page_Scale]\nOutput_Format=3\n";
    Write(old);
    SessionState s;
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 64;
    void (*old_handler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const SettingsSaveResult r = SaveSettingsFile(s, file_);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_FALSE(r.written);
    EXPECT_NE(r.reason.find(kSettingsFileName), std::string::npos) << r.reason;
    EXPECT_NE(r.reason.find("too large"), std::string::npos) << r.reason;
    EXPECT_EQ(Read(), old);
    EXPECT_EQ(DirEntries(), std::vector<std::string>{kSettingsFileName});
}
#endif

TEST_F(SettingsFileTest, SaveReplacesTheFileWholeAndLeavesNoTemporaryFile) {
    Write("[Page_Scale]\nOutput_Format=3\n");
    SessionState s;
    s.m_all_kx7214_page_data.kx7214_border_color = 2;
    ASSERT_TRUE(SaveSettingsFile(s, file_).written);
    EXPECT_EQ(DirEntries(), std::vector<std::string>{kSettingsFileName});
    EXPECT_NE(Read().find("Border_Color=2\n"), std::string::npos);
}

// Operators name folders and files in their own language; the tool gets such names as UTF-8.
// The first save creates the file, the second replaces it; both leave nothing else behind.
TEST_F(SettingsFileTest, NamesOutsideAsciiAndTheAnsiCodePageWork) {
    const fs::path folder =
        dir_ / platform::PathFromUtf8("R\xC3\xA9gie \xCE\xA9 \xE8\xA8\xAD\xE5\xAE\x9A");
    const fs::path file = folder / fs::path(u8"Studio \u00c4 \u30ab\U0001F3AC.ini");
    ASSERT_TRUE(fs::create_directory(folder));
    SessionState s;
    s.m_all_kx7214_page_data.kx7214_output_layout = 12;
    s.m_umd_text[3] = u"\u30ab\u30e1\u30e9 4";
    ASSERT_TRUE(SaveSettingsFile(s, file).written);
    s.m_all_kx7214_page_data.kx7214_output_layout = 7;
    const SettingsSaveResult again = SaveSettingsFile(s, file);
    ASSERT_TRUE(again.written) << again.reason;

    std::vector<fs::path> entries;
    for (const auto& e : fs::directory_iterator(folder))
        entries.push_back(e.path().filename());
    EXPECT_EQ(entries, std::vector<fs::path>{file.filename()});
    SessionState loaded;
    ASSERT_TRUE(LoadSettingsFile(loaded, file));
    EXPECT_EQ(loaded.m_all_kx7214_page_data.kx7214_output_layout, 7);
    EXPECT_EQ(loaded.m_umd_text[3], u"\u30ab\u30e1\u30e9 4");

    std::string reason;
    EXPECT_FALSE(LoadSettingsFile(loaded, folder / fs::path(u8"fehlt \u00df.ini"), &reason));
    EXPECT_NE(reason.find("fehlt \xC3\x9F.ini"), std::string::npos) << reason; // as UTF-8
}

#ifndef _WIN32
TEST_F(SettingsFileTest, SaveKeepsPermissionsAndLinks) {
    Write("[Page_Scale]\nOutput_Format=3\n");
    fs::permissions(file_, fs::perms::owner_read | fs::perms::owner_write);
    SessionState s;
    ASSERT_TRUE(SaveSettingsFile(s, file_).written);
    EXPECT_EQ(fs::status(file_).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    // Through a link, the link stays and the file it names changes.
    const fs::path link = dir_ / "link.ini";
    fs::create_symlink(file_, link);
    s.m_all_kx7214_page_data.kx7214_border_color = 2;
    ASSERT_TRUE(SaveSettingsFile(s, link).written);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_NE(Read().find("Border_Color=2\n"), std::string::npos);
}
#endif

} // namespace
} // namespace kx
