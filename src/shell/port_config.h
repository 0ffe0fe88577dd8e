#pragma once
// The port configuration file: which serial port the unit is on (or the USB mode) and how the
// main window was placed. Seven bytes "COMpp,w" without a line end.
#include <filesystem>
#include <string>
#include <string_view>

namespace corvane {

// How the main window is placed. The size-cycle command steps 0 -> 1 -> 2 -> 0.
enum class WindowState : int { Maximised = 0, WorkArea = 1, Normal = 2 };

WindowState nextWindowState(WindowState state);

struct PortConfig {
    static constexpr int kUsbMode = 0;
    static constexpr int kDefaultPort = 1;
    static constexpr int kMaxComPort = 50;  // the COM setting dialog offers 01..50

    int port = kDefaultPort;  // 1..50 a numbered COM port, 0 the USB mode
    WindowState windowState = WindowState::Maximised;

    bool usbMode() const { return port == kUsbMode; }
};

enum class ConfigReadStatus {
    Read,     // the file was there and has been applied
    Missing,  // no file: port 1, the window state left as it was
    Failed,   // the file exists but could not be read: treated like a missing file
};

struct ConfigReadResult {
    ConfigReadStatus status = ConfigReadStatus::Missing;
    std::string error;  // for Failed: what went wrong, ready to show
};

struct ConfigWriteResult {
    bool ok = false;
    std::string error;  // when !ok: what went wrong, ready to show
    explicit operator bool() const { return ok; }
};

class PortConfigFile {
public:
    // $XDG_CONFIG_HOME/corvane.cfg, or ~/.config/corvane.cfg when that is unset or relative.
    static std::filesystem::path defaultPath();

    explicit PortConfigFile(std::filesystem::path path = defaultPath());

    const std::filesystem::path& path() const { return path_; }
    bool exists() const;

    // Applies the file to `config`. A missing or unreadable file sets port 1 and keeps the
    // window state.
    ConfigReadResult read(PortConfig& config) const;

    // Replaces the whole file with the formatted config. The new content goes to a temporary
    // file in the same folder that is renamed over the old one, so a failed write leaves the
    // old file as it was. Creates the folder when it is missing.
    ConfigWriteResult write(const PortConfig& config) const;

    // "COM%02d,%d"; the port must be 0..99 and the state one digit.
    static std::string format(const PortConfig& config);
    // Applies file content: digits at offsets 3-4 give the port (a non-digit ends the number),
    // a byte at offset 6 gives the window state (anything but 0, 1 or 2 gives 0).
    static void parse(std::string_view content, PortConfig& config);

private:
    std::filesystem::path path_;
};

}  // namespace corvane
