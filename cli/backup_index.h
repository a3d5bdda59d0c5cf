#pragma once
// The index of a fleet backup: "fleet.json" beside one settings file per device, saying which
// file belongs to which device.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/ini_file.h"

namespace kx::cli {

inline constexpr char kIndexFileName[] = "fleet.json";

struct BackupEntry {
    std::string name;     // the device's name, as its read-all reply gave it
    std::string address;  // dotted quad
    std::string firmware; // "Ver a.b.c.d"
    std::uint8_t address_byte = 0;
    std::string list_text; // as the device list showed it
    std::string file;      // the settings file, inside the backup's folder
};

// Reads DIR/fleet.json. A missing index is an empty one when `must_exist` is false; an index
// that cannot be read or does not hold what it should gives nothing, with the reason.
std::optional<std::vector<BackupEntry>> LoadIndex(const std::filesystem::path& dir, bool must_exist,
                                                  std::string& problem);
IniFileResult SaveIndex(const std::filesystem::path& dir, const std::vector<BackupEntry>& entries);

// Entries of `fresh` replace those of the same address in `kept`; the others stay, so a device
// that did not answer this time keeps its earlier file in the index.
std::vector<BackupEntry> MergeIndex(std::vector<BackupEntry> kept,
                                    const std::vector<BackupEntry>& fresh);

// Where an entry's file lies: inside the folder, its name read as UTF-8 on every system.
std::filesystem::path EntryPath(const std::filesystem::path& dir, const BackupEntry& entry);

// A settings file name a person can tell apart: the list text (name and address), with every
// character that a file name cannot hold on Linux or Windows replaced by '_'.
std::string BackupFileName(const std::string& list_text);

} // namespace kx::cli
