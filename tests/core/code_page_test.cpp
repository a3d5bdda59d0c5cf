// The device name travels in the system ANSI code page. On Windows that is the real conversion
// of the PC's code page: the suite runs under Wine once with Windows-1252 and once with the
// Japanese double-byte code page 932; elsewhere it is ISO-8859-1. Expected bytes are those of
// the code pages' own tables.
#include <gtest/gtest.h>

#include <string>

#include "link/read_all.h"
#include "platform/text.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace kx {
namespace {

using std::string_literals::operator""s;

unsigned CodePage() {
#ifdef _WIN32
    return GetACP();
#else
    return 28591; // ISO-8859-1
#endif
}

std::string BlockName(const SessionState& s) {
    return std::string(s.m_all_data_block.begin() + 10, s.m_all_data_block.begin() + 27);
}

TEST(AnsiCodePage, DeviceNameBytesFollowTheCodePage) {
    // Katakana has no place in the Western code pages, nor a look-alike there.
    const std::u16string name = u"Caf\u00e9 \u20ac\u30ab";
    switch (CodePage()) {
    case 1252:
        EXPECT_EQ(platform::WideToAnsi(name), "Caf\xE9 \x80?");
        break;
    case 932:
        EXPECT_EQ(platform::WideToAnsi(u"\u30ab\u30e1\u30e9"), "\x83\x4A\x83\x81\x83\x89");
        EXPECT_EQ(platform::WideToAnsi(u"KX7214_NO.1"), "KX7214_NO.1");
        break;
    case 28591:
        EXPECT_EQ(platform::WideToAnsi(name), "Caf\xE9 ??");
        break;
    default:
        GTEST_SKIP() << "no expected bytes for code page " << CodePage();
    }
}

// The device keeps 16 name bytes and a terminator. A cut never leaves half of a double-byte
// character behind, and the zero after the name always stays.
TEST(AnsiCodePage, LongNamesAreCutOnWholeCharacters) {
    SessionState s;
    if (CodePage() == 932) {
        // "A" and eight katakana "ka" take 17 bytes: the eighth does not fit whole.
        s.m_device_name = u"A" + std::u16string(8, u'\u30ab');
        PackAllDataBlock(s);
        EXPECT_EQ(BlockName(s), "A\x83\x4A\x83\x4A\x83\x4A\x83\x4A\x83\x4A\x83\x4A\x83\x4A\0\0"s);
        EXPECT_EQ(DeviceNameBytes(s.m_device_name).size(), 15u);
        // Eight of them fill the field exactly.
        s.m_device_name = std::u16string(8, u'\u30ab');
        PackAllDataBlock(s);
        EXPECT_EQ(BlockName(s),
                  "\x83\x4A\x83\x4A\x83\x4A\x83\x4A\x83\x4A\x83\x4A\x83\x4A\x83\x4A\0"s);
        return;
    }
    s.m_device_name = u"\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9"
                      u"\u00e9\u00e9\u00e9\u00e9\u00e9";
    PackAllDataBlock(s);
    EXPECT_EQ(BlockName(s), std::string(16, '\xE9') + '\0');
}

TEST(AnsiCodePage, NameEndsAtAZeroCharacter) {
    SessionState s;
    s.m_device_name = u"AB"s + u'\0' + u"CD";
    EXPECT_EQ(DeviceNameBytes(s.m_device_name), "AB");
    s.m_device_name.clear();
    PackAllDataBlock(s);
    EXPECT_EQ(BlockName(s), std::string(17, '\0'));
}

} // namespace
} // namespace kx
