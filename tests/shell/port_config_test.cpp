// The port configuration file: reading rules, writing, where it lives, and failed writes that
// must leave the old file alone.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "shell/port_config.h"
#include "fake_sysfs.h"
#include "temp_dir.h"

using namespace corvane;
using namespace corvane::test;
namespace fs = std::filesystem;

namespace {

std::string readWhole(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::size_t entriesIn(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

struct ReadCase {
    std::string content;
    int port;
    WindowState state;
};

}  // namespace

TEST(PortConfig, ReadsPortAndWindowStateByTheByteRules) {
    TempDir dir;
    const fs::path file = dir / "corvane.cfg";
    // The main window starts with state 1; files without a state byte keep it.
    const ReadCase cases[] = {
        {"COM03,2", 3, WindowState::Normal},      {"COM00,1", 0, WindowState::WorkArea},
        {"COM50,0", 50, WindowState::Maximised},  {"COM03", 3, WindowState::WorkArea},
        {"COM03,", 3, WindowState::WorkArea},     {"COM12,2\n", 12, WindowState::Normal},
        {"COM12,2\r\n", 12, WindowState::Normal}, {"COM07\n", 7, WindowState::WorkArea},
        {"COM03,7", 3, WindowState::Maximised},   // a state no placement has is 0
        {"COM99,0", 99, WindowState::Maximised},  // beyond the dialog's list, but a port setting
    };
    for (const ReadCase& c : cases) {
        writeFile(file, c.content);
        PortConfig config;
        config.windowState = WindowState::WorkArea;
        const ConfigReadResult result = PortConfigFile(file).read(config);
        EXPECT_EQ(result.status, ConfigReadStatus::Read) << c.content;
        EXPECT_TRUE(result.error.empty()) << result.error;
        EXPECT_EQ(config.port, c.port) << '"' << c.content << '"';
        EXPECT_EQ(config.windowState, c.state) << '"' << c.content << '"';
    }
}

TEST(PortConfig, DamagedFileIsReportedWithItsContentAndGivesPortOne) {
    // Once these switched the program into the USB mode without a word (a non-digit ended the
    // number at 0).
    TempDir dir;
    const fs::path file = dir / "corvane.cfg";
    const std::pair<std::string, std::string> cases[] = {
        {"COMab,2", "holds \"COMab,2\""},
        {"COM4x,2", "holds \"COM4x,2\""},
        {"COM", "holds \"COM\""},
        {"COM03,x", "holds \"COM03,x\""},
        {"COM03,21", "holds \"COM03,21\""},
        {"com03,2", "holds \"com03,2\""},
        {"COM03,2\n\n", "holds \"COM03,2\\x0A\\x0A\""},
        {" COM03,2", "holds \" COM03,2\""},
        {std::string("CO\0\xff\\", 5), "holds \"CO\\x00\\xFF\\x5C\""},
        {std::string(200, 'A'), "holds \"" + std::string(32, 'A') + "...\""},
        {"", "is empty"},
    };
    for (const auto& [content, said] : cases) {
        writeFile(file, content);
        PortConfig config;
        config.port = 9;
        config.windowState = WindowState::Normal;
        const ConfigReadResult result = PortConfigFile(file).read(config);
        EXPECT_EQ(result.status, ConfigReadStatus::Invalid) << content;
        EXPECT_TRUE(result.unusable());
        EXPECT_EQ(config.port, 1) << content;
        EXPECT_EQ(config.windowState, WindowState::Normal) << content;
        EXPECT_EQ(result.error.rfind("The configuration file " + file.string() + " " + said, 0), 0u) << result.error;
        EXPECT_NE(result.error.find("COM1 is used"), std::string::npos) << result.error;
        EXPECT_EQ(readWhole(file), content) << "reading never changes the file";
    }
}

TEST(PortConfig, MissingFileMeansPortOneAndKeepsTheWindowState) {
    TempDir dir;
    PortConfig config;
    config.port = 7;
    config.windowState = WindowState::Normal;
    PortConfigFile file(dir / "corvane.cfg");
    EXPECT_FALSE(file.exists());
    EXPECT_EQ(file.read(config).status, ConfigReadStatus::Missing);
    EXPECT_EQ(config.port, 1);
    EXPECT_EQ(config.windowState, WindowState::Normal);
}

TEST(PortConfig, FolderInPlaceOfTheFileIsReportedWithTheWayOut) {
    TempDir dir;
    fs::create_directory(dir / "corvane.cfg");  // opens, but cannot be read nor replaced
    PortConfig config;
    config.port = 9;
    ConfigReadResult result = PortConfigFile(dir / "corvane.cfg").read(config);
    EXPECT_EQ(result.status, ConfigReadStatus::Failed);
    EXPECT_TRUE(result.unusable());
    EXPECT_EQ(result.error, "The configuration file " + (dir / "corvane.cfg").string() +
                                " is a folder. Remove or rename that folder: the program keeps its port setting in a "
                                "file of that name.\nCOM1 is used for now.");
    EXPECT_EQ(config.port, 1);
}

TEST(PortConfig, WritesSevenBytesWithoutLineEndAndReadsThemBack) {
    TempDir dir;
    PortConfigFile file(dir / "corvane.cfg");
    for (PortConfig written : {PortConfig{0, WindowState::WorkArea}, PortConfig{7, WindowState::Normal},
                               PortConfig{50, WindowState::Maximised}}) {
        ConfigWriteResult result = file.write(written);
        ASSERT_TRUE(result) << result.error;
        const std::string content = readWhole(file.path());
        EXPECT_EQ(content.size(), 7u);
        EXPECT_EQ(content, PortConfigFile::format(written));
        PortConfig read;
        file.read(read);
        EXPECT_EQ(read.port, written.port);
        EXPECT_EQ(read.windowState, written.windowState);
    }
    EXPECT_EQ(readWhole(file.path()), "COM50,0");
    EXPECT_EQ(entriesIn(dir.path()), 1u) << "no temporary file is left behind";
}

// A reader of the seven-byte format only: the number at offsets 3-4 (a non-digit ends it) and
// the state digit at offset 6.
std::pair<int, int> sevenByteReading(const std::string& content) {
    int port = 0;
    for (std::size_t i = 3; i < 5 && i < content.size() && std::isdigit(static_cast<unsigned char>(content[i])); ++i)
        port = port * 10 + (content[i] - '0');
    const int state = content.size() > 6 && std::isdigit(static_cast<unsigned char>(content[6])) ? content[6] - '0' : 0;
    return {port, state};
}

TEST(PortConfig, SettingsOnLinesOfTheirOwnFollowTheSevenBytesAndBothReadersAgree) {
    TempDir dir;
    PortConfigFile file(dir / "corvane.cfg");
    PortConfig chosen(4, WindowState::Normal);
    chosen.device = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
    chosen.reconnect = true;
    chosen.normalPlace = WindowPlace{-20, 35, 800, 600};
    chosen.usbOfferDeclined = true;
    ASSERT_TRUE(file.write(chosen));
    const std::string content = readWhole(file.path());
    EXPECT_EQ(content, "COM04,2\ndevice=" + chosen.device + "\nreconnect=1\nplace=-20,35,800,600\nusb-offer=declined");
    EXPECT_EQ(sevenByteReading(content), std::make_pair(4, 2));
    PortConfig read;
    ASSERT_EQ(file.read(read).status, ConfigReadStatus::Read);
    EXPECT_EQ(read, chosen);

    // A seven-byte file clears what an earlier read had; unknown settings of a later version
    // are skipped; a line that is no setting makes the file damaged.
    writeFile(file.path(), "COM07,1");
    ASSERT_EQ(file.read(read).status, ConfigReadStatus::Read);
    EXPECT_EQ(read, PortConfig(7, WindowState::WorkArea));
    writeFile(file.path(), "COM07,1\r\ntheme=dark\r\ndevice=/dev/ttyUSB3\n");
    ASSERT_EQ(file.read(read).status, ConfigReadStatus::Read);
    EXPECT_EQ(read.device, "/dev/ttyUSB3");
    EXPECT_FALSE(read.reconnect);
    // A place that is no four numbers with a size is no place.
    for (const char* place : {"1,2,3", "1,2,0,5", "a,2,3,4", "1,2,3,4,5", "1,2,3,9999999"}) {
        writeFile(file.path(), std::string("COM07,1\nplace=") + place);
        ASSERT_EQ(file.read(read).status, ConfigReadStatus::Read);
        EXPECT_FALSE(read.normalPlace) << place;
    }
    writeFile(file.path(), "COM07,1\ndevice");
    EXPECT_EQ(file.read(read).status, ConfigReadStatus::Invalid);

    // A path that would break the line format is refused and the file stays.
    chosen.device = "/tmp/a\nreconnect=1";
    EXPECT_FALSE(file.write(chosen));
    EXPECT_EQ(readWhole(file.path()), "COM07,1\ndevice");
}

TEST(PortConfig, WriteRefusesValuesTheFormatCannotHold) {
    TempDir dir;
    PortConfigFile file(dir / "corvane.cfg");
    ASSERT_TRUE(file.write({3, WindowState::Normal}));
    EXPECT_FALSE(file.write({100, WindowState::Normal}));
    EXPECT_FALSE(file.write({-1, WindowState::Normal}));
    EXPECT_FALSE(file.write({3, static_cast<WindowState>(12)}));
    EXPECT_EQ(readWhole(file.path()), "COM03,2");
}

TEST(PortConfig, LivesInTheXdgConfigFolderAndCreatesIt) {
    TempDir dir;
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", (dir.path() / "xdg" / "nested").c_str());
        EXPECT_EQ(PortConfigFile::defaultPath(), dir.path() / "xdg" / "nested" / "corvane.cfg");
        PortConfigFile file;
        ASSERT_TRUE(file.write({0, WindowState::Maximised}));
        EXPECT_EQ(readWhole(dir.path() / "xdg" / "nested" / "corvane.cfg"), "COM00,0");
    }
    ScopedEnv home("HOME", dir.path().c_str());
    for (const char* value : {static_cast<const char*>(nullptr), "", "relative/folder"}) {
        ScopedEnv xdg("XDG_CONFIG_HOME", value);
        EXPECT_EQ(PortConfigFile::defaultPath(), dir.path() / ".config" / "corvane.cfg") << (value ? value : "(unset)");
    }
}

TEST(PortConfig, WriteThroughASymbolicLinkUpdatesItsTarget) {
    TempDir dir;
    writeFile(dir / "dotfiles" / "corvane.cfg", "COM01,0");
    fs::create_symlink(dir / "dotfiles" / "corvane.cfg", dir / "corvane.cfg");
    ASSERT_TRUE(PortConfigFile(dir / "corvane.cfg").write({5, WindowState::Normal}));
    EXPECT_TRUE(fs::is_symlink(dir / "corvane.cfg"));
    EXPECT_EQ(readWhole(dir / "dotfiles" / "corvane.cfg"), "COM05,2");
}

TEST(PortConfig, FolderThatCannotBeCreatedGivesAFailure) {
    TempDir dir;
    writeFile(dir / "plainfile", "x");
    ConfigWriteResult result =
        PortConfigFile(dir / "plainfile" / "sub" / "corvane.cfg").write({1, WindowState::Maximised});
    EXPECT_FALSE(result);
    EXPECT_NE(result.error.find("plainfile"), std::string::npos) << result.error;
}

TEST(PortConfig, UnwritableFolderGivesAFailureAndKeepsTheOldFile) {
    TempDir dir;
    const fs::path folder = dir / "config";
    writeFile(folder / "corvane.cfg", "COM04,2");
    fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                    fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    auto tryWrite = [&] {
        ConfigWriteResult result = PortConfigFile(folder / "corvane.cfg").write({9, WindowState::Maximised});
        return !result.ok && result.error.find("config") != std::string::npos;
    };
    if (::geteuid() != 0) {
        EXPECT_TRUE(tryWrite());
    } else {
        // Root writes anywhere: try as the unprivileged user in a child process.
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
            ::_exit(tryWrite() ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        ASSERT_NE(WEXITSTATUS(status), 2) << "cannot drop root rights here";
        EXPECT_EQ(WEXITSTATUS(status), 0) << "the write must fail with a message naming the folder";
    }
    EXPECT_EQ(readWhole(folder / "corvane.cfg"), "COM04,2");
    EXPECT_EQ(entriesIn(folder), 1u);
}

TEST(PortConfig, WriteThatFailsHalfWayKeepsTheOldFile) {
    // A file size limit of 3 bytes makes the write of the new content fail after part of it,
    // for root as well: the old file must survive whole and no partial file may remain.
    TempDir dir;
    const fs::path file = dir / "corvane.cfg";
    writeFile(file, "COM04,2");
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 3;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    ConfigWriteResult result = PortConfigFile(file).write({9, WindowState::Maximised});
    ::setrlimit(RLIMIT_FSIZE, &old);
    ::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(result);
    EXPECT_NE(result.error.find("corvane.cfg"), std::string::npos) << result.error;
    EXPECT_EQ(readWhole(file), "COM04,2");
    EXPECT_EQ(entriesIn(dir.path()), 1u) << "the partial temporary file is removed";
}

TEST(PortConfig, WriteNeverReplacesAFolderOrADevice) {
    TempDir dir;
    fs::create_directory(dir / "corvane.cfg");
    ConfigWriteResult result = PortConfigFile(dir / "corvane.cfg").write({3, WindowState::Normal});
    EXPECT_FALSE(result);
    EXPECT_NE(result.error.find("corvane.cfg is a folder. Remove or rename that folder"), std::string::npos)
        << result.error;
    EXPECT_TRUE(fs::is_directory(dir / "corvane.cfg"));

    // A name that leads to a pipe (as one leading to /dev/null would to a device) keeps leading
    // there: renaming over it would put a plain file in its place.
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    fs::create_directory(dir / "linked");
    fs::create_symlink(dir / "pipe", dir / "linked" / "corvane.cfg");
    result = PortConfigFile(dir / "linked" / "corvane.cfg").write({3, WindowState::Normal});
    EXPECT_FALSE(result);
    EXPECT_NE(result.error.find("not a regular file"), std::string::npos) << result.error;
    EXPECT_TRUE(fs::is_fifo(dir / "pipe"));
    EXPECT_EQ(entriesIn(dir.path()), 3u) << "no temporary file is left behind";
}
