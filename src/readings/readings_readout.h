#pragma once
// What the graph's cursors measure, as text: the time under the value cursor and at cursors A
// and B, the time between A and B, and for each drawn reading its value at the value cursor, at
// A and at B, the change from A to B, and its least, greatest and mean value between them.
#include <QString>

#include <cstddef>
#include <vector>

#include "readings/readings_history.h"

namespace corvane {

// A line on the graph: one column of a history, drawn `offset` milliseconds later than its own
// times (a compared recording moved to line up with the first).
struct MeasuredLine {
    const ReadingsHistory* history = nullptr;
    std::size_t column = 0;
    double offset = 0;
    QString name;
};

struct ReadoutRow {
    QString name, atCursor, atA, atB, change, least, greatest, mean;
};

struct Readout {
    QString cursorTime, aTime, bTime, between;  // empty where the cursor is not placed
    QString shown;                              // the stretch of time the graph shows
    std::vector<ReadoutRow> rows;
    // The line above the table: "Cursor 14:03:07.250   A ...   B ...   B - A 4.500 s".
    QString summary() const;
    // The whole readout as tab-separated lines with a heading row, for the clipboard: the stretch
    // shown, the summary, then the table.
    QString text() const;
};

// `cursor`, `a` and `b` are times in milliseconds since the epoch; NaN where not placed.
Readout measure(const std::vector<MeasuredLine>& lines, double cursor, double a, double b);

// A value as shown in the readout (up to 9 significant digits).
QString readingText(double value);
// 14:03:07.250, with the date in front when `withDate`.
QString momentText(double ms, bool withDate = false);
// 4.500 s, 2 min 3.250 s, 1 h 2 min 3 s, 2 d 1 h 0 min.
QString durationText(double ms);

}  // namespace corvane
