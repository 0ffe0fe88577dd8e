#include "shell/udev_event_source.h"

#include <libudev.h>

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>

namespace corvane {

UdevEventSource::UdevEventSource(QObject* parent) : DeviceEventSource(parent) {
    udev_ = ::udev_new();
    if (!udev_) {
        setupError_ = std::string("udev: ") + std::strerror(errno);
        return;
    }
    // "udev" events come after the rules ran, so the device node and its permissions are ready.
    monitor_ = ::udev_monitor_new_from_netlink(udev_, "udev");
    if (!monitor_) {
        setupError_ = "udev: cannot create the device monitor";
        return;
    }
    // Only whole USB devices: their interfaces would report each plug several times. And ttys,
    // which come after their USB device and also on other buses.
    int rc = ::udev_monitor_filter_add_match_subsystem_devtype(monitor_, "usb", "usb_device");
    if (rc >= 0) rc = ::udev_monitor_filter_add_match_subsystem_devtype(monitor_, "tty", nullptr);
    if (rc >= 0) rc = ::udev_monitor_enable_receiving(monitor_);
    if (rc < 0) {
        setupError_ = std::string("udev: cannot watch USB devices: ") + std::strerror(-rc);
        return;
    }
    int fd = ::udev_monitor_get_fd(monitor_);
    if (fd < 0) {
        setupError_ = "udev: the device monitor has no socket";
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { readEvents(); });
}

UdevEventSource::~UdevEventSource() {
    notifier_.reset();  // stop watching the socket before it closes
    if (monitor_) ::udev_monitor_unref(monitor_);
    if (udev_) ::udev_unref(udev_);
}

void UdevEventSource::readEvents() {
    // The monitor socket is non-blocking: drain what is queued.
    while (udev_device* device = ::udev_monitor_receive_device(monitor_)) {
        report(device);
        ::udev_device_unref(device);
    }
}

void UdevEventSource::report(udev_device* device) {
    const char* action = ::udev_device_get_action(device);
    if (!action) return;
    const bool arrived = std::strcmp(action, "add") == 0;
    const bool removed = std::strcmp(action, "remove") == 0;
    if (!arrived && !removed) return;
    if (const char* subsystem = ::udev_device_get_subsystem(device); subsystem && std::strcmp(subsystem, "tty") == 0) {
        emit serialDevicesChanged();
        return;
    }

    UsbDeviceEvent event;
    if (const char* path = ::udev_device_get_syspath(device)) event.sysPath = path;
    // PRODUCT comes from the kernel and is there on removal too, when sysfs is already gone.
    if (const char* product = ::udev_device_get_property_value(device, "PRODUCT"))
        event.idsKnown = parseUsbProductProperty(product, event.vendorId, event.productId);

    if (arrived)
        emit usbDeviceArrived(event);
    else
        emit usbDeviceRemoved(event);
}

}  // namespace corvane
