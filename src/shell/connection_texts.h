#pragma once
// The texts the program shows about the connection to the unit.

#include <QCoreApplication>

#include <string>

#include "platform/cp1252.h"

namespace corvane {

// Status line; ConnectionSupervisor shows them in the user's language.
inline constexpr const char* kStatusNotConnected =
    QT_TRANSLATE_NOOP("corvane::ConnectionSupervisor", "Corvane not connected...");
inline constexpr const char* kStatusConnected =
    QT_TRANSLATE_NOOP("corvane::ConnectionSupervisor", "Corvane connected...");
inline constexpr const char* kStatusCommunicationError =
    QT_TRANSLATE_NOOP("corvane::ConnectionSupervisor", "Corvane communication error...");
inline constexpr const char* kStatusOpenAtStart =
    QT_TRANSLATE_NOOP("corvane::ConnectionSupervisor", "Corvane open...push a Corvane key");
inline constexpr const char* kStatusStandbyAtStart =
    QT_TRANSLATE_NOOP("corvane::ConnectionSupervisor", "Corvane maybe standby, please push a key to turn it on...");
inline constexpr const char* kStatusUnplugged =
    QT_TRANSLATE_NOOP("corvane::ConnectionSupervisor", "Corvane unplugged...");
inline constexpr const char* kStatusOpen = QT_TRANSLATE_NOOP("corvane::ConnectionSupervisor", "Corvane open...");
inline constexpr const char* kStatusStandby =
    QT_TRANSLATE_NOOP("corvane::ConnectionSupervisor", "Corvane maybe standby, please push a key...");
inline constexpr const char* kStatusNoLongerFound =
    QT_TRANSLATE_NOOP("corvane::ConnectionSupervisor", "The Corvane is unplugged");

// Shown over the status line while a connected unit sends nothing, until it speaks again.
inline std::string silentUnitText(int seconds) {
    return encodeCp1252(QCoreApplication::translate("corvane::ConnectionSupervisor",
                                                    "Corvane has not answered for %n seconds...", nullptr, seconds));
}

// Message boxes of the USB mode at start.
inline constexpr const char* kUsbDriverMissing =
    QT_TRANSLATE_NOOP("corvane::CCorvaneNewDlg",
                      "The application is setted as USB device, but the driver is not installed on the computer");
inline constexpr const char* kUsbModeOffer =
    QT_TRANSLATE_NOOP("corvane::CCorvaneNewDlg",
                      "The application has detected that a CORVANE with USB is installed on this computer\r\n"
                      " If you set the COM port value to USB, by the COM Setting box, the application will manage your "
                      "units in a better way\r\n\r\nDo you want that the application set it for you now?");

}  // namespace corvane
