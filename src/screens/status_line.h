#pragma once
// The main window's status line as the screen handlers use it.
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

inline constexpr const char* kStatusReady = "Corvane ready...";
inline constexpr const char* kStatusBusy = "Function in progress, please wait...";
inline constexpr const char* kStatusKeyPadWait = "Corvane waits for the key pad...";
inline constexpr const char* kStatusChoiceNotDelivered = "Corvane gone: the choice was not delivered";

}  // namespace corvane
