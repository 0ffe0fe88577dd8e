#pragma once
// What the program start hands to the main window: the command line's choices and, for tests,
// the places and services the window would otherwise take from the running system.
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "shell/device_event_source.h"
#include "shell/system_paths.h"

namespace corvane {

class ShellPrompts;

struct MainWindowOptions {
    // --port: open this device instead of the configured port, as a numbered port is opened.
    std::string portPath;
    // --trace: start with the verbose trace written to this file.
    std::string traceFile;
    // -qwindowgeometry (or -geometry): "WxH+X+Y" or part of it, for a normal window this run.
    std::string windowGeometry;
    // Per-byte read time-out of the link; the unit's line uses 500 ms.
    std::chrono::milliseconds byteTimeout{500};
    // Where USB detection looks (sysfs, /dev, kernel modules, udev rules).
    SystemPaths systemPaths;
    // The configuration file; empty for $XDG_CONFIG_HOME/corvane.cfg.
    std::filesystem::path configPath;
    // Message boxes and the trace file dialog; null for the program's modal ones.
    ShellPrompts* prompts = nullptr;
    // USB arrival and removal; null for the udev monitor.
    std::function<std::unique_ptr<DeviceEventSource>()> makeEventSource;
};

}  // namespace corvane
