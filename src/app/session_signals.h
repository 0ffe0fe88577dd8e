#pragma once
// The signals that may end the program, and those that must not. SIGTERM, SIGHUP and SIGINT (a
// logout, a service manager, kill, Ctrl+C) end it as the close button does: the main window's
// loop ends normally, so the link is stopped, the port closed, the trace flushed and closed and
// a recording ended on a whole row. SIGPIPE and SIGXFSZ are ignored: a write to a pipe whose
// reader has gone, or past a file-size limit, then fails with EPIPE or EFBIG and the writer
// ends its file with a message, where the signal would have killed the program mid-row.
#include <functional>

class QObject;

namespace corvane {

class SessionSignals {
public:
    // Call first thing in main(), before any thread or window exists: SIGPIPE and SIGXFSZ.
    static void install();
    // Once the application object exists, before its windows: from now on `end` runs on the
    // user-interface thread for an ending signal, as long as `context` lives (before, the
    // signals end the program their own way). A second ending signal ends the program at
    // once, as the signal would have without this.
    static void onEnd(QObject* context, std::function<void()> end);
};

}  // namespace corvane
