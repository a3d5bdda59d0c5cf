#include "platform/file_replace.h"

#include <cerrno>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace kx::platform {
namespace {

std::error_code Errno() {
    return {errno != 0 ? errno : EIO, std::generic_category()};
}

#ifdef _WIN32
std::error_code LastError() {
    return {static_cast<int>(GetLastError()), std::system_category()};
}
#else
// After a rename the folder entry itself must reach the disk too.
void SyncDirectory(const std::filesystem::path& dir) {
    const int fd = open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}
#endif

} // namespace

std::FILE* CreateNewFile(const std::filesystem::path& path, std::error_code& ec) {
    errno = 0;
#ifdef _WIN32
    // The wide name reaches the file system unchanged; the ANSI calls would turn characters
    // outside the code page into '?'.
    const int fd =
        _wopen(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
    std::FILE* f = fd < 0 ? nullptr : _fdopen(fd, "wb");
    if (f == nullptr && fd >= 0)
        _close(fd);
#else
    const int fd = open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
    std::FILE* f = fd < 0 ? nullptr : fdopen(fd, "wb");
    if (f == nullptr && fd >= 0)
        close(fd);
#endif
    ec = f == nullptr ? Errno() : std::error_code{};
    return f;
}

std::error_code SyncToDisk(std::FILE* f) {
    errno = 0;
    if (std::fflush(f) != 0)
        return Errno();
#ifdef _WIN32
    const int synced = _commit(_fileno(f));
#else
    const int synced = fsync(fileno(f));
#endif
    return synced == 0 ? std::error_code{} : Errno();
}

std::error_code ReplaceFileWith(const std::filesystem::path& target,
                                const std::filesystem::path& source) {
#ifdef _WIN32
    if (ReplaceFileW(target.c_str(), source.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                     nullptr, nullptr))
        return {};
    // The first save has no old file to replace.
    if (GetLastError() != ERROR_FILE_NOT_FOUND)
        return LastError();
    if (MoveFileExW(source.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    return LastError();
#else
    errno = 0;
    if (std::rename(source.c_str(), target.c_str()) != 0)
        return Errno();
    SyncDirectory(target.parent_path());
    return {};
#endif
}

} // namespace kx::platform
