// A settings file may come from anywhere: another program, an editor, a damaged disk. Whatever
// it holds, loading must not fail, a save over it must load back to what was loaded, and the
// rewritten file must read back the same.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "model/ini_file.h"
#include "model/settings_file.h"
#include "platform/log.h"

namespace {

bool SameSettings(const kx::SessionState& a, const kx::SessionState& b) {
    return std::memcmp(&a.m_all_kx7214_page_data, &b.m_all_kx7214_page_data,
                       sizeof(kx::kx7214_page_data)) == 0 &&
           a.m_umd_text == b.m_umd_text;
}

// Any sequence of code units, stored as a value, reads back unchanged.
void CheckValueRoundTrip(const std::uint8_t* data, std::size_t size) {
    std::u16string value;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        value += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    kx::IniDocument doc;
    doc.SetString(u"S", u"K", value);
    if (kx::IniDocument::FromBytes(doc.ToBytes()).GetString(u"S", u"K") != value)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = (kx::platform::SetLogSink({}), true);
    (void)quiet;
    if (size > 4096)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    kx::IniDocument doc = kx::IniDocument::FromBytes(bytes);
    kx::SessionState loaded;
    kx::ReadSettings(doc, loaded);
    for (const std::u16string& text : loaded.m_umd_text) {
        if (text.size() > 63)
            __builtin_trap();
    }

    kx::StoreSettings(loaded, doc);
    const std::string saved = doc.ToBytes();
    const kx::IniDocument reread = kx::IniDocument::FromBytes(saved);
    kx::SessionState again;
    kx::ReadSettings(reread, again);
    if (!SameSettings(loaded, again) || reread.ToBytes() != saved)
        __builtin_trap();

    CheckValueRoundTrip(data, size);
    return 0;
}

extern "C" void KxFuzzSeeds(std::vector<std::vector<std::uint8_t>>* seeds) {
    const std::string_view files[] = {
        "[Page_Scale]\r\n Output_Format=3\r\n Border_Color=300\r\n[Page_Overlay]\r\n"
        "Umd_Char_Line_1=\"  a\\n\\u0001\\\"b\"\r\nUmd_Enable_Line_2=-1\r\n",
        "\xEF\xBB\xBF; comment\n[page_audio]\nAudio_Postion_Line_1 = 12abc\n[Other]\nX=y\n",
        "[Page_Input]\nInput_Back_Color_Line_4='15'\n[Page_Overlay]\nUmd_Char_Line_3=Caf\xE9\n",
    };
    for (std::string_view f : files)
        seeds->emplace_back(f.begin(), f.end());
    std::vector<std::uint8_t> wide = {0xFF, 0xFE};
    for (char c : std::string_view("[Page_Overlay]\r\nUmd_Char_Line_1=x\r\n")) {
        wide.push_back(static_cast<std::uint8_t>(c));
        wide.push_back(0);
    }
    seeds->push_back(wide);
}
