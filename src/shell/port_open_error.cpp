#include "shell/port_open_error.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "shell/unit_identity.h"

namespace corvane {

namespace {

// Where the package installs the unit's udev rule.
constexpr const char* kPackagedRuleFolder = "/usr/lib/udev/rules.d";

bool contains(const std::vector<gid_t>& groups, gid_t g) {
    return std::find(groups.begin(), groups.end(), g) != groups.end();
}

// The unit's own USB port, which the packaged udev rule opens to the logged-in user.
bool isUnitUsbPort(const std::string& devicePath) {
    std::string name = std::filesystem::path(devicePath).filename().string();
    return name.rfind("ttyACM", 0) == 0 || name == kUnitDeviceLinkName;
}

std::string nameOr(const std::string& name, unsigned id) { return name.empty() ? std::to_string(id) : name; }

// A device no group of the user can reach: only the administrator can open it to the user.
std::string administratorAdvice(const std::string& devicePath, const DeviceNodeInfo& node) {
    if (!node.exists) return "\n\nYou are not allowed to use " + devicePath + ".";
    const std::string owner = nameOr(node.ownerName, node.owner);
    const std::string group = nameOr(node.groupName, node.group);
    return "\n\nThe device " + devicePath + " belongs to the user \"" + owner + "\" and the group \"" + group +
           "\", and no group of your account may open it. Ask the administrator to give it to a group you can "
           "join, such as \"dialout\" (with a udev rule: GROUP=\"dialout\", MODE=\"0660\"), or to add a rule "
           "that opens it to the logged-in user.";
}

// A pseudo-terminal is its maker's: no group or udev rule hands it out.
std::string pseudoTerminalAdvice(const std::string& devicePath, const DeviceNodeInfo& node) {
    const std::string owner = "\"" + nameOr(node.ownerName, node.owner) + "\"";
    return "\n\nThe pseudo-terminal " + devicePath + " belongs to the user " + owner + ", and only that user (or " +
           "root) may open it; joining a group would not change that. Run corvane as " + owner +
           ", or start the program that makes the pseudo-terminal (for example corvane-unit --pty) as yourself.";
}

// A device whose group may not read and write it: joining the group is no help, its mode is.
std::string modeAdvice(const std::string& devicePath, const DeviceNodeInfo& node, const UserGroups& user) {
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(node.mode & 07777));
    const std::string group = "\"" + node.groupName + "\"";
    std::string text = "\n\nThe device " + devicePath + " (user \"" + nameOr(node.ownerName, node.owner) +
                       "\", group " + group + ", mode " + mode +
                       ") does not let its group read and write it, so no group you join can open it: its mode "
                       "needs changing. Ask the administrator for a udev rule with MODE=\"0660\" for it (sudo chmod "
                       "0660 " +
                       devicePath + " lasts only until the device returns or the computer restarts).";
    if (!contains(user.session, node.group) && !contains(user.account, node.group)) {
        const std::string who = user.userName.empty() ? "$USER" : user.userName;
        text += " Then add your account to the group " + group + " (sudo usermod -aG " + node.groupName + " " + who +
                ") and log in again.";
    }
    return text;
}

std::string permissionAdvice(const std::string& devicePath, const DeviceNodeInfo& node, const UserGroups& user) {
    // A path named as the unit's USB port gets the unit's advice below.
    if (node.exists && node.pseudoTerminal && !isUnitUsbPort(devicePath)) return pseudoTerminalAdvice(devicePath, node);
    std::string text;
    const bool groupMayUse = (node.mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    // Group root (0) is no group to join.
    if (node.exists && node.group != 0 && !node.groupName.empty() && !groupMayUse) {
        text = modeAdvice(devicePath, node, user);
    } else if (node.exists && node.group != 0 && !node.groupName.empty()) {
        const std::string group = "\"" + node.groupName + "\"";
        if (contains(user.session, node.group)) {
            // The group may use it and the session has the group: something else refuses it.
            text = "\n\nThe device " + devicePath + " lets its group " + group +
                   " read and write it and this session is in that group; something else refuses it (its owner's "
                   "own permissions, an access list or a security module).";
        } else if (contains(user.account, node.group)) {
            text = "\n\nYour account is in the group " + group + " that may use " + devicePath +
                   ", but this session started before it joined. Log out and log in again.";
        } else {
            const std::string who = user.userName.empty() ? "$USER" : user.userName;
            text = "\n\nThe device " + devicePath + " belongs to the group " + group +
                   ". Add your account to it (sudo usermod -aG " + node.groupName + " " + who +
                   "), then log out and log in again.";
        }
    } else {
        text = administratorAdvice(devicePath, node);
    }
    if (isUnitUsbPort(devicePath)) {
        text += std::string("\n\nOr install the udev rule ") + kUnitRuleFileName + " in " + kPackagedRuleFolder +
                " (the package puts it there), run udevadm control --reload and plug the unit in again: it "
                "gives the logged-in user the unit's port.";
    }
    return text;
}

}  // namespace

std::string comPortLabel(int comNumber) { return "COM" + std::to_string(comNumber); }

std::string portOpenErrorText(const std::string& portLabel, const std::string& devicePath, int error,
                              const DeviceNodeInfo& node, const UserGroups& user) {
    // A file, folder or other device that takes no line settings: say what it is not (a file
    // the user may not open is no device either).
    if (error == ENOTTY || error == EISDIR || (node.exists && node.regularFile))
        return "Error opening " + portLabel + ":\n" + devicePath +
               " is not a serial port. Choose the unit's serial device, for example /dev/ttyUSB0 or /dev/ttyACM0 "
               "(corvane --list-ports lists them).";
    std::string text = "Error opening " + portLabel + ":\n" + std::strerror(error);
    switch (error) {
        case EACCES:
        case EPERM: text += permissionAdvice(devicePath, node, user); break;
        case EBUSY: text += "\n\nThe port " + devicePath + " is in use by another program."; break;
        case ENOENT:
        case ENODEV:
        case ENXIO: text += "\n\nThere is no device " + devicePath + " on this computer."; break;
        case EIO:
            // Typical of the numbered ports a PC announces without a serial chip behind them.
            text += "\n\n" + devicePath +
                    " is listed, but no serial hardware answers behind it: many PCs announce more COM ports than "
                    "they have, and most have one at most. Choose the port the unit is attached to (corvane "
                    "--list-ports lists the ports that may be opened).";
            break;
        default: break;
    }
    return text;
}

DeviceNodeInfo inspectDeviceNode(const std::string& devicePath) {
    DeviceNodeInfo node;
    struct stat st {};
    if (::stat(devicePath.c_str(), &st) != 0) return node;
    node.exists = true;
    node.regularFile = S_ISREG(st.st_mode);
    // Linux numbers the terminal sides of pseudo-terminals with majors 136 to 143.
    node.pseudoTerminal = S_ISCHR(st.st_mode) && ::major(st.st_rdev) >= 136 && ::major(st.st_rdev) <= 143;
    node.group = st.st_gid;
    node.mode = st.st_mode;
    node.owner = st.st_uid;
    std::vector<char> userBuffer(4096);
    passwd owner{};
    passwd* ownerFound = nullptr;
    while (::getpwuid_r(st.st_uid, &owner, userBuffer.data(), userBuffer.size(), &ownerFound) == ERANGE)
        userBuffer.resize(userBuffer.size() * 2);
    if (ownerFound && ownerFound->pw_name) node.ownerName = ownerFound->pw_name;
    std::vector<char> buffer(4096);
    group entry{};
    group* found = nullptr;
    while (::getgrgid_r(st.st_gid, &entry, buffer.data(), buffer.size(), &found) == ERANGE)
        buffer.resize(buffer.size() * 2);
    if (found && found->gr_name) node.groupName = found->gr_name;
    return node;
}

UserGroups currentUserGroups() {
    UserGroups user;
    int n = ::getgroups(0, nullptr);
    if (n > 0) {
        user.session.resize(static_cast<std::size_t>(n));
        n = ::getgroups(n, user.session.data());
        user.session.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    }
    user.session.push_back(::getegid());

    std::vector<char> buffer(4096);
    passwd entry{};
    passwd* found = nullptr;
    while (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == ERANGE)
        buffer.resize(buffer.size() * 2);
    if (!found) return user;
    user.userName = found->pw_name;
    int count = 32;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    while (::getgrouplist(found->pw_name, found->pw_gid, groups.data(), &count) < 0) {
        if (static_cast<std::size_t>(count) <= groups.size()) return user;  // no better answer
        groups.resize(static_cast<std::size_t>(count));
    }
    groups.resize(static_cast<std::size_t>(count));
    user.account = std::move(groups);
    return user;
}

std::string describePortOpenError(const std::string& portLabel, const std::string& devicePath, int error) {
    return portOpenErrorText(portLabel, devicePath, error, inspectDeviceNode(devicePath), currentUserGroups());
}

}  // namespace corvane
