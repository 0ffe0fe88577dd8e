#pragma once
// The serial devices present on this computer, named as a person knows them: USB-serial adapters
// (ttyUSB), CDC-ACM ports (ttyACM, among them the unit itself) and other ttys on a USB or PCI
// bus. Read from sysfs and the udev links under /dev, so tests lay out a fake tree.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/system_paths.h"

namespace corvane {

struct SerialDevice {
    std::string ttyName;     // ttyUSB0
    std::string node;        // <devRoot>/ttyUSB0
    std::string stablePath;  // the udev link under <devRoot>/serial/by-id, or the node
    std::string manufacturer;
    std::string product;
    std::string serial;
    std::string vendorId;  // USB ids as sysfs gives them; empty for a PCI port
    std::string productId;
    bool isUnit = false;
    bool mayOpen = true;  // the user may read and write the node
    int comNumber = 0;    // a numbered port: COM n is ttyS(n-1); 0 for the others

    // "FTDI FT232R USB UART (A50285BI) - ttyUSB0"; the unit is named as the unit, a numbered
    // port by its number ("COM1, numbered port - ttyS0").
    std::string displayName() const;
    // What tells this device from another that later takes the same node: the USB ids and
    // strings, or the node itself for a device without them.
    std::string identity() const;
};

// Whether the user may read and write a node; tests replace it (root may open anything).
using AccessCheck = std::function<bool(const std::string& node)>;
bool userMayOpen(const std::string& node);

// Every serial device present, ttyACM before ttyUSB, each by number (ttyUSB2 before ttyUSB10).
std::vector<SerialDevice> listSerialDevices(const SystemPaths& paths, const AccessCheck& mayOpen = userMayOpen);

// The numbered ports (COM1-COM50, the computer's own ttyS ports) that have a serial chip behind
// them, COM1 first. A port the computer announces without hardware is left out.
std::vector<SerialDevice> listNumberedPorts(const SystemPaths& paths, const AccessCheck& mayOpen = userMayOpen);

// The listed device that `path` names: its stable path, its node, or a link to either.
std::optional<SerialDevice> findSerialDevice(const std::vector<SerialDevice>& devices, const std::string& path);

// A device's descriptor text as it may be shown: well-formed UTF-8 without controls or
// bidirectional overrides, at most `maxBytes` long and cut between characters.
std::string shownDescriptorText(std::string_view raw, std::size_t maxBytes);

// The list as `corvane --list-ports` prints it.
std::string formatSerialDeviceList(const std::vector<SerialDevice>& devices);

}  // namespace corvane
