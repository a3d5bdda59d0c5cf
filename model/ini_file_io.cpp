// Reading an INI file whole and replacing it whole.
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "model/ini_file.h"
#include "platform/file_replace.h"

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

IniFileResult Failure(const fs::path& path, std::error_code ec) {
    return Failure(path, ec.message());
}

std::FILE* OpenFile(const fs::path& path, const char* mode) {
#ifdef _WIN32
    std::wstring wide_mode(mode, mode + std::strlen(mode));
    return _wfopen(path.c_str(), wide_mode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

// Creates a new file beside the target that no one else uses.
std::FILE* CreateTempBeside(const fs::path& target, fs::path& temp, std::error_code& ec) {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string suffix =
            ".tmp" + std::to_string(stamp % 1000000007) + "-" + std::to_string(counter++);
        temp = target;
        temp += suffix;
        std::FILE* f = platform::CreateNewFile(temp, ec);
        if (f != nullptr || ec != std::errc::file_exists)
            return f;
    }
    return nullptr;
}

// Writes everything and makes it durable before the rename can make it visible.
std::error_code WriteAndClose(std::FILE* f, const std::string& bytes) {
    errno = 0;
    std::error_code ec;
    if (std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size())
        ec = {errno != 0 ? errno : EIO, std::generic_category()};
    if (!ec)
        ec = platform::SyncToDisk(f);
    if (std::fclose(f) != 0 && !ec)
        ec = {errno != 0 ? errno : EIO, std::generic_category()};
    return ec;
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
    std::FILE* f = CreateTempBeside(target, temp, ec);
    if (f == nullptr)
        return Failure(path, ec);
    if (const std::error_code written = WriteAndClose(f, bytes)) {
        fs::remove(temp, ec);
        return Failure(path, written);
    }
    // The new file keeps the permissions the old one had.
    const fs::file_status old = fs::status(target, ec);
    if (!ec && fs::exists(old))
        fs::permissions(temp, old.permissions(), ec);
    if (const std::error_code replaced = platform::ReplaceFileWith(target, temp)) {
        fs::remove(temp, ec);
        return Failure(path, replaced);
    }
    return {true, {}};
}

} // namespace kx
