#pragma once
// Replacing a file whole: the new contents are written to a file of their own beside the old
// one, made durable, and then put in the old one's place in one step. A reader, a crash or a
// power cut finds the old file or the new one, never a part of either and never neither.
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace kx::platform {

// Opens a new file for binary writing; fails with "file exists" when the name is taken, so two
// writers never share a temporary file. Names may hold any Unicode character on every system.
std::FILE* CreateNewFile(const std::filesystem::path& path, std::error_code& ec);

// Writes out what the stream holds and makes it durable, before a rename can make it visible.
std::error_code SyncToDisk(std::FILE* f);

// Puts `source` in the place of `target` in one step, replacing `target` when it exists, and
// makes the folder entry durable where the system allows. On Windows the old file's
// attributes and access rights carry over to the new one.
std::error_code ReplaceFileWith(const std::filesystem::path& target,
                                const std::filesystem::path& source);

} // namespace kx::platform
