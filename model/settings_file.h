#pragma once
// The settings file: a copy of the operator's layout of the device (48 record bytes and the
// four UMD texts) that can be written now and sent to the same or another device later.
#include <filesystem>
#include <string>

#include "model/ini_file.h"
#include "model/session_state.h"

namespace kx {

// In the current working directory, not beside the program.
inline constexpr char kSettingsFileName[] = "userSettings_kx7214.ini";

struct SettingsSaveResult {
    bool written = false;
    std::string reason; // why the file was not written; empty when it was
};

// Writes the 52 keys into the file, keeping everything else the file holds, in one write.
SettingsSaveResult SaveSettingsFile(const SessionState& state,
                                    const std::filesystem::path& path = kSettingsFileName);

// Reads the 52 keys into the record and the UMD texts; a key the file lacks reads as 0 or as an
// empty text. Returns false, and changes nothing, when the file cannot be read at all (missing,
// unreadable, a directory); `reason` then says why.
bool LoadSettingsFile(SessionState& state, const std::filesystem::path& path = kSettingsFileName,
                      std::string* reason = nullptr);

// The same two steps on a document in memory.
void StoreSettings(const SessionState& state, IniDocument& doc);
void ReadSettings(const IniDocument& doc, SessionState& state);
// How many of the 52 keys the document holds: none means it is no settings file at all.
int CountSettingsKeys(const IniDocument& doc);

} // namespace kx
