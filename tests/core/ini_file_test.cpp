#include <gtest/gtest.h>

#include "model/ini_file.h"

namespace kx {
namespace {

std::optional<std::u16string> Get(const std::string& file, std::u16string_view section,
                                  std::u16string_view key) {
    return IniDocument::FromBytes(file).GetString(section, key);
}

TEST(IniFile, OnlyKeyLinesOfTheFirstMatchingSectionCount) {
    const std::string file = "Key=before any section\n"
                             "[A]\n"
                             "; Key=commented\n"
                             "# Key=commented\n"
                             "Key without equals\n"
                             "[A\n"
                             "Other=1\n"
                             "Key=first\n"
                             "Key=second\n"
                             "[B]\n"
                             "Key=b\n"
                             "[a]\n"
                             "Late=only in the second [A]\n";
    EXPECT_EQ(Get(file, u"A", u"Key"), u"first");
    EXPECT_EQ(Get(file, u"A", u"Other"), u"1");
    EXPECT_EQ(Get(file, u"B", u"key"), u"b");
    EXPECT_EQ(Get(file, u"A", u"Late"), std::nullopt);
    EXPECT_EQ(Get(file, u"A", u"; Key"), std::nullopt);
    EXPECT_EQ(Get(file, u"C", u"Key"), std::nullopt);
    EXPECT_EQ(Get("[A]\nKey=\n", u"A", u"Key"), u"");
}

TEST(IniFile, QuotesWrittenByOtherProgramsAreRemoved) {
    const std::string file = "[A]\n"
                             "D=\"  double  \"\n"
                             "S='  single  '\n"
                             "Path=\"C:\\Program Files\\x\"\n"
                             "Half=\"open\n"
                             "Inner=a \"b\" c\n"
                             "One=\"\n";
    EXPECT_EQ(Get(file, u"A", u"D"), u"  double  ");
    EXPECT_EQ(Get(file, u"A", u"S"), u"  single  ");
    EXPECT_EQ(Get(file, u"A", u"Path"), u"C:\\Program Files\\x");
    EXPECT_EQ(Get(file, u"A", u"Half"), u"\"open");
    EXPECT_EQ(Get(file, u"A", u"Inner"), u"a \"b\" c");
    EXPECT_EQ(Get(file, u"A", u"One"), u"\"");
}

TEST(IniFile, NewSectionGoesAtTheEndWithTheFilesLineEnd) {
    IniDocument doc = IniDocument::FromBytes("; top\r\n[A]\r\nX=1"); // no final line end
    doc.SetString(u" B ", u" Y ", u"2");
    doc.SetString(u"A", u"Z", u"3");
    EXPECT_EQ(doc.ToBytes(), "; top\r\n[A]\r\nX=1\r\nZ=3\r\n[B]\r\nY=2\r\n");

    IniDocument empty = IniDocument::FromBytes("");
    empty.SetString(u"S", u"K", u"v");
    EXPECT_EQ(empty.ToBytes(), "[S]\nK=v\n");
}

TEST(IniFile, UntouchedDocumentWritesBackTheSameText) {
    for (const std::string& file :
         {std::string("a\r\nb\nc"), std::string("\xEF\xBB\xBF[x]\n\n\n"),
          std::string("mixed\r\nends\n\r\n"), std::string("cr\r inside\n")}) {
        EXPECT_EQ(IniDocument::FromBytes(file).ToBytes(), file);
    }
}

TEST(IniFile, BytesThatAreNotUtf8ReadAsWindows1252) {
    // One bad sequence makes the whole file Windows-1252, including bytes that looked like
    // UTF-8 on their own.
    EXPECT_EQ(Get("[A]\nK=\xC3\xA9 \x93q\x94\n", u"A", u"K"), u"Ã© \u201Cq\u201D");
    EXPECT_EQ(Get("[A]\nK=\xC3\xA9\n", u"A", u"K"), u"é");
}

TEST(IniFile, TextThatStartsWithAByteOrderMarkCharacterSurvives) {
    // UTF-16LE: the mark, then U+FEFF as the first character of the text.
    std::string bytes = "\xFF\xFE\xFF\xFE";
    for (char c : std::string("[A]\nK=v\n")) {
        bytes += c;
        bytes += '\0';
    }
    IniDocument doc = IniDocument::FromBytes(bytes);
    EXPECT_EQ(doc.GetString(u"A", u"K"), std::nullopt); // "\uFEFF[A]" is no section line
    IniDocument again = IniDocument::FromBytes(doc.ToBytes());
    EXPECT_EQ(again.GetString(u"A", u"K"), std::nullopt);
    EXPECT_EQ(again.ToBytes(), doc.ToBytes());
}

TEST(IniFile, ValuesAreQuotedOnlyWhenNeeded) {
    EXPECT_EQ(EncodeIniValue(u"Camera 1 = main [HD] 中"), u"Camera 1 = main [HD] 中");
    EXPECT_EQ(EncodeIniValue(u"back\\slash \"in\" it'"), u"back\\slash \"in\" it'");
    EXPECT_EQ(EncodeIniValue(u"a;b"), u"\"a;b\"");
    EXPECT_EQ(EncodeIniValue(u"'x'"), u"\"'x'\"");
    EXPECT_EQ(EncodeIniValue(u"x\ty\x01\\\""), u"\"x\\ty\\u0001\\\\\\\"\"");
    EXPECT_EQ(EncodeIniValue(u"\xDC00\U0001F600"), u"\"\\uDC00\U0001F600\"");
}

} // namespace
} // namespace kx
