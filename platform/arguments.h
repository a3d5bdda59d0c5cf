#pragma once
// Command-line text in UTF-8 on every system. Windows hands main() its arguments in the ANSI code
// page, where a name like "Régie Ω" has already lost what the code page cannot hold, and writes
// narrow text to the console in the console's own code page. The programs keep all text as UTF-8
// and let these turn it into what the system needs.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kx::platform {

// The program's arguments as UTF-8, in the argc/argv shape main() and the option parser use.
// On Windows they are taken from the wide command line; elsewhere they are argv as given.
class Utf8Arguments {
public:
    Utf8Arguments(int argc, char** argv);
    int Count() const { return static_cast<int>(m_pointers.size()) - 1; }
    char** Values() { return m_pointers.data(); }

private:
    std::vector<std::string> m_values;
    std::vector<char*> m_pointers; // into m_values, then a null pointer
};

// Makes the console show UTF-8 output as such (Windows); nothing to do elsewhere.
void UseUtf8Console();

// A file path from UTF-8 text: on Windows every character reaches the wide file name.
std::filesystem::path PathFromUtf8(std::string_view text);

} // namespace kx::platform
