#pragma once
// A small INI document with the behaviour of the Windows private-profile functions, kept in
// memory so that many keys can be set and the file written once.
//
// - Section and key names match without regard to ASCII case and to surrounding blanks; the
//   first matching section and the first matching key in it count.
// - Setting an existing key rewrites that line in place; a missing key is added after the last
//   line of its section, a missing section is appended at the end of the file.
// - Every other line (comments, unknown keys and sections, blank lines) is kept byte for byte,
//   in its order, with its own line end.
// - Read as UTF-8 (with or without byte-order mark), as UTF-16LE when the file starts with that
//   byte-order mark, otherwise as Windows-1252. LF and CRLF both end a line. Written as UTF-8.
// - Values are trimmed of surrounding blanks; a value enclosed in double quotes has its quotes
//   removed and its backslash escapes undone, one enclosed in single quotes its quotes removed.
//   SetString quotes a value only when it could not be read back as written otherwise.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx {

class IniDocument {
public:
    // Decodes the bytes of a file; never fails (undecodable bytes become U+FFFD).
    static IniDocument FromBytes(std::string_view bytes);
    // The whole document as UTF-8.
    std::string ToBytes() const;

    std::optional<std::u16string> GetString(std::u16string_view section,
                                            std::u16string_view key) const;
    void SetString(std::u16string_view section, std::u16string_view key, std::u16string_view value);

private:
    struct Line {
        std::u16string text;
        std::u16string end; // "\n", "\r\n", or empty for a last line without a line end
    };
    struct SectionSpan {
        std::size_t header; // index of the "[name]" line
        std::size_t end;    // one past the section's last line
    };

    std::optional<SectionSpan> FindSection(std::u16string_view section) const;
    std::optional<std::size_t> FindKey(const SectionSpan& span, std::u16string_view key) const;
    void InsertLine(std::size_t at, std::u16string text);

    std::vector<Line> lines_;
    std::u16string new_line_end_ = u"\n";
    bool utf8_bom_ = false;
};

// How a value is written into and read back from a "key=value" line.
std::u16string EncodeIniValue(std::u16string_view value);
std::u16string DecodeIniValue(std::u16string_view raw);

struct IniFileResult {
    bool ok = false;
    std::string reason; // why the file could not be read or written; empty when ok
};

// Reads the whole file. A missing or unreadable file (or a directory) fails with the reason.
IniFileResult LoadIniFile(const std::filesystem::path& path, IniDocument& doc);
// Writes the document whole to a temporary file beside the target and renames it over the
// target, so the target is either the old file or the new one, never a part of either.
IniFileResult SaveIniFile(const std::filesystem::path& path, const IniDocument& doc);
// The same for any bytes (the index beside a fleet's settings files).
IniFileResult SaveFileAtomically(const std::filesystem::path& path, const std::string& bytes);

} // namespace kx
