#pragma once
// "Save held readings": what the graph holds written as a recording, for when Record was not
// pressed. Only the rows kept as they came (the newest part of a long history) can be written as
// rows; the file's first line and the save dialog say which stretch of time that is. The file
// is a recording like any other (a line starting with '#' before the header is a note) and
// opens with --plot.
#include <QString>

#include <cstddef>

#include "readings/readings_history.h"

namespace corvane {

struct HeldSpan {
    std::size_t rows = 0;
    double from = 0;  // ms since the epoch
    double to = 0;
    bool everything = false;  // every row since the history began is held
    // "1500 rows from 2026-12-09 14:03:07.250 to 14:03:37.230 (29.980 s)", with ", everything
    // since the graph began" or ", the readings before it only as summaries, not written".
    QString text;
};

HeldSpan heldSpan(const ReadingsHistory& history);
// "Live data held 14-03-07 to 14-25-00.csv"
QString heldFileName(const QString& pageTitle, const ReadingsHistory& history);
// Writes the file whole or not at all (a failed write leaves any file there as it was); false
// with "Cannot write FILE: reason" in `error`.
bool writeHeldReadings(const ReadingsHistory& history, const QString& pageTitle, const QString& path, QString& error);

}  // namespace corvane
