#pragma once
// Starting the window system without Qt's abort. When no platform plugin can be started (no
// display, an unreachable one, a compositor that is gone), Qt ends the program with abort() and
// advice to reinstall it. While a WindowSystemStart lives, that end is turned into one line on
// standard error saying what to do, and exit status kNoDisplayExit; Qt's other messages of the
// start are held back and passed on once the start has worked.
#include <QString>
#include <QStringList>

namespace corvane {

inline constexpr int kNoDisplayExit = 3;

class WindowSystemStart {
public:
    // `arguments` are the program's, to name a window system chosen with -platform.
    explicit WindowSystemStart(const QStringList& arguments);
    ~WindowSystemStart();  // passes the held messages on and restores Qt's handler
    WindowSystemStart(const WindowSystemStart&) = delete;
    WindowSystemStart& operator=(const WindowSystemStart&) = delete;
};

// The line printed when no window can be opened, for the given -platform choice (empty when
// none), QT_QPA_PLATFORM, DISPLAY and WAYLAND_DISPLAY.
QString noDisplayMessage(const QString& platformOption, const QString& platformVariable, const QString& display,
                         const QString& waylandDisplay);

}  // namespace corvane
