#include "shell/connection_supervisor.h"

#include "shell/connection_texts.h"
#include "shell/device_event_source.h"

namespace corvane {

ConnectionSupervisor::ConnectionSupervisor(LinkControl& link, PortFinder findPort, QObject* parent)
    : QObject(parent), link_(link), findPort_(std::move(findPort)) {}

bool ConnectionSupervisor::startComMode(const std::string& devicePath) {
    usbMode_ = false;
    if (link_.isOpen()) return true;
    if (!link_.open(devicePath)) {
        // A device to be reopened that is not here yet is waited for like one that went.
        if (reopen_) markDeviceAway();
        return false;
    }
    learnIdentity();
    link_.startWorker();
    setTimerPeriod(kNormalPeriodMs);
    return true;
}

void ConnectionSupervisor::startUsbMode() {
    usbMode_ = true;
    unitPresent_ = false;
    if (link_.isOpen()) return;
    std::optional<UnitPort> port = findPort_();
    unitPresent_ = port.has_value();
    if (!port) {
        show(kStatusUnplugged, StatusLamp::NotReady);
        setTimerPeriod(kSearchPeriodMs);
    } else if (openAndStart(*port)) {
        show(kStatusOpenAtStart, StatusLamp::Ready);
        setTimerPeriod(kNormalPeriodMs);
    } else {
        show(kStatusStandbyAtStart, StatusLamp::NotReady);
        setTimerPeriod(kRetryPeriodMs);
    }
}

void ConnectionSupervisor::watch(DeviceEventSource& source) {
    // Each event once, however often the window asks.
    if (watched_ == &source) return;
    watched_ = &source;
    connect(&source, &DeviceEventSource::usbDeviceArrived, this, &ConnectionSupervisor::onDeviceArrived);
    connect(&source, &DeviceEventSource::usbDeviceRemoved, this, &ConnectionSupervisor::onDeviceRemoved);
    connect(&source, &DeviceEventSource::serialDevicesChanged, this, [this] {
        if (!usbMode_) followReopenedDevice(true);
    });
}

void ConnectionSupervisor::tick() {
    if (!usbMode_) {
        followReopenedDevice(false);
        followAliveFlag(kStatusNotConnected);
        return;
    }
    // A device that hung up or went away is handled as its removal notice would be, for when
    // no monitor reports removals or one was lost.
    if (link_.isOpen() && link_.lineGone()) {
        markUnplugged();
        return;
    }
    if (!unitPresent_) {
        lookForReturningUnit();
        return;
    }
    if (!link_.isOpen()) reopenOnTick();
    if (unitPresent_ && link_.isOpen()) followAliveFlag(kStatusCommunicationError);
}

void ConnectionSupervisor::onDeviceArrived(const UsbDeviceEvent& event) {
    if (!usbMode_) followReopenedDevice(true);
    if (!usbMode_ || !isUnitDevice(event)) return;
    // The port is already ours: one handle and one worker are all there may be.
    if (link_.isOpen()) return;
    // The USB device is here even when its tty is not yet: the timer keeps looking for it.
    unitPresent_ = true;
    arrivalRetriesLeft_ = kArrivalRetries;
    std::optional<UnitPort> port = findPort_();
    timerPeriodMs_ = 0;  // the arrival restarts the timer even at an unchanged period
    if (port && openAndStart(*port)) {
        show(kStatusOpen, StatusLamp::Ready);
        setTimerPeriod(kNormalPeriodMs);
    } else {
        show(kStatusStandby, StatusLamp::NotReady);
        setTimerPeriod(kRetryPeriodMs);
    }
}

void ConnectionSupervisor::onDeviceRemoved(const UsbDeviceEvent& event) {
    if (!usbMode_) followReopenedDevice(true);
    if (!usbMode_ || !isUnitDevice(event)) return;
    // Another unit going away leaves the open one alone.
    if (link_.isOpen() && !openUsbDevice_.empty() && !event.sysPath.empty() && event.sysPath != openUsbDevice_) return;
    markUnplugged();
}

void ConnectionSupervisor::markUnplugged() {
    endSilence();
    unitPresent_ = false;
    connected_ = false;
    arrivalRetriesLeft_ = 0;
    link_.close();
    openUsbDevice_.clear();
    show(kStatusUnplugged, StatusLamp::NotReady);
    setTimerPeriod(kSearchPeriodMs);
    emit unitWentAway();
}

void ConnectionSupervisor::lookForReturningUnit() {
    // An arrival the monitor did not report (no monitor, or an event lost) is found here. While
    // the unit's port is not listed, the line keeps what it shows.
    if (link_.isOpen()) return;
    std::optional<UnitPort> port = findPort_();
    if (!port) return;
    unitPresent_ = true;
    if (openAndStart(*port)) {
        setTimerPeriod(kNormalPeriodMs);
        show(kStatusOpen, StatusLamp::Ready);
    } else {
        setTimerPeriod(kRetryPeriodMs);
        show(kStatusStandby, StatusLamp::NotReady);
    }
}

bool ConnectionSupervisor::openAndStart(const UnitPort& port) {
    if (!link_.open(port.devicePath)) return false;
    openUsbDevice_ = port.usbDevice;
    link_.startWorker();
    return true;
}

void ConnectionSupervisor::reopenOnTick() {
    std::optional<UnitPort> port = findPort_();
    if (!port) {
        if (arrivalRetriesLeft_ > 0) {
            --arrivalRetriesLeft_;
            setTimerPeriod(kRetryPeriodMs);
            return;
        }
        unitPresent_ = false;
        show(kStatusNoLongerFound, StatusLamp::NotReady);
        setTimerPeriod(kSearchPeriodMs);
        return;
    }
    arrivalRetriesLeft_ = 0;
    if (openAndStart(*port)) {
        setTimerPeriod(kNormalPeriodMs);
        show(kStatusOpen, StatusLamp::Ready);
    } else {
        setTimerPeriod(kRetryPeriodMs);
    }
}

void ConnectionSupervisor::followAliveFlag(const char* lostText) {
    const bool alive = link_.isAlive();
    if (alive && !connected_) {
        connected_ = true;
        heardAt_ = clock_();
        lastMisses_ = 0;
        show(kStatusConnected, StatusLamp::Ready);
    } else if (!alive && connected_) {
        endSilence();
        connected_ = false;
        show(lostText, StatusLamp::NotReady);
    }
    if (connected_) followSilence();
}

void ConnectionSupervisor::followSilence() {
    // The miss count restarts at 0 with every valid frame; a tick that finds it at 0, or lower
    // than before, finds the unit talking.
    const auto now = clock_();
    const std::uint32_t misses = link_.missCount();
    if (misses == 0 || misses < lastMisses_) heardAt_ = now;
    lastMisses_ = misses;
    const auto silent = std::chrono::duration_cast<std::chrono::seconds>(now - heardAt_);
    if (silent >= kSilenceShownAfter) {
        const int seconds = static_cast<int>(silent.count());
        if (seconds != silentShown_) {
            silentShown_ = seconds;
            emit unitSilent(seconds);
        }
    } else {
        endSilence();
    }
}

void ConnectionSupervisor::endSilence() {
    if (silentShown_ == 0) return;
    silentShown_ = 0;
    emit unitSilent(0);
}

void ConnectionSupervisor::setTimerPeriod(int milliseconds) {
    if (milliseconds == timerPeriodMs_) return;
    timerPeriodMs_ = milliseconds;
    emit timerPeriodChanged(milliseconds);
}

void ConnectionSupervisor::show(const char* text, StatusLamp lamp) { emit statusChanged(tr(text), lamp); }

}  // namespace corvane
