// The message for a port that cannot be opened, and the advice it gives for the usual causes.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "shell/port_open_error.h"
#include "link/unit_link.h"
#include "fake_sysfs.h"
#include "temp_dir.h"

using namespace corvane;
using namespace corvane::test;

namespace {

constexpr gid_t kDialout = 20;
constexpr gid_t kUsers = 100;

DeviceNodeInfo dialoutNode(mode_t mode = S_IFCHR | 0660) { return {true, kDialout, "dialout", mode, 0, "root"}; }

UserGroups user(std::vector<gid_t> session, std::vector<gid_t> account) {
    return {"alice", std::move(session), std::move(account)};
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(PortOpenError, StartsWithThePortAndTheSystemText) {
    const std::string text = portOpenErrorText(comPortLabel(3), "/dev/ttyS2", EINVAL, {}, {});
    EXPECT_EQ(text, std::string("Error opening COM3:\n") + std::strerror(EINVAL));
}

TEST(PortOpenError, PortWithoutHardwareSaysSoAndWhereToLook) {
    const std::string text = portOpenErrorText(comPortLabel(2), "/dev/ttyS1", EIO, dialoutNode(), {});
    EXPECT_EQ(text.rfind(std::string("Error opening COM2:\n") + std::strerror(EIO), 0), 0u) << text;
    EXPECT_TRUE(has(text, "/dev/ttyS1 is listed, but no serial hardware answers behind it")) << text;
    EXPECT_TRUE(has(text, "corvane --list-ports")) << text;
}

TEST(PortOpenError, BusyPortNamesTheOtherProgram) {
    const std::string text = portOpenErrorText("COM1", "/dev/ttyS0", EBUSY, dialoutNode(), {});
    EXPECT_EQ(text.rfind(std::string("Error opening COM1:\n") + std::strerror(EBUSY), 0), 0u) << text;
    EXPECT_TRUE(has(text, "in use by another program")) << text;
}

TEST(PortOpenError, MissingDeviceNamesThePath) {
    const std::string text = portOpenErrorText("COM9", "/dev/ttyS8", ENOENT, {}, {});
    EXPECT_TRUE(has(text, "There is no device /dev/ttyS8")) << text;
}

TEST(PortOpenError, PermissionAdviceFollowsTheGroupsOfAccountAndSession) {
    // Not in the group at all: join it.
    std::string text = portOpenErrorText("COM1", "/dev/ttyS0", EACCES, dialoutNode(), user({kUsers}, {kUsers}));
    EXPECT_TRUE(has(text, "\"dialout\"")) << text;
    EXPECT_TRUE(has(text, "usermod -aG dialout alice")) << text;
    EXPECT_FALSE(has(text, "udev")) << "the rule only covers the unit's USB port: " << text;

    // Joined, but this session predates it: log out and in.
    text = portOpenErrorText("COM1", "/dev/ttyS0", EPERM, dialoutNode(), user({kUsers}, {kUsers, kDialout}));
    EXPECT_TRUE(has(text, "Log out and log in again")) << text;
    EXPECT_FALSE(has(text, "usermod")) << text;

    // The session has the group, but the node does not let the group write: its mode, not
    // the groups, needs changing.
    text = portOpenErrorText("COM1", "/dev/ttyS0", EACCES, dialoutNode(S_IFCHR | 0640), user({kDialout}, {kDialout}));
    EXPECT_TRUE(has(text, "(user \"root\", group \"dialout\", mode 0640) does not let its group read and write it"))
        << text;
    EXPECT_TRUE(has(text, "MODE=\"0660\"")) << text;
    EXPECT_FALSE(has(text, "usermod")) << text;
    // root:dialout 0600 for a user outside the group: the mode first, then the group.
    text = portOpenErrorText("COM1", "/dev/ttyS0", EACCES, dialoutNode(S_IFCHR | 0600), user({kUsers}, {kUsers}));
    EXPECT_TRUE(has(text, "its mode needs changing")) << text;
    EXPECT_TRUE(has(text, "Then add your account to the group \"dialout\" (sudo usermod -aG dialout alice)")) << text;
    EXPECT_FALSE(has(text, "such as \"dialout\"")) << "the node has that group already: " << text;

    // The group name is whatever the node has, not a fixed one.
    text =
        portOpenErrorText("COM1", "/dev/ttyS0", EACCES, {true, 986, "uucp", S_IFCHR | 0660, 0, "root"}, user({}, {}));
    EXPECT_TRUE(has(text, "usermod -aG uucp alice")) << text;
}

TEST(PortOpenError, UnitUsbPortAlsoOffersTheUdevRule) {
    std::string text = portOpenErrorText("/dev/ttyACM0", "/dev/ttyACM0", EACCES, dialoutNode(), user({}, {}));
    EXPECT_TRUE(has(text, "Error opening /dev/ttyACM0:\n")) << text;
    EXPECT_TRUE(has(text, "usermod -aG dialout")) << text;
    EXPECT_TRUE(has(text, "70-corvane.rules in /usr/lib/udev/rules.d")) << text;

    // A node of group root: joining root is no advice; only the rule remains.
    text = portOpenErrorText("/dev/ttyACM1", "/dev/ttyACM1", EACCES, {true, 0, "root", S_IFCHR | 0600, 0, "root"},
                             user({}, {}));
    EXPECT_FALSE(has(text, "usermod")) << text;
    EXPECT_TRUE(has(text, "70-corvane.rules")) << text;
}

TEST(PortOpenError, NodeNoGroupOfTheUserReachesNamesItsOwnerAndTheAdministrator) {
    // Group root: joining it is no help.
    const DeviceNodeInfo node{true, 0, "root", S_IFCHR | 0600, 0, "root"};
    const std::string text = portOpenErrorText("COM1", "/dev/ttyS0", EACCES, node, user({kUsers}, {kUsers}));
    EXPECT_TRUE(has(text,
                    "The device /dev/ttyS0 belongs to the user \"root\" and the group \"root\", and no group "
                    "of your account may open it. Ask the administrator"))
        << text;
    EXPECT_FALSE(has(text, "usermod")) << text;
}

TEST(PortOpenError, AFileOrAnotherUsersPseudoTerminalGetsNoDeviceAdvice) {
    // A file the user may not open is no serial device, whatever its permissions.
    DeviceNodeInfo file{true, kUsers, "users", S_IFREG | 0600, 1001, "bob"};
    file.regularFile = true;
    std::string text = portOpenErrorText("/home/bob/port", "/home/bob/port", EACCES, file, user({kUsers}, {kUsers}));
    EXPECT_EQ(text.rfind("Error opening /home/bob/port:\n/home/bob/port is not a serial port.", 0), 0u) << text;

    // Another user's pseudo-terminal: its owner's alone, no group or rule helps.
    DeviceNodeInfo pty{true, 5, "tty", S_IFCHR | 0620, 1001, "bob"};
    pty.pseudoTerminal = true;
    text = portOpenErrorText("/dev/pts/3", "/dev/pts/3", EACCES, pty, user({kUsers}, {kUsers}));
    EXPECT_TRUE(has(text, "The pseudo-terminal /dev/pts/3 belongs to the user \"bob\"")) << text;
    for (const char* wrong : {"udev", "usermod", "MODE="}) EXPECT_FALSE(has(text, wrong)) << text;
}

TEST(PortOpenError, PathThatIsNoSerialPortIsSaidSo) {
    TempDir dir;
    const std::string file = (dir / "notes.txt").string();
    writeFile(file, "x");
    for (const std::string& path : {file, dir.path().string()}) {
        UnitLink link;
        ASSERT_FALSE(link.openByName(path));
        const int error = link.lastOpenError();
        EXPECT_TRUE(error == ENOTTY || error == EISDIR) << std::strerror(error);
        const std::string text = describePortOpenError(path, path, error);
        EXPECT_EQ(text.rfind("Error opening " + path + ":\n" + path + " is not a serial port.", 0), 0u) << text;
        EXPECT_FALSE(has(text, std::strerror(error))) << text;
    }
}

TEST(PortOpenError, GathersGroupOfTheNodeAndOfTheUser) {
    TempDir dir;
    const std::string node = (dir / "node").string();
    writeFile(node, "");
    ::chmod(node.c_str(), 0660);
    DeviceNodeInfo info = inspectDeviceNode(node);
    EXPECT_TRUE(info.exists);
    EXPECT_EQ(info.group, ::getegid());
    EXPECT_FALSE(info.groupName.empty());
    EXPECT_EQ(info.mode & 0777, 0660u);
    EXPECT_TRUE(info.regularFile);
    EXPECT_FALSE(info.pseudoTerminal);
    EXPECT_FALSE(inspectDeviceNode((dir / "absent").string()).exists);
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    const DeviceNodeInfo pty = inspectDeviceNode(::ptsname(master));
    EXPECT_TRUE(pty.pseudoTerminal);
    EXPECT_FALSE(pty.regularFile);
    ::close(master);

    UserGroups groups = currentUserGroups();
    EXPECT_FALSE(groups.userName.empty());
    EXPECT_NE(std::find(groups.session.begin(), groups.session.end(), ::getegid()), groups.session.end());
    EXPECT_FALSE(groups.account.empty());

    // A real failed open through the whole path.
    const std::string missing = (dir / "ttyACM7").string();
    ASSERT_LT(::open(missing.c_str(), O_RDWR), 0);
    const std::string text = describePortOpenError("COM8", missing, errno);
    EXPECT_TRUE(has(text, std::string("Error opening COM8:\n") + std::strerror(ENOENT))) << text;
}
