#pragma once
// What a long read of a recording shows while it runs, as progress functions for the reader:
// a window with a bar and Cancel, which keeps the program's windows (and the unit's replies)
// going while a large recording is read, or a line on the terminal.
#include <QString>

#include "readings/readings_csv.h"

class QWidget;

namespace corvane {

// A window over `parent` (none: centred on the screen) for reading `file`, opened only when the
// read looks like lasting longer than half a second; the function returns false once Cancel is
// pressed. The window goes with the last copy of the function.
RecordingReader::Progress progressWindow(QWidget* parent, const QString& file);

// "corvane: reading FILE: N%" on standard error while it is a terminal, updated in place and
// erased at the end; nothing for a file small enough to be read at once.
RecordingReader::Progress progressLine(const QString& file);

}  // namespace corvane
