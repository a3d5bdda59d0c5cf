// Replacing a file whole, as the settings file is saved: the Windows half takes wide names and
// ReplaceFileW / MoveFileExW, the POSIX half open(O_EXCL) and rename.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/file_replace.h"
#include "tests/core/temp_dir.h"

namespace kx::platform {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteNew(const fs::path& path, const std::string& bytes) {
    std::error_code ec;
    std::FILE* f = CreateNewFile(path, ec);
    ASSERT_NE(f, nullptr) << ec.message();
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
    EXPECT_FALSE(SyncToDisk(f));
    std::fclose(f);
}

// Two writers never get the same temporary file: a name that exists is refused, whatever it
// holds, and the file keeps its contents.
TEST(FileReplace, NewFileIsRefusedWhenTheNameExists) {
    test::TempDir dir("kx_replace");
    const fs::path path = dir.Path() / fs::path(u8"neu \u00df.tmp");
    WriteNew(path, "first");
    std::error_code ec;
    EXPECT_EQ(CreateNewFile(path, ec), nullptr);
    EXPECT_EQ(ec, std::errc::file_exists) << ec.message();
    EXPECT_EQ(Contents(path), "first");
}

// The first save has no file to replace, later ones do; the new file takes the old one's name
// and nothing else is left in the folder.
TEST(FileReplace, ReplacesOrCreatesTheTargetAndTheSourceIsGone) {
    test::TempDir dir("kx_replace");
    const fs::path target = dir.Path() / fs::path(u8"\u8a2d\u5b9a \u03a9.ini");
    const fs::path source = dir.Path() / fs::path(u8"\u8a2d\u5b9a \u03a9.ini.tmp1");
    WriteNew(source, "one");
    ASSERT_FALSE(ReplaceFileWith(target, source));
    WriteNew(source, "two");
    ASSERT_FALSE(ReplaceFileWith(target, source));
    EXPECT_EQ(Contents(target), "two");
    EXPECT_FALSE(fs::exists(source));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(FileReplace, FailureLeavesTheSourceForTheCallerToRemove) {
    test::TempDir dir("kx_replace");
    const fs::path source = dir.Path() / "x.tmp";
    WriteNew(source, "kept");
    EXPECT_TRUE(ReplaceFileWith(dir.Path() / "missing" / "x.ini", source));
    EXPECT_EQ(Contents(source), "kept");
}

} // namespace
} // namespace kx::platform
