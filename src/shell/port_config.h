#pragma once
// The port configuration file: which serial port the unit is on (or the USB mode) and how the
// main window was placed. Seven bytes "COMpp,w" without a line end; "COMpp" alone, "COMpp," and a
// line end after the setting are read too. A device chosen by name, the reconnect choice, the
// window's normal place, a declined USB offer and the chosen language follow on lines of their own
// ("\ndevice=PATH", "\nreconnect=1", "\nplace=X,Y,W,H", "\nusb-offer=declined", "\nlanguage=de"), after the
// seven bytes, so a reader that takes only the first seven still finds a port number and the
// window state.
#include <optional>
#include <filesystem>
#include <string>
#include <string_view>

namespace corvane {

// How the main window is placed. The size-cycle command steps 0 -> 1 -> 2 -> 0.
enum class WindowState : int { Maximised = 0, WorkArea = 1, Normal = 2 };

WindowState nextWindowState(WindowState state);

// Where the main window stands in the normal placement, in screen pixels.
struct WindowPlace {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const WindowPlace&) const = default;
};

struct PortConfig {
    PortConfig() = default;
    PortConfig(int portNumber, WindowState state) : port(portNumber), windowState(state) {}

    static constexpr int kUsbMode = 0;
    static constexpr int kDefaultPort = 1;
    static constexpr int kMaxComPort = 50;  // the COM setting dialog offers 01..50

    int port = kDefaultPort;  // 1..50 a numbered COM port, 0 the USB mode
    WindowState windowState = WindowState::Maximised;
    // A serial device chosen by name, by its stable path; when set it is opened instead of the
    // port number, which then only serves readers that know nothing of this line.
    std::string device;
    // Reopen a numbered port that goes away and returns (a device chosen by name always is).
    bool reconnect = false;
    // The window's normal place when the program last ended; none: the program's default.
    std::optional<WindowPlace> normalPlace;
    // The start's offer of the USB mode was answered No: it is not made again.
    bool usbOfferDeclined = false;
    // The language of the program's own texts ("en", "de"); empty: the one of the locale.
    std::string language;

    bool usbMode() const { return device.empty() && port == kUsbMode; }
    bool operator==(const PortConfig&) const = default;
};

enum class ConfigReadStatus {
    Read,     // the file was there and has been applied
    Missing,  // no file: port 1, the window state left as it was
    Invalid,  // the file holds no port setting: treated like a missing file
    Failed,   // the file exists but could not be read (no permission, a folder): treated like a missing file
};

struct ConfigReadResult {
    ConfigReadStatus status = ConfigReadStatus::Missing;
    std::string error;  // for Invalid and Failed: the file, what is wrong and what is used instead

    // The file is there but gave nothing: it must not be replaced unless the user chooses a port.
    bool unusable() const { return status == ConfigReadStatus::Invalid || status == ConfigReadStatus::Failed; }
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

    // Applies the file to `config`. A missing, unreadable or damaged file sets port 1 and keeps
    // the window state; the result says which and, for the last two, why.
    ConfigReadResult read(PortConfig& config) const;

    // Replaces the whole file with the formatted config. The new content goes to a temporary
    // file in the same folder that is renamed over the old one, so a failed write leaves the
    // old file as it was. Creates the folder when it is missing.
    ConfigWriteResult write(const PortConfig& config) const;

    // "COM%02d,%d", then "\ndevice=PATH", "\nreconnect=1", "\nplace=X,Y,W,H" and
    // "\nusb-offer=declined" and "\nlanguage=CODE" when set; the port must be 0..99, the state one digit, and the path
    // one line.
    static std::string format(const PortConfig& config);
    // Applies file content "COMpp", "COMpp," or "COMpp,w", each maybe followed by one line end:
    // pp gives the port, w the window state (a digit other than 0, 1 or 2 gives 0). Further
    // lines are "key=value" settings: device, reconnect, place, usb-offer and language are read (a place
    // that is no four numbers is skipped), other keys skipped.
    // Anything else is no port setting: false, and `config` is left alone.
    static bool parse(std::string_view content, PortConfig& config);
    // The content as it can be shown in a message: printable ASCII as it is, other bytes as
    // \xNN, cut after a few dozen bytes.
    static std::string quoteContent(std::string_view content);

private:
    std::filesystem::path path_;
};

}  // namespace corvane
