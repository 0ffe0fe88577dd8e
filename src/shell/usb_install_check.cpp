#include "shell/usb_install_check.h"

#include <fstream>
#include <string>

#include "shell/unit_identity.h"
#include "shell/usb_port_search.h"

#include <QCoreApplication>
#include <QString>

namespace corvane {

namespace fs = std::filesystem;

namespace {

// Module files are named cdc-acm.ko, maybe compressed (.ko.xz, .ko.zst, .ko.gz).
bool isCdcAcmModuleFile(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name.rfind("cdc-acm.ko", 0) == 0 || name.rfind("cdc_acm.ko", 0) == 0;
}

// modules.builtin lists one path per line; modules.dep starts each line with "path:".
bool listNamesCdcAcm(const fs::path& list) {
    std::ifstream in(list);
    std::string line;
    while (std::getline(in, line)) {
        std::size_t colon = line.find(':');
        if (isCdcAcmModuleFile(colon == std::string::npos ? line : line.substr(0, colon))) return true;
    }
    return false;
}

}  // namespace

bool cdcAcmDriverAvailable(const SystemPaths& paths) {
    std::error_code ec;
    if (fs::is_directory(paths.sysfsRoot / "module" / "cdc_acm", ec)) return true;
    const fs::path modules = paths.kernelModulesDir();
    if (listNamesCdcAcm(modules / "modules.builtin")) return true;
    if (listNamesCdcAcm(modules / "modules.dep")) return true;
    // Without the index files (a hand-built kernel tree), look where the module lives.
    for (const char* suffix : {"", ".xz", ".zst", ".gz"}) {
        if (fs::exists(modules / "kernel/drivers/usb/class" / (std::string("cdc-acm.ko") + suffix), ec)) return true;
    }
    return false;
}

bool unitRuleInstalled(const SystemPaths& paths) {
    // udev takes a rule name from the first folder that has it, and an empty file or a link to
    // /dev/null there masks the rule of the later folders.
    std::error_code ec;
    for (const fs::path& dir : paths.udevRuleDirs) {
        const fs::path rule = dir / kUnitRuleFileName;
        if (!fs::exists(fs::symlink_status(rule, ec))) continue;
        return fs::is_regular_file(rule, ec) && fs::file_size(rule, ec) > 0 && !ec;
    }
    return false;
}

UsbInstallation checkUsbInstallation(const SystemPaths& paths) {
    UsbInstallation result;
    result.driverAvailable = cdcAcmDriverAvailable(paths);
    result.ruleInstalled = unitRuleInstalled(paths);
    result.portPresent = findUnitPort(paths).has_value();
    return result;
}

std::string usbDriverMissingHint(const SystemPaths& paths) {
    const std::string release = paths.kernelRelease.empty() ? runningKernelRelease() : paths.kernelRelease;
    return QCoreApplication::translate("corvane::UsbInstallation",
                                       "Missing on this computer: the kernel's USB serial driver cdc_acm (not loaded, "
                                       "not built into kernel %1, no module in %2). Install the modules of this kernel "
                                       "or a kernel built with CONFIG_USB_ACM, then start again.")
        .arg(QString::fromStdString(release), QString::fromStdString(paths.kernelModulesDir().string()))
        .toStdString();
}

bool shouldOfferUsbMode(const PortConfig& config, const UsbInstallation& installation) {
    return installation.driverInstalled() && installation.portPresent && !config.usbMode() && !config.usbOfferDeclined;
}

}  // namespace corvane
