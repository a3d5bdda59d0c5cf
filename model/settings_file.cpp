#include "model/settings_file.h"

#include <string_view>
#include <vector>

#include "platform/log.h"
#include "platform/text.h"

namespace kx {
namespace {

constexpr std::u16string_view kScale = u"Page_Scale";
constexpr std::u16string_view kOverlay = u"Page_Overlay";
constexpr std::u16string_view kAudio = u"Page_Audio";
constexpr std::u16string_view kInput = u"Page_Input";

// Values are read as into a buffer of this many characters with its terminator, so a number
// is seen through its first 7 characters and a text through its first 63.
constexpr std::size_t kNumberBuffer = 8;
constexpr std::size_t kTextBuffer = 64;

// One key of the file and the place it is kept: a record byte or a UMD text.
struct Entry {
    std::u16string_view section;
    std::u16string key;
    std::uint8_t* byte;
    std::u16string* text;
};

void AddByte(std::vector<Entry>& out, std::u16string_view section, std::u16string key,
             std::uint8_t& byte) {
    out.push_back({section, std::move(key), &byte, nullptr});
}

std::u16string LineKey(std::u16string_view stem, int line) {
    return std::u16string(stem) + static_cast<char16_t>(u'0' + line);
}

// The 52 keys in the order they are written and read. The four "Page_Scale" keys begin with
// a blank, which the file format ignores; they keep it so the key strings stay the ones the
// files have always been written with.
std::vector<Entry> Entries(SessionState& state) {
    std::vector<Entry> out;
    auto& r = state.m_all_kx7214_page_data;
    AddByte(out, kScale, u" Output_Format", r.kx7214_output_format);
    AddByte(out, kScale, u" Border_Color", r.kx7214_border_color);
    AddByte(out, kScale, u" Output_Layouts", r.kx7214_output_layout);
    AddByte(out, kScale, u" Border_Enable", r.kx7214_border_enable);
    for (int i = 0; i < kLineCount; ++i) {
        const int n = i + 1;
        AddByte(out, kOverlay, LineKey(u"Umd_Enable_Line_", n), r.kx7214_umd_enable[i]);
        AddByte(out, kOverlay, LineKey(u"Umd_Postion_Line_", n), r.kx7214_umd_postion[i]);
        AddByte(out, kOverlay, LineKey(u"Umd_Text_Color_Line_", n), r.kx7214_umd_text_color[i]);
        AddByte(out, kOverlay, LineKey(u"Umd_Back_Color_Line_", n), r.kx7214_umd_back_color[i]);
        out.push_back({kOverlay, LineKey(u"Umd_Char_Line_", n), nullptr,
                       &state.m_umd_text[static_cast<std::size_t>(i)]});
    }
    for (int i = 0; i < kLineCount; ++i) {
        const int n = i + 1;
        AddByte(out, kAudio, LineKey(u"Audio_Enable_Line_", n), r.kx7214_audio_enable[i]);
        AddByte(out, kAudio, LineKey(u"Audio_Postion_Line_", n), r.kx7214_audio_postion[i]);
        AddByte(out, kAudio, LineKey(u"Audio_In_Ch_Line_", n), r.kx7214_audio_in_ch[i]);
    }
    for (int i = 0; i < kLineCount; ++i) {
        const int n = i + 1;
        AddByte(out, kInput, LineKey(u"Input_Enable_Line_", n), r.kx7214_input_enable[i]);
        AddByte(out, kInput, LineKey(u"Input_Postion_Line_", n), r.kx7214_input_postion[i]);
        AddByte(out, kInput, LineKey(u"Input_Text_Color_Line_", n), r.kx7214_input_text_color[i]);
        AddByte(out, kInput, LineKey(u"Input_Back_Color_Line_", n), r.kx7214_input_back_color[i]);
    }
    return out;
}

std::u16string DecimalText(std::uint8_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

bool IsSpace(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

// Leading blanks, an optional sign, then digits up to the first other character; no digits
// read as 0. Seven characters hold at most 7 digits, so the sum cannot overflow.
std::uint8_t ParseByte(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    std::int32_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = value * 10 + (text[i] - u'0');
    if (negative)
        value = -value;
    return static_cast<std::uint8_t>(value & 0xFF);
}

void LogReadText(std::u16string_view text) {
    const std::string utf8 = platform::Utf16ToUtf8(text);
    platform::Log("read string is  %.*s \n", static_cast<int>(utf8.size()), utf8.data());
}

} // namespace

void StoreSettings(const SessionState& state, IniDocument& doc) {
    SessionState copy = state; // the key table points into the state it describes
    for (const Entry& e : Entries(copy)) {
        if (e.byte != nullptr)
            doc.SetString(e.section, e.key, DecimalText(*e.byte));
        else
            doc.SetString(e.section, e.key, *e.text);
    }
}

void ReadSettings(const IniDocument& doc, SessionState& state) {
    for (const Entry& e : Entries(state)) {
        const std::u16string value = doc.GetString(e.section, e.key).value_or(u"");
        if (e.byte != nullptr) {
            *e.byte = ParseByte(platform::CutUtf16(value, kNumberBuffer - 1));
            continue;
        }
        *e.text = platform::CutUtf16(value, kTextBuffer - 1);
        LogReadText(*e.text);
    }
}

int CountSettingsKeys(const IniDocument& doc) {
    SessionState scratch; // the key table points into a state; nothing is stored in it
    int count = 0;
    for (const Entry& e : Entries(scratch))
        count += doc.GetString(e.section, e.key).has_value() ? 1 : 0;
    return count;
}

SettingsSaveResult SaveSettingsFile(const SessionState& state, const std::filesystem::path& path) {
    IniDocument doc;
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        // Keep what else the file holds; if it cannot be read, writing would lose it.
        IniFileResult read = LoadIniFile(path, doc);
        if (!read.ok)
            return {false, read.reason};
    }
    StoreSettings(state, doc);
    IniFileResult written = SaveIniFile(path, doc);
    return {written.ok, written.reason};
}

bool LoadSettingsFile(SessionState& state, const std::filesystem::path& path, std::string* reason) {
    IniDocument doc;
    IniFileResult read = LoadIniFile(path, doc);
    if (reason != nullptr)
        *reason = read.reason;
    if (!read.ok)
        return false;
    ReadSettings(doc, state);
    return true;
}

} // namespace kx
