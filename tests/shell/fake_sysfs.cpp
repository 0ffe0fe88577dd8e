#include "fake_sysfs.h"

#include <fstream>

namespace corvane::test {

namespace fs = std::filesystem;

void writeFile(const fs::path& file, const std::string& content) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
}

FakeSysfs::FakeSysfs(fs::path root) : root_(std::move(root)) {
    fs::create_directories(root_ / "class" / "tty");
    // The root hub is a USB device too; the walk must stop at the nearer one.
    writeFile(usbBus() / "idVendor", "1d6b\n");
    writeFile(usbBus() / "idProduct", "0002\n");
    writeFile(usbBus() / "product", "xHCI Host Controller\n");
}

fs::path FakeSysfs::usbBus() const { return root_ / "devices" / "pci0000:00" / "0000:00:14.0" / "usb1"; }

fs::path FakeSysfs::addUsbDevice(const std::string& busPort, const UsbIdentity& id) {
    const fs::path device = usbBus() / busPort;
    writeFile(device / "idVendor", id.vendor + "\n");
    writeFile(device / "idProduct", id.product + "\n");
    if (!id.productString.empty()) writeFile(device / "product", id.productString + "\n");
    if (!id.manufacturer.empty()) writeFile(device / "manufacturer", id.manufacturer + "\n");
    if (!id.serial.empty()) writeFile(device / "serial", id.serial + "\n");
    return device;
}

void FakeSysfs::addTty(const std::string& busPort, const std::string& ttyName) {
    const fs::path interface = usbBus() / busPort / (busPort + ":1.0");
    writeFile(interface / "bInterfaceClass", "02\n");
    const fs::path tty = interface / "tty" / ttyName;
    fs::create_directories(tty);
    writeFile(tty / "dev", "166:0\n");
    fs::create_directory_symlink("../../../" + busPort + ":1.0", tty / "device");
    fs::create_directory_symlink(
        "../../devices/pci0000:00/0000:00:14.0/usb1/" + busPort + "/" + busPort + ":1.0/tty/" + ttyName,
        root_ / "class" / "tty" / ttyName);
}

fs::path FakeSysfs::addUsbTty(const std::string& busPort, const std::string& ttyName, const UsbIdentity& id) {
    fs::path device = addUsbDevice(busPort, id);
    addTty(busPort, ttyName);
    return device;
}

void FakeSysfs::removeTty(const std::string& ttyName) {
    const fs::path link = root_ / "class" / "tty" / ttyName;
    std::error_code ec;
    fs::path target = fs::canonical(link, ec);
    if (!ec) fs::remove_all(target);
    fs::remove(link);
}

void FakeSysfs::addUsbSerialTty(const std::string& busPort, const std::string& ttyName, const UsbIdentity& id) {
    addUsbDevice(busPort, id);
    const fs::path port = usbBus() / busPort / (busPort + ":1.0") / ttyName;
    const fs::path tty = port / "tty" / ttyName;
    fs::create_directories(tty);
    fs::create_directory_symlink("../../../" + ttyName, tty / "device");
    fs::create_directory_symlink(
        "../../devices/pci0000:00/0000:00:14.0/usb1/" + busPort + "/" + busPort + ":1.0/" + ttyName + "/tty/" + ttyName,
        root_ / "class" / "tty" / ttyName);
}

void FakeSysfs::addPciTty(const std::string& ttyName) {
    const fs::path tty = root_ / "devices" / "pci0000:00" / "0000:00:16.3" / "tty" / ttyName;
    fs::create_directories(tty);
    fs::create_directory_symlink("../../../0000:00:16.3", tty / "device");
    fs::create_directory_symlink("../../devices/pci0000:00/0000:00:16.3/tty/" + ttyName,
                                 root_ / "class" / "tty" / ttyName);
}

void FakeSysfs::addPlatformTty(const std::string& ttyName) {
    const fs::path platform = root_ / "devices" / "platform" / "serial8250";
    const fs::path tty = platform / "tty" / ttyName;
    fs::create_directories(tty);
    fs::create_directory_symlink("../../../serial8250", tty / "device");
    fs::create_directory_symlink("../../devices/platform/serial8250/tty/" + ttyName, root_ / "class" / "tty" / ttyName);
}

void FakeSysfs::addVirtualTty(const std::string& ttyName) {
    const fs::path tty = root_ / "devices" / "virtual" / "tty" / ttyName;
    fs::create_directories(tty);
    fs::create_directory_symlink("../../devices/virtual/tty/" + ttyName, root_ / "class" / "tty" / ttyName);
}

void FakeSysfs::addLoadedModule(const std::string& name) {
    fs::create_directories(root_ / "module" / name / "drivers");
}

}  // namespace corvane::test
