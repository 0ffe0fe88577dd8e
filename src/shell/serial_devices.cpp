#include "shell/serial_devices.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <map>

#include "shell/unit_identity.h"
#include "shell/usb_port_search.h"

#include <QCoreApplication>
#include <QString>

namespace corvane {

namespace fs = std::filesystem;

// The COM setting dialog's numbered ports: COM1 to COM50.
constexpr int kMaxComNumber = 50;

namespace {

// The length of the well-formed UTF-8 character at text[i] and its code point; 0 when the
// bytes there form none (a stray or missing continuation, an overlong form, a surrogate).
std::size_t utf8Character(std::string_view text, std::size_t i, char32_t& point) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        point = lead;
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > text.size() || byte(1) < low || byte(1) > high) return 0;
    point = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80) return 0;
        point = (point << 6) | (byte(k) & 0x3F);
    }
    return length;
}

// Characters that would act instead of show: C0 and C1 controls (a terminal obeys them), and
// the bidirectional marks, embeddings, overrides and isolates that turn text around.
bool actsInsteadOfShows(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

}  // namespace

std::string shownDescriptorText(std::string_view raw, std::size_t maxBytes) {
    std::string text;
    for (std::size_t i = 0; i < raw.size();) {
        char32_t point = 0;
        const std::size_t length = utf8Character(raw, i, point);
        if (length == 0) {
            ++i;  // a byte that is no character is dropped
            continue;
        }
        if (!actsInsteadOfShows(point)) {
            // Cut only between characters.
            if (text.size() + length > maxBytes) break;
            text.append(raw, i, length);
        }
        i += length;
    }
    return text;
}

namespace {

// Descriptor strings come from the device: what the user sees of them in the dialog and
// through --list-ports is only characters that show, and a few dozen of them.
std::string descriptorString(const fs::path& file) {
    constexpr std::size_t kMaxLength = 80;
    return shownDescriptorText(readSysfsAttribute(file), kMaxLength);
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
    if (comNumber > 0) {
        name =
            QCoreApplication::translate("corvane::SerialDevice", "COM%1, numbered port").arg(comNumber).toStdString();
    } else if (isUnit) {
        name = QCoreApplication::translate("corvane::SerialDevice", "Corvane unit").toStdString();
    } else if (!product.empty()) {
        // "FTDI FT232R USB UART", but not "Arduino LLC Arduino Uno" twice over.
        name = manufacturer.empty() || containsIgnoringCase(product, manufacturer.substr(0, manufacturer.find(' ')))
                   ? product
                   : manufacturer + " " + product;
    } else if (!manufacturer.empty()) {
        name = QCoreApplication::translate("corvane::SerialDevice", "%1 serial device")
                   .arg(QString::fromStdString(manufacturer))
                   .toStdString();
    } else {
        name = vendorId.empty() ? QCoreApplication::translate("corvane::SerialDevice", "PCI serial port").toStdString()
                                : QCoreApplication::translate("corvane::SerialDevice", "USB serial device %1:%2")
                                      .arg(QString::fromStdString(vendorId), QString::fromStdString(productId))
                                      .toStdString();
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

std::vector<SerialDevice> listNumberedPorts(const SystemPaths& paths, const AccessCheck& mayOpen) {
    std::error_code ec;
    const fs::path sysfsRoot = fs::canonical(paths.sysfsRoot, ec);
    if (ec) return {};
    std::vector<SerialDevice> ports;
    for (int number = 1; number <= kMaxComNumber; ++number) {
        const std::string name = "ttyS" + std::to_string(number - 1);
        const fs::path entry = sysfsRoot / "class" / "tty" / name;
        // A port of the computer's own: one with a device, not on a USB or PCI card (those are
        // listed by name).
        const fs::path parent = fs::canonical(entry / "device", ec);
        if (ec || usbDeviceOf(entry, sysfsRoot) || underPciBus(parent, sysfsRoot)) continue;
        // The serial driver gives the chip it found; 0 is none (a port announced without one).
        const std::string type = readSysfsAttribute(entry / "type");
        if (type == "0") continue;
        SerialDevice port;
        port.ttyName = name;
        port.node = (paths.devRoot / name).string();
        if (!fs::exists(port.node, ec)) continue;
        port.stablePath = port.node;
        port.comNumber = number;
        port.mayOpen = mayOpen(port.node);
        ports.push_back(std::move(port));
    }
    return ports;
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
    if (devices.empty())
        return QCoreApplication::translate("corvane::SerialDevice", "No serial device found.\n").toStdString();
    std::string list;
    for (const SerialDevice& device : devices) {
        list += device.displayName() + "\n";
        list += QCoreApplication::translate("corvane::SerialDevice", "    node:        %1\n")
                    .arg(QString::fromStdString(device.node))
                    .toStdString();
        list += QCoreApplication::translate("corvane::SerialDevice", "    stable path: %1\n")
                    .arg(QString::fromStdString(device.stablePath))
                    .toStdString();
        list += (device.mayOpen
                     ? QCoreApplication::translate("corvane::SerialDevice", "    may open:    yes\n")
                     : QCoreApplication::translate("corvane::SerialDevice", "    may open:    no, permission denied\n"))
                    .toStdString();
    }
    return list;
}

}  // namespace corvane
