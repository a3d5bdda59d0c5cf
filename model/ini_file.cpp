#include "model/ini_file.h"

#include "platform/text.h"

namespace kx {
namespace {

using platform::Utf16ToUtf8;
using platform::Utf8ToUtf16;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr char16_t kByteOrderMark = u'\uFEFF';

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

std::u16string_view Trim(std::u16string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char16_t FoldAscii(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
    a = Trim(a);
    b = Trim(b);
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    }
    return true;
}

std::u16string Utf16LeToWide(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size() / 2 + 1);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        auto lo = static_cast<unsigned char>(bytes[i]);
        auto hi = static_cast<unsigned char>(bytes[i + 1]);
        out += static_cast<char16_t>(lo | (hi << 8));
    }
    if (bytes.size() % 2 != 0)
        out += u'\uFFFD';
    return out;
}

// Windows programs save INI files in UTF-16LE with a byte-order mark or in the ANSI code page;
// anything that is valid UTF-8 is taken as UTF-8 (plain ASCII is the same in all three).
std::u16string DecodeFile(std::string_view bytes, bool& utf8_bom) {
    utf8_bom = bytes.starts_with(kUtf8Bom);
    if (utf8_bom)
        return Utf8ToUtf16(bytes.substr(kUtf8Bom.size()));
    if (bytes.starts_with(kUtf16LeBom))
        return Utf16LeToWide(bytes.substr(kUtf16LeBom.size()));
    std::u16string wide = Utf8ToUtf16(bytes);
    if (Utf16ToUtf8(wide) == bytes)
        return wide;
    return platform::Windows1252ToUtf16(bytes);
}

// The section name of a "[name]" line.
std::optional<std::u16string_view> SectionName(std::u16string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != u'[')
        return std::nullopt;
    std::size_t close = line.rfind(u']');
    if (close == std::u16string_view::npos)
        return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

struct KeyLine {
    std::u16string_view key;
    std::size_t value_start; // index just after the '='
};

// The key of a "key=value" line; comments, section lines and lines without '=' have none.
std::optional<KeyLine> KeyOf(std::u16string_view line) {
    std::u16string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == u';' || trimmed.front() == u'#' ||
        trimmed.front() == u'[')
        return std::nullopt;
    std::size_t eq = line.find(u'=');
    if (eq == std::u16string_view::npos)
        return std::nullopt;
    std::u16string_view key = Trim(line.substr(0, eq));
    if (key.empty())
        return std::nullopt;
    return KeyLine{key, eq + 1};
}

} // namespace

IniDocument IniDocument::FromBytes(std::string_view bytes) {
    IniDocument doc;
    const std::u16string text = DecodeFile(bytes, doc.utf8_bom_);
    bool end_seen = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t nl = text.find(u'\n', pos);
        if (nl == std::u16string::npos) {
            doc.lines_.push_back({text.substr(pos), u""});
            break;
        }
        const bool crlf = nl > pos && text[nl - 1] == u'\r';
        const std::size_t text_end = crlf ? nl - 1 : nl;
        doc.lines_.push_back({text.substr(pos, text_end - pos), crlf ? u"\r\n" : u"\n"});
        if (!end_seen)
            doc.new_line_end_ = doc.lines_.back().end;
        end_seen = true;
        pos = nl + 1;
    }
    return doc;
}

std::string IniDocument::ToBytes() const {
    std::u16string text;
    for (const Line& line : lines_) {
        text += line.text;
        text += line.end;
    }
    // A text that itself starts with U+FEFF gets a mark in front, or reading it back would
    // take that character for the mark.
    const bool bom = utf8_bom_ || (!text.empty() && text.front() == kByteOrderMark);
    std::string out = bom ? std::string(kUtf8Bom) : std::string();
    out += Utf16ToUtf8(text);
    return out;
}

std::optional<IniDocument::SectionSpan>
IniDocument::FindSection(std::u16string_view section) const {
    std::optional<SectionSpan> span;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::optional<std::u16string_view> name = SectionName(lines_[i].text);
        if (!name)
            continue;
        if (span)
            return SectionSpan{span->header, i};
        if (SameName(*name, section))
            span = SectionSpan{i, lines_.size()};
    }
    return span;
}

std::optional<std::size_t> IniDocument::FindKey(const SectionSpan& span,
                                                std::u16string_view key) const {
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        std::optional<KeyLine> k = KeyOf(lines_[i].text);
        if (k && SameName(k->key, key))
            return i;
    }
    return std::nullopt;
}

std::optional<std::u16string> IniDocument::GetString(std::u16string_view section,
                                                     std::u16string_view key) const {
    std::optional<SectionSpan> span = FindSection(section);
    if (!span)
        return std::nullopt;
    std::optional<std::size_t> at = FindKey(*span, key);
    if (!at)
        return std::nullopt;
    std::u16string_view line = lines_[*at].text;
    return DecodeIniValue(Trim(line.substr(KeyOf(line)->value_start)));
}

void IniDocument::InsertLine(std::size_t at, std::u16string text) {
    if (at > 0 && lines_[at - 1].end.empty())
        lines_[at - 1].end = new_line_end_;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                  Line{std::move(text), new_line_end_});
}

void IniDocument::SetString(std::u16string_view section, std::u16string_view key,
                            std::u16string_view value) {
    const std::u16string encoded = EncodeIniValue(value);
    std::optional<SectionSpan> span = FindSection(section);
    if (!span) {
        std::u16string header(1, u'[');
        header.append(Trim(section)).push_back(u']');
        InsertLine(lines_.size(), header);
        span = SectionSpan{lines_.size() - 1, lines_.size()};
    }
    if (std::optional<std::size_t> at = FindKey(*span, key)) {
        // Keep the key as the file spells it and the blanks after '='; replace the value.
        std::u16string& text = lines_[*at].text;
        std::size_t start = KeyOf(text)->value_start;
        while (start < text.size() && IsBlank(text[start]))
            ++start;
        text.replace(start, std::u16string::npos, encoded);
        return;
    }
    // After the section's last line that is not blank, so a blank line that separates it from
    // the next section stays where it is.
    std::size_t at = span->end;
    while (at > span->header + 1 && Trim(lines_[at - 1].text).empty())
        --at;
    std::u16string line(Trim(key));
    line.append(1, u'=').append(encoded);
    InsertLine(at, line);
}

} // namespace kx
