// Writing the user's file so that a failure loses nothing: real files in a temporary folder, a
// file-size limit standing in for a full disk (it works for root too), /dev/full and a FIFO.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "file_size_limit.h"
#include "screens/file_write.h"
#include "temp_dir.h"

using namespace corvane;
using corvane::test::FileSizeLimit;
using corvane::test::TempDir;
namespace fs = std::filesystem;

namespace {
std::string content(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
void put(const fs::path& p, const std::string& s) { std::ofstream(p, std::ios::binary | std::ios::trunc) << s; }
std::size_t entries(const fs::path& dir) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}
mode_t modeOf(const fs::path& p) {
    struct stat st {};
    ::stat(p.c_str(), &st);
    return st.st_mode & 07777;
}
}  // namespace

TEST(FileWrite, NewAndExistingFilesGetExactlyTheBytes) {
    TempDir dir;
    const std::string bytes("A\0B\xFF\r\n\x81", 7);
    EXPECT_EQ(writeWholeFile((dir / "new.txt").string(), bytes), 0);
    EXPECT_EQ(content(dir / "new.txt"), bytes);
    EXPECT_EQ(writeWholeFile((dir / "empty.txt").string(), ""), 0);
    EXPECT_TRUE(fs::exists(dir / "empty.txt"));
    EXPECT_EQ(fs::file_size(dir / "empty.txt"), 0u);

    // A longer old file is replaced whole, keeping its permissions; nothing else is left behind.
    put(dir / "old.txt", std::string(100, 'o'));
    ::chmod((dir / "old.txt").c_str(), 0640);
    EXPECT_EQ(writeWholeFile((dir / "old.txt").string(), "short"), 0);
    EXPECT_EQ(content(dir / "old.txt"), "short");
    EXPECT_EQ(modeOf(dir / "old.txt"), 0640u);
    EXPECT_EQ(entries(dir.path()), 3u);

    // A link is followed: the file it names gets the text and the link stays a link.
    fs::create_symlink(dir / "old.txt", dir / "link.txt");
    EXPECT_EQ(writeWholeFile((dir / "link.txt").string(), "via link"), 0);
    EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
    EXPECT_EQ(content(dir / "old.txt"), "via link");
}

TEST(FileWrite, AFailedWriteKeepsTheOldFileAndLeavesNoPartialFile) {
    TempDir dir;
    put(dir / "kept.txt", "old report");
    const std::string big(4096, 'x');
    {
        FileSizeLimit limit(1024);
        EXPECT_EQ(writeWholeFile((dir / "kept.txt").string(), big), EFBIG);
        EXPECT_EQ(writeWholeFile((dir / "fresh.txt").string(), big), EFBIG);
    }
    EXPECT_EQ(content(dir / "kept.txt"), "old report");
    EXPECT_FALSE(fs::exists(dir / "fresh.txt")) << "half a report would pass for a whole one";
    EXPECT_EQ(entries(dir.path()), 1u) << "no temporary file is left behind";
}

TEST(FileWrite, TargetsThatCannotTakeTheFileGiveTheReason) {
    TempDir dir;
    EXPECT_EQ(writeWholeFile("/dev/full", "report"), ENOSPC);
    EXPECT_EQ(writeWholeFile((dir / "missing" / "r.txt").string(), "x"), ENOENT);
    put(dir / "plain", "file");
    EXPECT_EQ(writeWholeFile((dir / "plain" / "r.txt").string(), "x"), ENOTDIR);
    EXPECT_EQ(writeWholeFile(dir.path().string(), "x"), EISDIR);
    EXPECT_EQ(content(dir / "plain"), "file");

    // A pipe nobody reads fails at once instead of waiting for a reader.
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    EXPECT_EQ(writeWholeFile((dir / "pipe").string(), "x"), ENXIO);

    // Without write permission (root has it anyway).
    put(dir / "readonly.txt", "keep");
    ::chmod((dir / "readonly.txt").c_str(), 0444);
    if (::access((dir / "readonly.txt").c_str(), W_OK) != 0) {
        EXPECT_EQ(writeWholeFile((dir / "readonly.txt").string(), "new"), EACCES);
        EXPECT_EQ(content(dir / "readonly.txt"), "keep");
    }
}
