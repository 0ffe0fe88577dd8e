#pragma once
// Where USB arrival and removal events come from: the udev monitor on a real system, a
// scripted source in tests.
#include <QObject>

#include "shell/usb_device_event.h"

namespace corvane {

class DeviceEventSource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~DeviceEventSource() override = default;

    // False when the source could not be set up and will never report anything.
    virtual bool isWatching() const = 0;

signals:
    void usbDeviceArrived(const corvane::UsbDeviceEvent& event);
    void usbDeviceRemoved(const corvane::UsbDeviceEvent& event);
    // A tty came or went: a serial device's port appears a moment after its USB device.
    void serialDevicesChanged();
};

}  // namespace corvane
