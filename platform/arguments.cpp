#include "platform/arguments.h"

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>

#include "platform/text.h"
#endif

namespace kx::platform {

Utf8Arguments::Utf8Arguments(int argc, char** argv) : m_values(argv, argv + argc) {
#ifdef _WIN32
    int count = 0;
    if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        m_values.clear();
        for (int i = 0; i < count; ++i) {
            const std::wstring_view arg(wide[i]);
            m_values.push_back(Utf16ToUtf8(std::u16string(arg.begin(), arg.end())));
        }
        LocalFree(wide);
    }
#endif
    for (std::string& value : m_values)
        m_pointers.push_back(value.data());
    m_pointers.push_back(nullptr);
}

void UseUtf8Console() {
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8);
#endif
}

std::filesystem::path PathFromUtf8(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

} // namespace kx::platform
