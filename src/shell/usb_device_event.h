#pragma once
// A USB device coming or going, as the device event source reports it.
#include <QMetaType>

#include <cstdint>
#include <string>

namespace corvane {

struct UsbDeviceEvent {
    std::string sysPath;  // sysfs path of the USB device, e.g. /sys/devices/.../usb1/1-1
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    bool idsKnown = false;
};

// The unit's USB device, told by its vendor and product id.
bool isUnitDevice(const UsbDeviceEvent& event);

// Reads the kernel's PRODUCT property of a USB device, "vendor/product/release" in hex without
// leading zeros (e.g. "5e31/1/100"). False when it is malformed.
bool parseUsbProductProperty(const std::string& text, std::uint16_t& vendorId, std::uint16_t& productId);

}  // namespace corvane

Q_DECLARE_METATYPE(corvane::UsbDeviceEvent)
