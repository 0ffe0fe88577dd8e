// Files moved for the unit: the size limit decided by reading, failures that name the file and
// the reason, saves that never lose an existing file, and the unit's proposed names made safe.
#include <gtest/gtest.h>

#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "screens/file_write.h"
#include "screens/transfer_files.h"
#include "temp_dir.h"

using namespace corvane;
using corvane::test::TempDir;

namespace {
constexpr std::size_t kLimit = 393216;

std::vector<std::uint8_t> pattern(std::size_t n) {
    std::vector<std::uint8_t> bytes(n);
    for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>((i * 7 + i / 251) & 0xFF);
    return bytes;
}

void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

QString q(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

constexpr uid_t kNobody = 65534;

// For root: the calling thread checks file permissions as an ordinary user while this lives
// (root may write any file). Any other user is ordinary already.
class AsOrdinaryUser {
public:
    AsOrdinaryUser() : active_(::geteuid() == 0) {
        if (!active_) return;
        ::setfsgid(kNobody);
        ::setfsuid(kNobody);
    }
    ~AsOrdinaryUser() {
        if (!active_) return;
        ::setfsuid(0);
        ::setfsgid(0);
    }
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

private:
    bool active_;
};
}  // namespace

TEST(FileForUnit, AFileOfExactlyTheLimitLoadsAndOneByteMoreIsTooLong) {
    TempDir dir;
    const auto exact = pattern(kLimit);
    writeBytes(dir / "exact.bin", exact);
    const FileForUnit loaded = readFileForUnit(q(dir / "exact.bin"), kLimit);
    EXPECT_EQ(loaded.outcome, FileForUnit::Outcome::Loaded);
    EXPECT_EQ(loaded.bytes, exact);

    writeBytes(dir / "over.bin", pattern(kLimit + 1));
    const FileForUnit over = readFileForUnit(q(dir / "over.bin"), kLimit);
    EXPECT_EQ(over.outcome, FileForUnit::Outcome::TooLong);
    EXPECT_TRUE(over.bytes.empty());

    writeBytes(dir / "empty.bin", {});
    const FileForUnit empty = readFileForUnit(q(dir / "empty.bin"), kLimit);
    EXPECT_EQ(empty.outcome, FileForUnit::Outcome::Loaded);
    EXPECT_TRUE(empty.bytes.empty());
}

TEST(FileForUnit, AFileWhoseSizeLiesIsStillJudgedByWhatCanBeRead) {
    // /proc files report size 0 but hold more: reading decides, not the size taken earlier.
    const FileForUnit small = readFileForUnit(QStringLiteral("/proc/self/status"), 16);
    EXPECT_EQ(small.outcome, FileForUnit::Outcome::TooLong);
    const FileForUnit whole = readFileForUnit(QStringLiteral("/proc/self/status"), kLimit);
    EXPECT_EQ(whole.outcome, FileForUnit::Outcome::Loaded);
    EXPECT_GT(whole.bytes.size(), 16u);
}

TEST(FileForUnit, UnreadableSourcesFailWithTheFileAndTheReason) {
    TempDir dir;
    const FileForUnit missing = readFileForUnit(q(dir / "missing.bin"), kLimit);
    EXPECT_EQ(missing.outcome, FileForUnit::Outcome::Failed);
    EXPECT_NE(missing.error.find((dir / "missing.bin").string()), std::string::npos) << missing.error;
    EXPECT_NE(missing.error.find("No such file or directory"), std::string::npos) << missing.error;

    const FileForUnit folder = readFileForUnit(q(dir.path()), kLimit);
    EXPECT_EQ(folder.outcome, FileForUnit::Outcome::Failed);
    EXPECT_NE(folder.error.find("not a regular file"), std::string::npos) << folder.error;

    // A pipe without a writer would block a plain read for ever.
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    const FileForUnit pipe = readFileForUnit(q(dir / "pipe"), kLimit);
    EXPECT_EQ(pipe.outcome, FileForUnit::Outcome::Failed);
    EXPECT_NE(pipe.error.find((dir / "pipe").string()), std::string::npos);

    if (::geteuid() != 0) {
        writeBytes(dir / "secret.bin", pattern(10));
        ::chmod((dir / "secret.bin").c_str(), 0);
        const FileForUnit denied = readFileForUnit(q(dir / "secret.bin"), kLimit);
        EXPECT_EQ(denied.outcome, FileForUnit::Outcome::Failed);
        EXPECT_NE(denied.error.find("Permission denied"), std::string::npos) << denied.error;
    }
}

TEST(FileFromUnit, WritesNewFilesAndReplacesOldOnesKeepingTheirPermissions) {
    TempDir dir;
    const auto bytes = pattern(1500);
    EXPECT_EQ(writeFileFromUnit(q(dir / "new.csv"), bytes.data(), bytes.size()), "");
    EXPECT_EQ(readBytes(dir / "new.csv"), bytes);

    writeBytes(dir / "old.csv", pattern(5000));
    ::chmod((dir / "old.csv").c_str(), 0640);
    const auto shorter = pattern(30);
    EXPECT_EQ(writeFileFromUnit(q(dir / "old.csv"), shorter.data(), shorter.size()), "");
    EXPECT_EQ(readBytes(dir / "old.csv"), shorter) << "the old, longer content must not show through";
    struct stat st {};
    ASSERT_EQ(::stat((dir / "old.csv").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    // A link is followed: the file it leads to gets the bytes and the link stays a link.
    std::filesystem::create_symlink(dir / "old.csv", dir / "link.csv");
    EXPECT_EQ(writeFileFromUnit(q(dir / "link.csv"), bytes.data(), bytes.size()), "");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.csv"));
    EXPECT_EQ(readBytes(dir / "old.csv"), bytes);

    // No temporary file is left behind.
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
    EXPECT_EQ(entries, 3u);
}

TEST(FileFromUnit, UnwritableTargetsFailWithTheFileAndTheReason) {
    TempDir dir;
    const auto bytes = pattern(100);
    const std::string full = writeFileFromUnit(QStringLiteral("/dev/full"), bytes.data(), bytes.size());
    EXPECT_NE(full.find("/dev/full"), std::string::npos) << full;
    EXPECT_NE(full.find("No space left on device"), std::string::npos) << full;

    const std::string noFolder = writeFileFromUnit(q(dir / "gone" / "log.csv"), bytes.data(), bytes.size());
    EXPECT_NE(noFolder.find((dir / "gone" / "log.csv").string()), std::string::npos) << noFolder;
    EXPECT_NE(noFolder.find("No such file or directory"), std::string::npos) << noFolder;

    const std::string folder = writeFileFromUnit(q(dir.path()), bytes.data(), bytes.size());
    EXPECT_NE(folder.find("Is a directory"), std::string::npos) << folder;

    if (::geteuid() != 0) {
        std::filesystem::create_directory(dir / "locked");
        writeBytes(dir / "locked" / "keep.csv", pattern(40));
        ::chmod((dir / "locked").c_str(), 0555);
        const std::string denied = writeFileFromUnit(q(dir / "locked" / "keep.csv"), bytes.data(), bytes.size());
        EXPECT_NE(denied.find("Permission denied"), std::string::npos) << denied;
        EXPECT_EQ(readBytes(dir / "locked" / "keep.csv"), pattern(40)) << "a failed save keeps the old file";
    }
}

TEST(FileFromUnit, RefusesFilesTheUserMayNotWriteAndOtherUsersLinksAndSavesNamesAtTheLimit) {
    TempDir dir;
    ::chmod(dir.path().c_str(), 0777);  // a shared folder: everyone may add and rename entries
    const auto bytes = pattern(64);
    const auto old = pattern(10);

    // A file the user may not write stays, although the folder would let a rename replace it.
    writeBytes(dir / "theirs.csv", old);
    ::chmod((dir / "theirs.csv").c_str(), 0444);
    {
        AsOrdinaryUser user;
        EXPECT_EQ(writeFileFromUnit(q(dir / "theirs.csv"), bytes.data(), bytes.size()),
                  "Cannot save the file " + (dir / "theirs.csv").string() + ":\nPermission denied");
    }
    EXPECT_EQ(readBytes(dir / "theirs.csv"), old);

    // A link that another user planted where the file goes is not followed, by either writer.
    writeBytes(dir / "elsewhere.csv", old);
    std::filesystem::create_symlink(dir / "elsewhere.csv", dir / "planted.csv");
    if (::geteuid() == 0) {
        ASSERT_EQ(::lchown((dir / "planted.csv").c_str(), kNobody, kNobody), 0);
        EXPECT_EQ(writeFileFromUnit(q(dir / "planted.csv"), bytes.data(), bytes.size()),
                  "Cannot save the file " + (dir / "planted.csv").string() +
                      ":\nit is a symbolic link that belongs to another user, so it is not followed");
        EXPECT_EQ(writeWholeFile((dir / "planted.csv").string(), "report"), kForeignLink);
        EXPECT_EQ(readBytes(dir / "elsewhere.csv"), old);
        EXPECT_TRUE(std::filesystem::is_symlink(dir / "planted.csv"));

        // Nor one planted as a folder on the way, however deep; the user's own link is followed.
        std::filesystem::create_directories(dir / "their-home" / "reports");
        std::filesystem::create_symlink(dir / "their-home", dir / "shared");
        ASSERT_EQ(::lchown((dir / "shared").c_str(), kNobody, kNobody), 0);
        EXPECT_EQ(writeFileFromUnit(q(dir / "shared" / "reports" / "log.csv"), bytes.data(), bytes.size()),
                  "Cannot save the file " + (dir / "shared" / "reports" / "log.csv").string() +
                      ":\na folder on its path is a symbolic link that belongs to another user, so it is not followed");
        std::filesystem::create_symlink(dir / "shared" / "reports" / "log.csv", dir / "mine.csv");
        EXPECT_EQ(writeWholeFile((dir / "mine.csv").string(), "report"), kForeignFolderLink);
        EXPECT_TRUE(std::filesystem::is_empty(dir / "their-home" / "reports"));
        std::filesystem::create_symlink(dir / "their-home", dir / "own");
        EXPECT_EQ(writeWholeFile((dir / "own" / "reports" / "log.csv").string(), "report"), 0);
    }

    // Names at the limit save, new or replacing (the temporary name must not be longer).
    const QString euros = safeFileName(std::string(128, '\x80') + ".CSV");
    EXPECT_EQ(writeFileFromUnit(q(dir.path()) + QLatin1Char('/') + euros, bytes.data(), bytes.size()), "");
    const std::string longest = std::string(251, 'L') + ".CSV";
    writeBytes(dir / longest, old);
    EXPECT_EQ(writeFileFromUnit(q(dir / longest), bytes.data(), bytes.size()), "");
    EXPECT_EQ(readBytes(dir / longest), bytes);
}

TEST(SafeFileName, KeepsPlainNamesAndStripsFoldersDotsAndPathCharacters) {
    EXPECT_EQ(safeFileName("LOG0001.CSV"), QStringLiteral("LOG0001.CSV"));
    EXPECT_EQ(safeFileName("Fahrzeug M\xFC"
                           "ller.txt"),
              QStringLiteral("Fahrzeug M\u00FCller.txt"));
    EXPECT_EQ(safeFileName("../../etc/passwd"), QStringLiteral("passwd"));
    EXPECT_EQ(safeFileName("C:\\Windows\\system.ini"), QStringLiteral("system.ini"));
    EXPECT_EQ(safeFileName("..\\..\\boot.ini"), QStringLiteral("boot.ini"));
    EXPECT_EQ(safeFileName("a\x01"
                           "b\x1F"
                           "c\x7F|<>:*?\"d.txt"),
              QStringLiteral("abcd.txt"));
    EXPECT_EQ(safeFileName(".bashrc"), QStringLiteral("bashrc"));
    EXPECT_EQ(safeFileName("trailing. . "), QStringLiteral("trailing"));
    for (const char* empty : {"", ".", "..", "../..", "/", " . ", "\x01\x02", "dir/"})
        EXPECT_EQ(safeFileName(empty), QStringLiteral("unit-file")) << empty;
    EXPECT_EQ(safeFileName("", QStringLiteral("log")), QStringLiteral("log"));

    // Controls of the C1 range go as well (U+009D would start a terminal escape); the euro sign
    // of the same byte range stays.
    EXPECT_EQ(safeFileName("a\x81"
                           "b\x9D"
                           "c\x8F\x90\x8D"
                           "d\x80.txt"),
              QStringLiteral("abcd\u20AC.txt"));

    // Names are cut to the 255 bytes a folder entry holds in the file system's encoding, keeping
    // their type and whole characters: 244 bytes stay, 128 euro signs (384 bytes) are cut.
    const std::string plain244 = std::string(240, 'A') + ".CSV";
    EXPECT_EQ(safeFileName(plain244), QString::fromStdString(plain244));
    const QString euros = safeFileName(std::string(128, '\x80') + ".CSV");
    EXPECT_EQ(QFile::encodeName(euros).size(), 253) << "83 euro signs of 3 bytes and the type";
    EXPECT_EQ(euros, QString(83, QChar(0x20AC)) + QStringLiteral(".CSV"));
}

TEST(SafeFileName, TheDefaultTypeIsThePlainExtensionOfANameThatHasOne) {
    EXPECT_EQ(safeDefaultSuffix("LOG.TXT", "TXT"), QStringLiteral("TXT"));
    EXPECT_EQ(safeDefaultSuffix("A.B.C", "C"), QStringLiteral("C"));
    EXPECT_EQ(safeDefaultSuffix("README", "README"), QString()) << "no dot: the extension is the whole name";
    EXPECT_EQ(safeDefaultSuffix("x./etc", "/etc"), QString());
    EXPECT_EQ(safeDefaultSuffix("x.", ""), QString());
}
