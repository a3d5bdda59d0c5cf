#pragma once
// A fresh directory for one test, removed with everything in it afterwards.
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace kx::test {

class TempDir {
public:
    explicit TempDir(const std::string& stem) {
        std::random_device random;
        namespace fs = std::filesystem;
        do
            path_ = fs::temp_directory_path() / (stem + "_" + std::to_string(random()));
        while (!fs::create_directory(path_));
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace kx::test
