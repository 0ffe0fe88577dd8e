#pragma once
// USB arrival and removal from the udev monitor. The monitor's socket is watched by a
// QSocketNotifier, so the events arrive on the thread that owns this object.
#include <memory>
#include <string>

#include "shell/device_event_source.h"

struct udev;
struct udev_monitor;
struct udev_device;
class QSocketNotifier;

namespace corvane {

class UdevEventSource : public DeviceEventSource {
    Q_OBJECT
public:
    explicit UdevEventSource(QObject* parent = nullptr);
    ~UdevEventSource() override;

    bool isWatching() const override { return notifier_ != nullptr; }
    // Why the monitor could not be set up; empty when it is watching.
    const std::string& setupError() const { return setupError_; }

private:
    void readEvents();
    void report(udev_device* device);

    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::string setupError_;
};

}  // namespace corvane
