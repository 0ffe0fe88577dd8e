#pragma once
// Connection supervision without a window: opens the unit's port at start, follows the USB
// unit coming and going (device events, a read that finds the device gone, and a search once a
// second while it is away), reopens it on the timer in the USB mode, and tells the status line
// what to show whenever the connection state changes. The main window calls tick() from its
// timer 1 and applies the signals to its status line, lamp and timer.
#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "shell/link_control.h"
#include "shell/serial_devices.h"
#include "shell/usb_device_event.h"
#include "shell/usb_port_search.h"

namespace corvane {

class DeviceEventSource;

// The status lamp: bitmap 149 while open or connected, 150 otherwise.
enum class StatusLamp { Ready, NotReady };

class ConnectionSupervisor : public QObject {
    Q_OBJECT
public:
    using PortFinder = std::function<std::optional<UnitPort>()>;
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    static constexpr int kNormalPeriodMs = 50;
    static constexpr int kRetryPeriodMs = 1000;
    // While the unit's port is closed and not listed, each tick looks for it once a second, so
    // a replug is found without the device monitor.
    static constexpr int kSearchPeriodMs = 1000;
    // After the unit's USB device arrives its tty may take a moment (the driver may still be
    // loading): this many one-second retries pass before the unit counts as unplugged.
    static constexpr int kArrivalRetries = 5;
    // A connected unit that sends nothing for this long is said to be silent (the alive flag
    // takes 101 empty reads, about 50 s, to fall).
    static constexpr std::chrono::seconds kSilenceShownAfter{3};

    ConnectionSupervisor(LinkControl& link, PortFinder findPort, QObject* parent = nullptr);

    // A numbered port or a given device: opens it, starts the worker and the 50 ms timer.
    // False when it cannot be opened: no timer runs, the link's lastOpenError() says why.
    bool startComMode(const std::string& devicePath);
    // The USB mode, on a computer that passed the installation check: looks for the unit's
    // port, opens it when found, and sets the status line and the timer.
    void startUsbMode();

    // Follows arrivals and removals of the source: the unit in the USB mode, the device of a
    // numbered port or one given by name when it is to be reopened.
    void watch(DeviceEventSource& source);

    // A numbered port or a device given by name (call before startComMode): when `on`, the
    // device is reopened once it has gone and a device of the same identity (the same USB ids,
    // strings and serial number, as `listDevices` tells) is back under `path`. The identity is
    // the one of the device opened first, also when that was after the start.
    void setReopenTarget(std::string path, std::function<std::vector<SerialDevice>()> listDevices);
    void setReopen(bool on) { reopen_ = on; }
    bool reopens() const { return reopen_; }
    // The reopened device is away and looked for.
    bool waitingForDevice() const { return deviceAway_; }

    bool usbMode() const { return usbMode_; }
    bool unitPresent() const { return unitPresent_; }
    bool connected() const { return connected_; }
    // Whole seconds a connected unit has sent nothing, while that is shown; 0 otherwise.
    int silentSeconds() const { return silentShown_; }
    // Time source of the silence notice (tests step it by hand).
    void setClock(Clock clock) { clock_ = std::move(clock); }
    // The period timer 1 should run with; 0 while it should not run.
    int timerPeriodMs() const { return timerPeriodMs_; }

public slots:
    void tick();
    void onDeviceArrived(const corvane::UsbDeviceEvent& event);
    void onDeviceRemoved(const corvane::UsbDeviceEvent& event);

signals:
    void statusChanged(const QString& text, corvane::StatusLamp lamp);
    // Start (or restart) timer 1 with this period.
    void timerPeriodChanged(int milliseconds);
    // A connected unit has sent nothing for this many seconds (once a second from the third);
    // 0 when it speaks again or the connection state changes, so the line shows its own text.
    void unitSilent(int seconds);
    // The link was closed because the unit went away (after the status line was told).
    void unitWentAway();

private:
    bool openAndStart(const UnitPort& port);
    void reopenOnTick();
    void lookForReturningUnit();
    // Closes the link and shows the unit unplugged (a removal notice, or a line that is gone).
    void markUnplugged();
    void followAliveFlag(const char* lostText);
    void followSilence();
    void endSilence();
    void setTimerPeriod(int milliseconds);
    // The reopening of a device in COM mode, on each tick and each device event.
    void followReopenedDevice(bool deviceEvent);
    void markDeviceAway();
    void reopenDevice();
    // The device now under the reopen path, if it is the one opened before.
    bool sameDeviceIsBack() const;
    void learnIdentity();
    void show(const char* text, StatusLamp lamp);

    LinkControl& link_;
    PortFinder findPort_;
    bool usbMode_ = false;
    bool unitPresent_ = false;
    bool connected_ = false;
    int timerPeriodMs_ = 0;
    int arrivalRetriesLeft_ = 0;
    std::string openUsbDevice_;  // sysfs path of the USB device whose port is open
    DeviceEventSource* watched_ = nullptr;

    bool reopen_ = false;
    bool deviceAway_ = false;
    std::string reopenPath_;
    std::function<std::vector<SerialDevice>()> listDevices_;
    // Of the device opened first; none before that, empty when it is not a listed device.
    std::optional<std::string> identity_;
    int lastReopenError_ = 0;  // said once in the status line, not at each retry

    Clock clock_ = [] { return std::chrono::steady_clock::now(); };
    std::chrono::steady_clock::time_point heardAt_{};  // the last tick that found the unit talking
    std::uint32_t lastMisses_ = 0;
    int silentShown_ = 0;
};

}  // namespace corvane

Q_DECLARE_METATYPE(corvane::StatusLamp)
