#pragma once
// Text conversions between the wide (UTF-16) strings the panel keeps, the device's byte
// encodings and UTF-8 for files and terminals.
#include <string>
#include <string_view>

namespace kx::platform {

// The system ANSI code page. Windows uses its real conversion; elsewhere the code page is
// ISO-8859-1 and every character it cannot hold becomes '?' (one per character, so a
// surrogate pair gives one '?').
std::string WideToAnsi(std::u16string_view text);

std::string Utf16ToUtf8(std::u16string_view text);
// Invalid UTF-8 sequences become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
// Each byte becomes the code unit of the same value (the device sends names this way).
std::u16string BytesToWide(std::string_view bytes);
std::u16string Windows1252ToUtf16(std::string_view bytes);

// Longest prefix of at most max_units code units that does not end inside a surrogate pair.
std::u16string_view CutUtf16(std::u16string_view text, std::size_t max_units);

} // namespace kx::platform
