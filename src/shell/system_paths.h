#pragma once
// The places of the running system that USB detection reads. Tests point them at a fake tree.
#include <filesystem>
#include <string>
#include <vector>

namespace corvane {

struct SystemPaths {
    std::filesystem::path sysfsRoot = "/sys";
    std::filesystem::path devRoot = "/dev";
    std::filesystem::path modulesRoot = "/lib/modules";
    std::string kernelRelease;  // empty: the running kernel's release (uname -r)
    std::vector<std::filesystem::path> udevRuleDirs = {"/etc/udev/rules.d", "/run/udev/rules.d",
                                                       "/usr/lib/udev/rules.d", "/lib/udev/rules.d"};

    // <modulesRoot>/<release>
    std::filesystem::path kernelModulesDir() const;
};

std::string runningKernelRelease();

}  // namespace corvane
