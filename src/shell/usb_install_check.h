#pragma once
// Whether this computer is ready for a unit on USB. The driver is the kernel's CDC-ACM serial
// driver; the unit's udev rule only decides who may open its port, so a missing rule is no
// missing driver (it is named when an open is refused).
#include <string>

#include "shell/port_config.h"
#include "shell/system_paths.h"

namespace corvane {

struct UsbInstallation {
    bool driverAvailable = false;
    bool ruleInstalled = false;
    bool portPresent = false;

    // The USB mode can run: the driver is there (loaded, built in or loadable).
    bool driverInstalled() const { return driverAvailable; }
    // A unit with USB is set up here (its rule is installed or its port is present) and its
    // driver is there: the start offers the USB mode to a computer set for a numbered port.
    bool installed() const { return driverAvailable && (ruleInstalled || portPresent); }
};

// cdc_acm loaded (sysfs module folder), built into the kernel, or on disk as a module.
bool cdcAcmDriverAvailable(const SystemPaths& paths);
// The unit's udev rule in one of the rule folders.
bool unitRuleInstalled(const SystemPaths& paths);

UsbInstallation checkUsbInstallation(const SystemPaths& paths);

// One line for the box that says the driver is missing: what this computer lacks and how to
// get it.
std::string usbDriverMissingHint(const SystemPaths& paths);

// At start: a computer configured for a numbered port where the unit is plugged in on USB (its
// port is present and its driver there) gets the offer to switch to the USB mode, unless the
// user declined it before. An installed package alone (the rule, the driver every kernel has)
// is no unit.
bool shouldOfferUsbMode(const PortConfig& config, const UsbInstallation& installation);

}  // namespace corvane
