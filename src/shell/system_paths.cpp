#include "shell/system_paths.h"

#include <sys/utsname.h>

namespace corvane {

std::string runningKernelRelease() {
    utsname names{};
    if (::uname(&names) != 0) return {};
    return names.release;
}

std::filesystem::path SystemPaths::kernelModulesDir() const {
    return modulesRoot / (kernelRelease.empty() ? runningKernelRelease() : kernelRelease);
}

}  // namespace corvane
