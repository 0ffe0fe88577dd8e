#include "shell/serial_devices.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <map>

#include "shell/unit_identity.h"
#include "shell/usb_port_search.h"

namespace corvane {

namespace fs = std::filesystem;

namespace {

// Descriptor strings come from the device: control bytes are dropped (they would reach a
// terminal through --list-ports) and the length is capped.
std::string descriptorString(const fs::path& file) {
    constexpr std::size_t kMaxLength = 80;
    std::string text;
    for (char c : readSysfsAttribute(file)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7f) text += c;
        if (text.size() == kMaxLength) break;
    }
    return text;
}

bool hexIdIs(const std::string& text, unsigned id) {
    if (text.empty() || text.size() > 4) return false;
    char* end = nullptr;
    const unsigned long value = std::strtoul(text.c_str(), &end, 16);
    return *end == '\0' && value == id;
}

bool containsIgnoringCase(const std::string& text, const std::string& part) {
    return std::search(text.begin(), text.end(), part.begin(), part.end(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           }) != text.end();
}

// The udev links under <devRoot>/serial/by-id, by the node each leads to. Of several links to
// one node the first by name is kept, so the choice is the same on every run.
std::map<fs::path, std::string> stableLinks(const fs::path& devRoot) {
    std::vector<fs::path> links;
    std::error_code ec;
    for (fs::directory_iterator it(devRoot / "serial" / "by-id", ec), end; !ec && it != end; it.increment(ec))
        links.push_back(it->path());
    std::sort(links.begin(), links.end());
    std::map<fs::path, std::string> byNode;
    for (const fs::path& link : links) {
        fs::path node = fs::canonical(link, ec);
        if (!ec) byNode.emplace(node, link.string());
    }
    return byNode;
}

bool underPciBus(const fs::path& device, const fs::path& sysfsRoot) {
    const fs::path relative = device.lexically_relative(sysfsRoot);
    auto part = relative.begin();
    if (part == relative.end() || *part != "devices") return false;
    ++part;
    return part != relative.end() && part->string().starts_with("pci") && ++part != relative.end();
}

}  // namespace

std::string SerialDevice::displayName() const {
    std::string name;
    if (isUnit) {
        name = "Corvane unit";
    } else if (!product.empty()) {
        // "FTDI FT232R USB UART", but not "Arduino LLC Arduino Uno" twice over.
        name = manufacturer.empty() || containsIgnoringCase(product, manufacturer.substr(0, manufacturer.find(' ')))
                   ? product
                   : manufacturer + " " + product;
    } else if (!manufacturer.empty()) {
        name = manufacturer + " serial device";
    } else {
        name = vendorId.empty() ? "PCI serial port" : "USB serial device " + vendorId + ":" + productId;
    }
    if (!serial.empty()) name += " (" + serial + ")";
    return name + " - " + ttyName;
}

std::string SerialDevice::identity() const {
    if (vendorId.empty()) return node;
    return vendorId + ":" + productId + "|" + manufacturer + "|" + product + "|" + serial;
}

// With the effective ids and capabilities, as the open itself will be checked.
bool userMayOpen(const std::string& node) { return ::faccessat(AT_FDCWD, node.c_str(), R_OK | W_OK, AT_EACCESS) == 0; }

std::vector<SerialDevice> listSerialDevices(const SystemPaths& paths, const AccessCheck& mayOpen) {
    std::error_code ec;
    const fs::path sysfsRoot = fs::canonical(paths.sysfsRoot, ec);
    if (ec) return {};
    std::vector<std::string> names;
    for (fs::directory_iterator it(sysfsRoot / "class" / "tty", ec), end; !ec && it != end; it.increment(ec))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end(), naturalLess);

    const std::map<fs::path, std::string> links = stableLinks(paths.devRoot);
    std::vector<SerialDevice> devices;
    for (const std::string& name : names) {
        const fs::path entry = sysfsRoot / "class" / "tty" / name;
        SerialDevice device;
        if (const std::optional<fs::path> usb = usbDeviceOf(entry, sysfsRoot)) {
            device.vendorId = readSysfsAttribute(*usb / "idVendor");
            device.productId = readSysfsAttribute(*usb / "idProduct");
            device.manufacturer = descriptorString(*usb / "manufacturer");
            device.product = descriptorString(*usb / "product");
            device.serial = descriptorString(*usb / "serial");
            device.isUnit = hexIdIs(device.vendorId, kUnitVendorId) && hexIdIs(device.productId, kUnitProductId) &&
                            equalsIgnoringCase(device.product, kUnitDescription);
        } else {
            // Consoles, ptys and the motherboard's legacy ports (the numbered COM ports) stay out.
            const fs::path parent = fs::canonical(entry / "device", ec);
            if (ec || !underPciBus(parent, sysfsRoot)) continue;
        }
        device.ttyName = name;
        device.node = (paths.devRoot / name).string();
        const fs::path node = fs::canonical(device.node, ec);
        const auto link = ec ? links.end() : links.find(node);
        device.stablePath = link != links.end() ? link->second : device.node;
        device.mayOpen = mayOpen(device.node);
        devices.push_back(std::move(device));
    }
    return devices;
}

std::optional<SerialDevice> findSerialDevice(const std::vector<SerialDevice>& devices, const std::string& path) {
    for (const SerialDevice& device : devices)
        if (device.stablePath == path || device.node == path) return device;
    // A link of its own (another udev link, a link in the user's folder) to a listed node.
    std::error_code ec;
    const fs::path target = fs::canonical(path, ec);
    if (ec) return std::nullopt;
    for (const SerialDevice& device : devices) {
        const fs::path node = fs::canonical(device.node, ec);
        if (!ec && node == target) return device;
    }
    return std::nullopt;
}

std::string formatSerialDeviceList(const std::vector<SerialDevice>& devices) {
    if (devices.empty()) return "No serial device found.\n";
    std::string text;
    for (const SerialDevice& device : devices) {
        text += device.displayName() + "\n";
        text += "    node:        " + device.node + "\n";
        text += "    stable path: " + device.stablePath + "\n";
        text += std::string("    may open:    ") + (device.mayOpen ? "yes" : "no, permission denied") + "\n";
    }
    return text;
}

}  // namespace corvane
