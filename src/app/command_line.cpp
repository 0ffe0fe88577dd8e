#include "app/command_line.h"

#include <QCoreApplication>

#include "screens/corvane_new_dlg.h"
#include "screens/main_frame_geometry.h"
#include "version/corvane_version.h"

namespace corvane {

namespace {

// Qt's standard options, which the application object takes out of the arguments and applies
// (the window system, its display, the style, ...). Qt accepts them with one dash or two.
const QStringList kQtOptionsWithValue = {
    QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
    QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowicon"),
    QStringLiteral("qwindowtitle"),    QStringLiteral("session"),
    QStringLiteral("display"),         QStringLiteral("geometry"),
    QStringLiteral("style"),           QStringLiteral("stylesheet"),
    QStringLiteral("qmljsdebugger"),
};
// Of these, Qt also reads "-style=NAME", "-stylesheet=FILE" and "-qmljsdebugger=...".
const QStringList kQtOptionsWithJoinedValue = {QStringLiteral("style"), QStringLiteral("stylesheet"),
                                               QStringLiteral("qmljsdebugger")};
const QStringList kQtFlags = {QStringLiteral("reverse"), QStringLiteral("widgetcount")};

enum class QtOption { None, Flag, Joined, TakesValue };

bool isGeometryOption(const QString& argument) {
    const QString name = argument.mid(argument.startsWith(QStringLiteral("--")) ? 2 : 1);
    return name == QLatin1String("qwindowgeometry") || name == QLatin1String("geometry");
}

QtOption qtOption(const QString& argument) {
    if (!argument.startsWith('-')) return QtOption::None;
    const QString name = argument.mid(argument.startsWith(QStringLiteral("--")) ? 2 : 1);
    if (kQtFlags.contains(name)) return QtOption::Flag;
    if (kQtOptionsWithValue.contains(name)) return QtOption::TakesValue;
    const int eq = name.indexOf('=');
    if (eq > 0 && kQtOptionsWithJoinedValue.contains(name.left(eq))) return QtOption::Joined;
    return QtOption::None;
}

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine c;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        switch (qtOption(a)) {
            case QtOption::Flag:
            case QtOption::Joined: continue;
            case QtOption::TakesValue:
                // Left for the application object, which reads the value that follows.
                if (i + 1 >= arguments.size()) {
                    c.error = QCoreApplication::translate("corvane::CommandLine", "%1 needs a value").arg(a);
                    return c;
                }
                ++i;
                // The window's geometry is the main window's to apply: it places itself.
                if (isGeometryOption(a)) {
                    c.windowGeometry = arguments[i];
                    if (!geometryFromText(c.windowGeometry, QRect(0, 0, 1, 1), QRect(0, 0, 1, 1))) {
                        c.error = QCoreApplication::translate("corvane::CommandLine",
                                                              "%1 takes a geometry such as 800x600+20+40, not '%2'")
                                      .arg(a, c.windowGeometry);
                        return c;
                    }
                }
                continue;
            case QtOption::None: break;
        }
        auto value = [&](QString& out) {
            const int eq = a.indexOf('=');
            if (eq > 0) {
                out = a.mid(eq + 1);
            } else if (i + 1 < arguments.size()) {
                out = arguments[++i];
            } else {
                c.error = QCoreApplication::translate("corvane::CommandLine", "%1 needs a value").arg(a);
                return;
            }
            if (out.isEmpty())
                c.error = QCoreApplication::translate("corvane::CommandLine", "%1 needs a value")
                              .arg(a.left(eq > 0 ? eq : a.size()));
        };
        if (a == "--port" || a.startsWith("--port="))
            value(c.portPath);
        else if (a == "--trace" || a.startsWith("--trace="))
            value(c.traceFile);
        else if (a == "--plot" || a.startsWith("--plot=")) {
            value(c.plotFile);
            if (i + 1 < arguments.size() && !arguments[i + 1].startsWith('-')) c.plotCompareFile = arguments[++i];
        } else if (a == "--demo")
            c.demo = true;
        else if (a == "--list-ports")
            c.listPorts = true;
        else if (a == "--help" || a == "-h")
            c.help = true;
        else if (a == "--version" || a == "-v")
            c.version = true;
        else
            c.error = QCoreApplication::translate("corvane::CommandLine", "unknown option: %1").arg(a);
        if (!c.error.isEmpty()) return c;
    }
    if (c.demo && !c.portPath.isEmpty())
        c.error = QCoreApplication::translate("corvane::CommandLine", "--demo and --port cannot be used together");
    if (!c.plotFile.isEmpty() && (c.demo || !c.portPath.isEmpty() || !c.traceFile.isEmpty()))
        c.error = QCoreApplication::translate(
            "corvane::CommandLine", "--plot shows a recording without a unit: no --demo, --port or --trace with it");
    return c;
}

QString commandLineHelp() {
    return QCoreApplication::translate(
        "corvane::CommandLine",
        "Usage: corvane [options]\n"
        "The PC companion of the Corvane diagnostic unit.\n\n"
        "  --port PATH    open this serial device instead of the configured port\n"
        "                 (for example /dev/ttyUSB0, /dev/ttyACM0, a /dev/serial/by-id/ link\n"
        "                 or a pseudo-terminal)\n"
        "  --trace FILE   start with the verbose link trace written to FILE\n"
        "  --demo         start a simulated unit on a pseudo-terminal and connect to it\n"
        "  --plot FILE [SECOND]\n"
        "                 show a recording of readings (a CSV file this program wrote) in the\n"
        "                 graph window, without a unit; a SECOND recording is drawn over it\n"
        "  --list-ports   list the numbered ports that have a serial chip, then the serial\n"
        "                 devices present (name, node, stable path, whether they may be\n"
        "                 opened), and exit\n"
        "  --help, -h     show this text\n"
        "  --version, -v  show the version\n\n"
        "Qt's standard options are taken as well, for example -platform NAME (xcb, wayland,\n"
        "offscreen), -display HOST:SCREEN, -style NAME and -reverse. -qwindowgeometry WxH+X+Y\n"
        "places the window for this run; otherwise it comes back as it was when the program ended.\n\n"
        "The port, the window's place and the language are kept in $XDG_CONFIG_HOME/corvane.cfg\n"
        "(default ~/.config/corvane.cfg); the file dialogs' history in $XDG_CONFIG_HOME/QtProject.conf.\n");
}

QString commandLineHint() {
    return QCoreApplication::translate("corvane::CommandLine", "Try 'corvane --help' for more information.");
}

QString programVersion() {
    // The release number is the package's; the about box keeps the unit family's release text.
    return QCoreApplication::translate("corvane::CommandLine", "corvane %1\nabout box release text: %2")
        .arg(QString::fromLatin1(kCorvaneVersion), QString::fromStdString(CCorvaneNewDlg::aboutRelease()));
}

}  // namespace corvane
