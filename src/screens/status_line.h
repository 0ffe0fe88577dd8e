#pragma once
// The main window's status line as the screen handlers use it.
#include <QtGlobal>

#include <string>

namespace corvane {

class StatusLine {
public:
    virtual ~StatusLine() = default;
    // Raw single-byte text; redrawn at once.
    virtual void setStatusText(const std::string& bytes) = 0;
    virtual void showReadyLamp() = 0;
    virtual void showBusyLamp() = 0;
    virtual void startBusyBar() = 0;
    virtual void stopBusyBar() = 0;
};

// The handlers' fixed texts; the status line shows them in the user's language.
inline constexpr const char* kStatusReady = QT_TRANSLATE_NOOP("corvane::StatusLine", "Corvane ready...");
inline constexpr const char* kStatusBusy =
    QT_TRANSLATE_NOOP("corvane::StatusLine", "Function in progress, please wait...");
inline constexpr const char* kStatusKeyPadWait =
    QT_TRANSLATE_NOOP("corvane::StatusLine", "Corvane waits for the key pad...");
inline constexpr const char* kStatusChoiceNotDelivered =
    QT_TRANSLATE_NOOP("corvane::StatusLine", "Corvane gone: the choice was not delivered");

}  // namespace corvane
