#pragma once
// Whether this computer is ready for a unit on USB: the CDC-ACM serial driver is available,
// and the unit is known here (its udev rule is installed, or one of its ports is present).
#include "shell/port_config.h"
#include "shell/system_paths.h"

namespace corvane {

struct UsbInstallation {
    bool driverAvailable = false;
    bool ruleInstalled = false;
    bool portPresent = false;

    bool installed() const { return driverAvailable && (ruleInstalled || portPresent); }
};

// cdc_acm loaded (sysfs module folder), built into the kernel, or on disk as a module.
bool cdcAcmDriverAvailable(const SystemPaths& paths);
// The unit's udev rule in one of the rule folders.
bool unitRuleInstalled(const SystemPaths& paths);

UsbInstallation checkUsbInstallation(const SystemPaths& paths);

// At start: a computer that is ready for the unit on USB but is configured for a numbered
// port gets the offer to switch to the USB mode.
bool shouldOfferUsbMode(const PortConfig& config, const UsbInstallation& installation);

}  // namespace corvane
