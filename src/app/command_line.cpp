#include "app/command_line.h"

namespace corvane {

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine c;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        auto value = [&](QString& out) {
            const int eq = a.indexOf('=');
            if (eq > 0) {
                out = a.mid(eq + 1);
            } else if (i + 1 < arguments.size()) {
                out = arguments[++i];
            } else {
                c.error = QStringLiteral("%1 needs a value").arg(a);
                return;
            }
            if (out.isEmpty()) c.error = QStringLiteral("%1 needs a value").arg(a.left(eq > 0 ? eq : a.size()));
        };
        if (a == "--port" || a.startsWith("--port=")) value(c.portPath);
        else if (a == "--trace" || a.startsWith("--trace=")) value(c.traceFile);
        else if (a == "--demo") c.demo = true;
        else if (a == "--help" || a == "-h") c.help = true;
        else if (a == "--version" || a == "-v") c.version = true;
        else c.error = QStringLiteral("unknown option: %1").arg(a);
        if (!c.error.isEmpty()) return c;
    }
    if (c.demo && !c.portPath.isEmpty()) c.error = QStringLiteral("--demo and --port cannot be used together");
    return c;
}

QString commandLineHelp() {
    return QStringLiteral(
        "Usage: corvane [options]\n"
        "The PC companion of the Corvane diagnostic unit.\n\n"
        "  --port PATH    open this serial device instead of the configured port\n"
        "                 (for example /dev/ttyUSB0, /dev/ttyACM0 or a pseudo-terminal)\n"
        "  --trace FILE   start with the verbose link trace written to FILE\n"
        "  --demo         start a simulated unit on a pseudo-terminal and connect to it\n"
        "  --help         show this text\n"
        "  --version      show the version\n\n"
        "The configured port is kept in $XDG_CONFIG_HOME/corvane.cfg (default ~/.config/corvane.cfg).\n");
}

QString programVersion() { return QStringLiteral("corvane R2.05a"); }

}  // namespace corvane
