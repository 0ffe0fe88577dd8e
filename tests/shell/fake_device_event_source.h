#pragma once
// USB events on demand.
#include "shell/device_event_source.h"
#include "shell/unit_identity.h"

namespace corvane::test {

class FakeDeviceEventSource : public DeviceEventSource {
    Q_OBJECT
public:
    bool isWatching() const override { return true; }

    void plug(const UsbDeviceEvent& event) { emit usbDeviceArrived(event); }
    void unplug(const UsbDeviceEvent& event) { emit usbDeviceRemoved(event); }
    void ttyChanged() { emit serialDevicesChanged(); }
};

inline UsbDeviceEvent unitEvent(const std::string& sysPath = "/sys/devices/pci0000:00/usb1/1-1") {
    return {sysPath, kUnitVendorId, kUnitProductId, true};
}

}  // namespace corvane::test
