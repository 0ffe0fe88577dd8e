#pragma once
// Finds the unit's serial port through sysfs: a tty whose USB device has the unit's vendor and
// product id and whose product string is the unit's description.
#include <optional>
#include <string>
#include <vector>

#include "shell/system_paths.h"

namespace corvane {

struct UnitPort {
    std::string devicePath;  // the node to open, <devRoot>/<ttyName>, normally /dev/ttyACMn
    std::string ttyName;
    std::string usbDevice;  // sysfs path of the unit's USB device (as udev names it)
};

// Every present port of the unit, ttyACM0 before ttyACM1 before ttyACM10.
std::vector<UnitPort> findUnitPorts(const SystemPaths& paths);
// The first of them.
std::optional<UnitPort> findUnitPort(const SystemPaths& paths);

// A sysfs attribute: its first line without surrounding blanks; empty when unreadable.
std::string readSysfsAttribute(const std::filesystem::path& file);
// ttyACM2 before ttyACM10: the name without its trailing number, then the number.
bool naturalLess(const std::string& a, const std::string& b);
// The nearest ancestor of a sysfs tty entry's device that is a USB device (it has idVendor).
std::optional<std::filesystem::path> usbDeviceOf(const std::filesystem::path& ttyEntry,
                                                 const std::filesystem::path& sysfsRoot);

// ASCII comparison ignoring case.
bool equalsIgnoringCase(const std::string& a, const std::string& b);

}  // namespace corvane
