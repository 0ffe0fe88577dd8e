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

#include <QCoreApplication>
#include <QString>

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

QString q(const std::string& text) { return QString::fromStdString(text); }

// The texts are the user's language's; the paths, names and commands in them are not.
// A device no group of the user can reach: only the administrator can open it to the user.
QString administratorAdvice(const std::string& devicePath, const DeviceNodeInfo& node) {
    if (!node.exists)
        return QCoreApplication::translate("corvane::PortOpenError", "\n\nYou are not allowed to use %1.")
            .arg(q(devicePath));
    return QCoreApplication::translate(
               "corvane::PortOpenError",
               "\n\nThe device %1 belongs to the user \"%2\" and the group \"%3\", and no group of your account may "
               "open it. Ask the administrator to give it to a group you can join, such as \"dialout\" (with a udev "
               "rule: GROUP=\"dialout\", MODE=\"0660\"), or to add a rule that opens it to the logged-in user.")
        .arg(q(devicePath), q(nameOr(node.ownerName, node.owner)), q(nameOr(node.groupName, node.group)));
}

// A pseudo-terminal is its maker's: no group or udev rule hands it out.
QString pseudoTerminalAdvice(const std::string& devicePath, const DeviceNodeInfo& node) {
    return QCoreApplication::translate(
               "corvane::PortOpenError",
               "\n\nThe pseudo-terminal %1 belongs to the user \"%2\", and only that user (or root) may open it; "
               "joining a group would not change that. Run corvane as \"%2\", or start the program that makes the "
               "pseudo-terminal (for example corvane-unit --pty) as yourself.")
        .arg(q(devicePath), q(nameOr(node.ownerName, node.owner)));
}

// A device whose group may not read and write it: joining the group is no help, its mode is.
QString modeAdvice(const std::string& devicePath, const DeviceNodeInfo& node, const UserGroups& user) {
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(node.mode & 07777));
    QString text = QCoreApplication::translate(
                       "corvane::PortOpenError",
                       "\n\nThe device %1 (user \"%2\", group \"%3\", mode %4) does not let its group read and write "
                       "it, so no group you join can open it: its mode needs changing. Ask the administrator for a "
                       "udev rule with MODE=\"0660\" for it (sudo chmod 0660 %1 lasts only until the device returns "
                       "or the computer restarts).")
                       .arg(q(devicePath), q(nameOr(node.ownerName, node.owner)), q(node.groupName), q(mode));
    if (!contains(user.session, node.group) && !contains(user.account, node.group)) {
        const std::string who = user.userName.empty() ? "$USER" : user.userName;
        text += QCoreApplication::translate(
                    "corvane::PortOpenError",
                    " Then add your account to the group \"%1\" (sudo usermod -aG %1 %2) and log in again.")
                    .arg(q(node.groupName), q(who));
    }
    return text;
}

QString permissionAdvice(const std::string& devicePath, const DeviceNodeInfo& node, const UserGroups& user) {
    // A path named as the unit's USB port gets the unit's advice below.
    if (node.exists && node.pseudoTerminal && !isUnitUsbPort(devicePath)) return pseudoTerminalAdvice(devicePath, node);
    QString text;
    const bool groupMayUse = (node.mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    // Group root (0) is no group to join.
    if (node.exists && node.group != 0 && !node.groupName.empty() && !groupMayUse) {
        text = modeAdvice(devicePath, node, user);
    } else if (node.exists && node.group != 0 && !node.groupName.empty()) {
        if (contains(user.session, node.group)) {
            // The group may use it and the session has the group: something else refuses it.
            text = QCoreApplication::translate(
                       "corvane::PortOpenError",
                       "\n\nThe device %1 lets its group \"%2\" read and write it and this session is in that "
                       "group; something else refuses it (its owner's own permissions, an access list or a security "
                       "module).")
                       .arg(q(devicePath), q(node.groupName));
        } else if (contains(user.account, node.group)) {
            text = QCoreApplication::translate("corvane::PortOpenError",
                                               "\n\nYour account is in the group \"%1\" that may use %2, but this "
                                               "session started before it joined. Log out and log in again.")
                       .arg(q(node.groupName), q(devicePath));
        } else {
            const std::string who = user.userName.empty() ? "$USER" : user.userName;
            text = QCoreApplication::translate("corvane::PortOpenError",
                                               "\n\nThe device %1 belongs to the group \"%2\". Add your account to "
                                               "it (sudo usermod -aG %2 %3), then log out and log in again.")
                       .arg(q(devicePath), q(node.groupName), q(who));
        }
    } else {
        text = administratorAdvice(devicePath, node);
    }
    if (isUnitUsbPort(devicePath)) {
        text += QCoreApplication::translate(
                    "corvane::PortOpenError",
                    "\n\nOr install the udev rule %1 in %2 (the package puts it there), run udevadm control --reload "
                    "and plug the unit in again: it gives the logged-in user the unit's port.")
                    .arg(QString::fromLatin1(kUnitRuleFileName), QString::fromLatin1(kPackagedRuleFolder));
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
        return QCoreApplication::translate("corvane::PortOpenError",
                                           "Error opening %1:\n%2 is not a serial port. Choose the unit's serial "
                                           "device, for example /dev/ttyUSB0 or /dev/ttyACM0 (corvane --list-ports "
                                           "lists them).")
            .arg(q(portLabel), q(devicePath))
            .toStdString();
    QString text = QCoreApplication::translate("corvane::PortOpenError", "Error opening %1:\n%2")
                       .arg(q(portLabel), QString::fromLocal8Bit(std::strerror(error)));
    switch (error) {
        case EACCES:
        case EPERM: text += permissionAdvice(devicePath, node, user); break;
        case EBUSY:
            text +=
                QCoreApplication::translate("corvane::PortOpenError", "\n\nThe port %1 is in use by another program.")
                    .arg(q(devicePath));
            break;
        case ENOENT:
        case ENODEV:
        case ENXIO:
            text += QCoreApplication::translate("corvane::PortOpenError", "\n\nThere is no device %1 on this computer.")
                        .arg(q(devicePath));
            break;
        case EIO:
            // Typical of the numbered ports a PC announces without a serial chip behind them.
            text += QCoreApplication::translate(
                        "corvane::PortOpenError",
                        "\n\n%1 is listed, but no serial hardware answers behind it: many PCs announce more COM ports "
                        "than they have, and most have one at most. Choose the port the unit is attached to (corvane "
                        "--list-ports lists the ports that may be opened).")
                        .arg(q(devicePath));
            break;
        default: break;
    }
    return text.toStdString();
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
