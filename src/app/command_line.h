#pragma once
// The program's command line:
// corvane [--port PATH] [--trace FILE] [--demo] [--plot FILE.csv [SECOND.csv]] [--list-ports] [--help] [--version]
#include <QString>
#include <QStringList>

namespace corvane {

struct CommandLine {
    QString portPath;         // --port: open this device instead of the configured port
    QString traceFile;        // --trace: start with the verbose trace written here
    bool demo = false;        // --demo: start the simulated unit on a pseudo-terminal and connect to it
    QString plotFile;         // --plot: show this recording of readings, without a unit
    QString plotCompareFile;  // and this one drawn over it (a second name after --plot's)
    QString windowGeometry;   // -qwindowgeometry or -geometry: where the main window stands this run
    bool listPorts = false;   // --list-ports: print the serial devices present and end
    bool help = false;
    bool version = false;
    QString error;  // not empty when the arguments could not be understood
};

// Parses the arguments (the first one is the program name).
CommandLine parseCommandLine(const QStringList& arguments);
QString commandLineHelp();
// The line that follows a mistake on the command line.
QString commandLineHint();
// The release number, and the about box's release text, each on its own labelled line.
QString programVersion();

}  // namespace corvane
