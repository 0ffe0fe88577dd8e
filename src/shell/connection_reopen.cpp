// The connection supervision's reopening of a serial device in COM mode: a USB-serial adapter
// pulled and plugged back (a bumped trolley, a flaky hub) is opened again without a restart,
// provided the device that returns is the one that went.
#include <cstring>
#include <filesystem>

#include "shell/connection_supervisor.h"
#include "shell/connection_texts.h"

namespace corvane {

void ConnectionSupervisor::setReopenTarget(std::string path, std::function<std::vector<SerialDevice>()> listDevices) {
    reopenPath_ = std::move(path);
    listDevices_ = std::move(listDevices);
    identity_.reset();
}

void ConnectionSupervisor::learnIdentity() {
    // Once: the device opened first is the one the user meant, whenever it came.
    if (identity_ || reopenPath_.empty()) return;
    const std::optional<SerialDevice> device =
        listDevices_ ? findSerialDevice(listDevices_(), reopenPath_) : std::nullopt;
    identity_ = device ? device->identity() : std::string();
}

void ConnectionSupervisor::followReopenedDevice(bool deviceEvent) {
    if (!reopen_ || reopenPath_.empty()) return;
    if (link_.isOpen()) {
        // A read that found the line hung up, or a removal after which the path no longer
        // leads to the device.
        if (link_.lineGone() || (deviceEvent && !sameDeviceIsBack())) markDeviceAway();
        return;
    }
    if (deviceAway_) reopenDevice();
}

void ConnectionSupervisor::markDeviceAway() {
    endSilence();
    link_.close();
    connected_ = false;
    deviceAway_ = true;
    lastReopenError_ = 0;
    show(kStatusUnplugged, StatusLamp::NotReady);
    setTimerPeriod(kSearchPeriodMs);
    emit unitWentAway();
}

bool ConnectionSupervisor::sameDeviceIsBack() const {
    std::error_code ec;
    // Not opened yet, or not a listed device (a numbered port, a pseudo-terminal): its path is
    // all there is to go by.
    if (!identity_ || identity_->empty()) return std::filesystem::exists(reopenPath_, ec);
    if (!listDevices_) return false;
    // Another adapter that took the same node has other ids, strings or serial number.
    const std::optional<SerialDevice> device = findSerialDevice(listDevices_(), reopenPath_);
    return device && device->identity() == *identity_;
}

void ConnectionSupervisor::reopenDevice() {
    if (!sameDeviceIsBack()) return;
    if (!link_.open(reopenPath_)) {
        // Busy (another program holds it) or refused: said once, then tried again each second.
        const int error = link_.lastOpenError();
        if (error != lastReopenError_) {
            lastReopenError_ = error;
            emit statusChanged(
                tr("Corvane cannot reopen %1: %2")
                    .arg(QString::fromStdString(reopenPath_), QString::fromLocal8Bit(std::strerror(error))),
                StatusLamp::NotReady);
        }
        setTimerPeriod(kRetryPeriodMs);
        return;
    }
    deviceAway_ = false;
    lastReopenError_ = 0;
    learnIdentity();
    link_.startWorker();
    setTimerPeriod(kNormalPeriodMs);
    show(kStatusOpen, StatusLamp::Ready);
}

}  // namespace corvane
