#pragma once
// The message shown when a serial port cannot be opened: the port, the system's error text
// and, for the usual causes on Linux, what the user can do about it.
#include <sys/types.h>

#include <string>
#include <vector>

namespace corvane {

// What the device node tells about who may open it.
struct DeviceNodeInfo {
    bool exists = false;
    gid_t group = 0;
    std::string groupName;  // empty when the group id has no name
    mode_t mode = 0;
    uid_t owner = 0;
    std::string ownerName;        // empty when the user id has no name
    bool regularFile = false;     // a file, not a device
    bool pseudoTerminal = false;  // a pseudo-terminal's terminal side (/dev/pts/N)
};

// The groups of the user running the program.
struct UserGroups {
    std::string userName;
    std::vector<gid_t> session;  // the groups this process runs with
    std::vector<gid_t> account;  // the groups the account is in now (takes effect at next login)
};

// "COM3" for port 3.
std::string comPortLabel(int comNumber);

// "Error opening COM3:\n<system text>", followed by advice for a refused, busy or missing
// device, or one with no hardware behind it, in the user's language (UTF-8). Depends only on its
// arguments.
std::string portOpenErrorText(const std::string& portLabel, const std::string& devicePath, int error,
                              const DeviceNodeInfo& node, const UserGroups& user);

// Gathers the facts above for the running system.
DeviceNodeInfo inspectDeviceNode(const std::string& devicePath);
UserGroups currentUserGroups();

// portOpenErrorText() with the facts of the running system.
std::string describePortOpenError(const std::string& portLabel, const std::string& devicePath, int error);

}  // namespace corvane
