// How a text is stored as the value of a "key=value" line so that it reads back exactly.
//
// A value that needs nothing special is written as it is, as any INI writer would. A value that
// the line syntax would change (surrounding blanks, a leading quote), that would break the line
// (line breaks and other control characters), that other INI readers take for the start of a
// comment (';', '#') or that UTF-8 cannot carry (an unpaired surrogate) is written in double
// quotes with backslash escapes: \" \\ \n \r \t and \uXXXX (one UTF-16 code unit).
#include "model/ini_file.h"

namespace kx {
namespace {

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Characters a line cannot carry as they are: C0 and C1 controls, DEL and the Unicode line and
// paragraph separators.
bool IsControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

bool IsQuote(char16_t c) {
    return c == u'"' || c == u'\'';
}
bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

// Length of the well-formed character at value[i]: 2 for a surrogate pair, 0 for an unpaired
// surrogate, 1 otherwise.
std::size_t CharLength(std::u16string_view value, std::size_t i) {
    const char16_t c = value[i];
    if (IsHighSurrogate(c))
        return i + 1 < value.size() && IsLowSurrogate(value[i + 1]) ? 2 : 0;
    return IsLowSurrogate(c) ? 0 : 1;
}

bool NeedsQuotes(std::u16string_view value) {
    if (value.empty())
        return false;
    if (IsBlank(value.front()) || IsBlank(value.back()) || IsQuote(value.front()))
        return true;
    for (std::size_t i = 0; i < value.size();) {
        const std::size_t n = CharLength(value, i);
        const char16_t c = value[i];
        if (n == 0 || IsControl(c) || c == u';' || c == u'#')
            return true;
        i += n;
    }
    return false;
}

void AppendUnitEscape(std::u16string& out, char16_t c) {
    constexpr char16_t kHex[] = u"0123456789ABCDEF";
    out += u"\\u";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += kHex[(c >> shift) & 0xF];
}

void AppendEscaped(std::u16string& out, char16_t c, bool unpaired) {
    switch (c) {
    case u'"':
        out += u"\\\"";
        return;
    case u'\\':
        out += u"\\\\";
        return;
    case u'\n':
        out += u"\\n";
        return;
    case u'\r':
        out += u"\\r";
        return;
    case u'\t':
        out += u"\\t";
        return;
    default:
        if (unpaired || IsControl(c))
            AppendUnitEscape(out, c);
        else
            out += c;
    }
}

int HexValue(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// The code unit of the four hex digits at text[at], if there are four.
std::optional<char16_t> HexUnit(std::u16string_view text, std::size_t at) {
    if (at + 4 > text.size())
        return std::nullopt;
    int unit = 0;
    for (std::size_t k = 0; k < 4; ++k) {
        const int digit = HexValue(text[at + k]);
        if (digit < 0)
            return std::nullopt;
        unit = unit * 16 + digit;
    }
    return static_cast<char16_t>(unit);
}

// Undoes the escapes of a double-quoted value. A backslash that starts no known escape stays
// as it is, so a quoted value written by another program (a Windows path) mostly survives.
std::u16string Unescape(std::u16string_view inner) {
    std::u16string out;
    for (std::size_t i = 0; i < inner.size(); ++i) {
        const char16_t c = inner[i];
        const char16_t next = i + 1 < inner.size() ? inner[i + 1] : u'\0';
        if (c != u'\\' || i + 1 == inner.size()) {
            out += c;
        } else if (next == u'"' || next == u'\\') {
            out += next;
            ++i;
        } else if (next == u'n' || next == u'r' || next == u't') {
            out += next == u'n' ? u'\n' : next == u'r' ? u'\r' : u'\t';
            ++i;
        } else if (std::optional<char16_t> unit =
                       next == u'u' ? HexUnit(inner, i + 2) : std::nullopt) {
            out += *unit;
            i += 5;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

std::u16string EncodeIniValue(std::u16string_view value) {
    if (!NeedsQuotes(value))
        return std::u16string(value);
    std::u16string out = u"\"";
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::size_t n = CharLength(value, i);
        if (n == 2) {
            out += value.substr(i, 2);
            ++i;
            continue;
        }
        AppendEscaped(out, value[i], n == 0);
    }
    out += u'"';
    return out;
}

std::u16string DecodeIniValue(std::u16string_view raw) {
    if (raw.size() >= 2 && raw.front() == u'"' && raw.back() == u'"')
        return Unescape(raw.substr(1, raw.size() - 2));
    if (raw.size() >= 2 && raw.front() == u'\'' && raw.back() == u'\'')
        return std::u16string(raw.substr(1, raw.size() - 2));
    return std::u16string(raw);
}

} // namespace kx
