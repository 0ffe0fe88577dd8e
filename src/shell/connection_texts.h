#pragma once
// The texts the program shows about the connection to the unit.

#include <string>

namespace corvane {

// Status line.
inline constexpr const char* kStatusNotConnected = "Corvane not connected...";
inline constexpr const char* kStatusConnected = "Corvane connected...";
inline constexpr const char* kStatusCommunicationError = "Corvane communication error...";
inline constexpr const char* kStatusOpenAtStart = "Corvane open...push a Corvane key";
inline constexpr const char* kStatusStandbyAtStart = "Corvane maybe standby, please push a key to turn it on...";
inline constexpr const char* kStatusUnplugged = "Corvane unplugged...";
inline constexpr const char* kStatusOpen = "Corvane open...";
inline constexpr const char* kStatusStandby = "Corvane maybe standby, please push a key...";
inline constexpr const char* kStatusNoLongerFound = "The Corvane is unplugged";

// Shown over the status line while a connected unit sends nothing, until it speaks again.
inline std::string silentUnitText(int seconds) {
    return "Corvane has not answered for " + std::to_string(seconds) + " seconds...";
}

// Message boxes of the USB mode at start.
inline constexpr const char* kUsbDriverMissing =
    "The application is setted as USB device, but the driver is not installed on the computer";
inline constexpr const char* kUsbModeOffer =
    "The application has detected that a CORVANE with USB is installed on this computer\r\n"
    " If you set the COM port value to USB, by the COM Setting box, the application will manage your "
    "units in a better way\r\n\r\nDo you want that the application set it for you now?";

}  // namespace corvane
