#include "cli/backup_index.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "cli/numbers.h"

namespace kx::cli {
namespace {

using Json = nlohmann::ordered_json;

// Only a file directly inside the backup's folder: an index edited to name "../x" or an
// absolute path must not make restore read, or backup write, anywhere else.
bool IsPlainFileName(const std::string& file) {
    return !file.empty() && file != "." && file != ".." &&
           file.find_first_of("/\\:") == std::string::npos;
}

std::string Text(const Json& entry, const char* key) {
    const auto it = entry.find(key);
    if (it == entry.end() || !it->is_string())
        throw std::runtime_error(std::string("\"") + key + "\" is missing or not a text");
    return it->get<std::string>();
}

BackupEntry ParseEntry(const Json& j) {
    if (!j.is_object())
        throw std::runtime_error("an entry is not an object");
    BackupEntry e;
    e.name = Text(j, "name");
    e.address = Text(j, "address");
    e.firmware = Text(j, "firmware");
    std::string error;
    if (!ParseDottedQuad(e.address, "address", error))
        throw std::runtime_error(error);
    const auto byte = j.find("address_byte");
    if (byte == j.end() || !byte->is_number_unsigned() || *byte > 255)
        throw std::runtime_error("\"address_byte\" of " + e.address + " is not 0..255");
    e.address_byte = byte->get<std::uint8_t>();
    e.list_text = j.contains("list_text") ? Text(j, "list_text") : std::string();
    e.file = Text(j, "file");
    if (!IsPlainFileName(e.file))
        throw std::runtime_error("\"file\" of " + e.address + " is not a file name in the folder");
    return e;
}

} // namespace

std::optional<std::vector<BackupEntry>> LoadIndex(const std::filesystem::path& dir, bool must_exist,
                                                  std::string& problem) {
    const std::filesystem::path path = dir / kIndexFileName;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        if (!must_exist)
            return std::vector<BackupEntry>{};
        problem = path.string() + ": no such file (not a backup folder?)";
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    if (!in) {
        problem = path.string() + ": cannot be read";
        return std::nullopt;
    }
    try {
        const Json j = Json::parse(bytes.str());
        std::vector<BackupEntry> entries;
        for (const Json& e : j.at("devices"))
            entries.push_back(ParseEntry(e));
        return entries;
    } catch (const std::exception& e) {
        problem = path.string() + ": not a fleet index (" + e.what() + ")";
        return std::nullopt;
    }
}

IniFileResult SaveIndex(const std::filesystem::path& dir, const std::vector<BackupEntry>& entries) {
    Json devices = Json::array();
    for (const BackupEntry& e : entries)
        devices.push_back({{"name", e.name},
                           {"address", e.address},
                           {"firmware", e.firmware},
                           {"address_byte", e.address_byte},
                           {"list_text", e.list_text},
                           {"file", e.file}});
    const Json index = {{"devices", devices}};
    return SaveFileAtomically(dir / kIndexFileName,
                              index.dump(2, ' ', false, Json::error_handler_t::replace) + "\n");
}

std::vector<BackupEntry> MergeIndex(std::vector<BackupEntry> kept,
                                    const std::vector<BackupEntry>& fresh) {
    for (const BackupEntry& f : fresh) {
        const auto same = std::find_if(kept.begin(), kept.end(), [&f](const BackupEntry& k) {
            return k.address == f.address;
        });
        if (same != kept.end())
            *same = f;
        else
            kept.push_back(f);
    }
    return kept;
}

std::filesystem::path EntryPath(const std::filesystem::path& dir, const BackupEntry& entry) {
    return dir / std::u8string(entry.file.begin(), entry.file.end());
}

std::string BackupFileName(const std::string& list_text) {
    std::string name = list_text;
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20 ||
            std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos)
            c = '_';
    // A leading dot would hide the file.
    if (name.empty() || name.front() == '.')
        name.insert(name.begin(), '_');
    return name + ".ini";
}

} // namespace kx::cli
