#pragma once
// Builds the parts of a sysfs tree that USB detection reads, with the links laid out as the
// kernel lays them out:
//   class/tty/ttyACM0 -> ../../devices/pci0000:00/0000:00:14.0/usb1/1-1/1-1:1.0/tty/ttyACM0
//   .../tty/ttyACM0/device -> ../../../1-1:1.0
// where the USB device 1-1 holds idVendor, idProduct and product.
#include <filesystem>
#include <string>

namespace corvane::test {

struct UsbIdentity {
    UsbIdentity(std::string vendorId = "5e31", std::string productId = "0001",
                std::string productName = "CORVANE diagnostic tool", std::string maker = {},
                std::string serialNumber = {})
        : vendor(std::move(vendorId)),
          product(std::move(productId)),
          productString(std::move(productName)),
          manufacturer(std::move(maker)),
          serial(std::move(serialNumber)) {}

    std::string vendor;
    std::string product;
    std::string productString;
    std::string manufacturer;
    std::string serial;
};

class FakeSysfs {
public:
    explicit FakeSysfs(std::filesystem::path root);

    const std::filesystem::path& root() const { return root_; }

    // A USB device on the given port of bus 1 (e.g. "1-1"), without a tty yet. Returns its
    // sysfs folder.
    std::filesystem::path addUsbDevice(const std::string& busPort, const UsbIdentity& id);
    // The tty of the device's first interface, as cdc_acm creates it.
    void addTty(const std::string& busPort, const std::string& ttyName);
    // Both at once.
    std::filesystem::path addUsbTty(const std::string& busPort, const std::string& ttyName, const UsbIdentity& id = {});
    void removeTty(const std::string& ttyName);
    // A USB-serial adapter's port, as the usb-serial drivers lay it out (a port device between
    // the interface and the tty).
    void addUsbSerialTty(const std::string& busPort, const std::string& ttyName, const UsbIdentity& id);
    // A serial card's port on the PCI bus.
    void addPciTty(const std::string& ttyName);

    // A serial port on the platform bus (no USB ancestor), like ttyS0.
    void addPlatformTty(const std::string& ttyName);
    // A tty without a device, like console or ptmx.
    void addVirtualTty(const std::string& ttyName);

    void addLoadedModule(const std::string& name);

private:
    std::filesystem::path usbBus() const;

    std::filesystem::path root_;
};

void writeFile(const std::filesystem::path& file, const std::string& content);

}  // namespace corvane::test
