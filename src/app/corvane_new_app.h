#pragma once
// CCorvaneNewApp: the program. It reads the command line, then runs the main window modally;
// when the window ends, the program ends.
#include <QApplication>

#include "app/command_line.h"

namespace corvane {

class CCorvaneNewApp : public QApplication {
    Q_OBJECT
public:
    CCorvaneNewApp(int& argc, char** argv);

    // Runs the main window for the given command line; returns the program's exit status.
    int InitInstance(const CommandLine& commandLine);
};

// The whole program: command line, then the window. Exit status 0; 1 when the demo unit cannot
// start or a recording given with --plot is refused; 2 for a bad command line; 3 when no window
// system can be reached.
int runCorvane(int argc, char** argv);

}  // namespace corvane
