// Reading an INI file whole and replacing it whole.
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "model/ini_file.h"

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace kx {
namespace fs = std::filesystem;

namespace {

std::string PathText(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

IniFileResult Failure(const fs::path& path, const std::string& why) {
    return {false, PathText(path) + ": " + why};
}

IniFileResult Errno(const fs::path& path, int error) {
    return Failure(path, std::generic_category().message(error));
}

std::FILE* OpenFile(const fs::path& path, const char* mode) {
#ifdef _WIN32
    std::wstring wide_mode(mode, mode + std::strlen(mode));
    return _wfopen(path.c_str(), wide_mode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

// Creates a new file beside the target that no one else uses ("x": fail if it exists).
std::FILE* CreateTempBeside(const fs::path& target, fs::path& temp, int& error) {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string suffix =
            ".tmp" + std::to_string(stamp % 1000000007) + "-" + std::to_string(counter++);
        temp = target;
        temp += suffix;
        std::FILE* f = OpenFile(temp, "wbx");
        if (f != nullptr)
            return f;
        error = errno;
        if (error != EEXIST)
            return nullptr;
    }
    return nullptr;
}

// Writes everything and makes it durable before the rename can make it visible.
int WriteAndClose(std::FILE* f, const std::string& bytes) {
    int error = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fflush(f) != 0)
        error = errno != 0 ? errno : EIO;
#ifdef _WIN32
    if (error == 0 && _commit(_fileno(f)) != 0)
        error = errno;
#else
    if (error == 0 && fsync(fileno(f)) != 0)
        error = errno;
#endif
    if (std::fclose(f) != 0 && error == 0)
        error = errno != 0 ? errno : EIO;
    return error;
}

// After a rename the directory entry itself must reach the disk too.
void SyncDirectory([[maybe_unused]] const fs::path& dir) {
#ifndef _WIN32
    const int fd = open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
#endif
}

// The file a save must replace: a symbolic link stays a link to the file that changes.
fs::path ResolveTarget(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_symlink(path, ec))
        return path;
    fs::path resolved = fs::canonical(path, ec);
    return ec ? path : resolved;
}

} // namespace

IniFileResult LoadIniFile(const fs::path& path, IniDocument& doc) {
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return Failure(path, "is a directory");
    errno = 0;
    std::FILE* f = OpenFile(path, "rb");
    if (f == nullptr)
        return Errno(path, errno);
    std::string bytes;
    char chunk[4096];
    std::size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.append(chunk, n);
    const bool failed = std::ferror(f) != 0;
    const int error = errno;
    std::fclose(f);
    if (failed)
        return Errno(path, error != 0 ? error : EIO);
    doc = IniDocument::FromBytes(bytes);
    return {true, {}};
}

IniFileResult SaveIniFile(const fs::path& path, const IniDocument& doc) {
    return SaveFileAtomically(path, doc.ToBytes());
}

IniFileResult SaveFileAtomically(const fs::path& path, const std::string& bytes) {
    const fs::path target = ResolveTarget(path);
    std::error_code ec;
    if (fs::is_directory(target, ec))
        return Failure(path, "is a directory");
    fs::path temp;
    int error = 0;
    std::FILE* f = CreateTempBeside(target, temp, error);
    if (f == nullptr)
        return Errno(path, error != 0 ? error : EEXIST);
    error = WriteAndClose(f, bytes);
    if (error != 0) {
        fs::remove(temp, ec);
        return Errno(path, error);
    }
    // The new file keeps the permissions the old one had.
    const fs::file_status old = fs::status(target, ec);
    if (!ec && fs::exists(old))
        fs::permissions(temp, old.permissions(), ec);
    fs::rename(temp, target, ec);
    if (ec) {
        const std::string why = ec.message();
        fs::remove(temp, ec);
        return Failure(path, why);
    }
    SyncDirectory(target.parent_path());
    return {true, {}};
}

} // namespace kx
