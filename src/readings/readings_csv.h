#pragma once
// The recording file: comma-separated values (RFC 4180: fields with a comma, a quote or a line
// break are quoted, quotes doubled; lines end with CR LF), UTF-8. A header row "time" followed
// by one "Caption [unit]" column per caption/value box, then one row per values notification:
// the local wall-clock time in ISO 8601 with milliseconds and the UTC offset, and each box's
// value as it was shown.
#include <QDateTime>
#include <QString>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "readings/readings_history.h"

namespace corvane {

// One field, quoted when it must be.
std::string csvField(std::string_view utf8);
// 2026-12-09T14:03:07.250+01:00
std::string recordingTime(const QDateTime& time);
std::string csvHeader(const std::vector<ReadingColumn>& columns);
// `values` are the boxes' raw Windows-1252 texts.
std::string csvRow(const QDateTime& time, const std::vector<std::string>& values);
// The column of a header field: "Caption [unit]" or a caption alone.
ReadingColumn columnOfTitle(const QString& title);

// Reads a recording: only a regular file of at most kMaxBytes, with at most kMaxReadings
// columns whose captions are at most kMaxCaptionBytes long, each row at most kMaxRowBytes. Lines
// starting with '#' before the header are notes. `columns` is called once with the header's
// columns, then `row` for every row with its time (milliseconds since the epoch) and the values
// as UTF-8 text. A last row without its line end (a recording cut short by a crash or a pulled
// cable) is left out with a note; the rows before it count.
struct RecordingReader {
    static constexpr std::size_t kMaxFaults = 10;
    static constexpr qint64 kMaxBytes = qint64{1} << 30;
    static constexpr std::size_t kMaxReadings = 200;
    static constexpr std::size_t kMaxCaptionBytes = 4096;  // about a page of text
    static constexpr std::size_t kMaxRowBytes = std::size_t{1} << 20;

    struct Result {
        std::vector<QString> faults;  // "FILE:LINE: reason", at most kMaxFaults; empty: sound
        std::vector<QString> notes;   // "FILE:LINE: ..." of what was left out of a sound file
        bool stopped = false;         // the progress function stopped the reading: nothing to show
    };
    // Called by read() after each piece with the bytes read so far and the file's size; false
    // stops the reading.
    using Progress = std::function<bool(qint64 done, qint64 size)>;

    std::function<void(const std::vector<ReadingColumn>&)> columns;
    std::function<void(qint64 time, const std::vector<std::string_view>& values)> row;
    Progress progress;
    Result read(const QString& path) const;
    // The bytes of a file called `name`, taken `piece` bytes at a time as read() takes a file.
    Result parse(const QString& name, std::string_view bytes, std::size_t piece = kPieceBytes) const;
    static constexpr std::size_t kPieceBytes = std::size_t{1} << 20;
};

}  // namespace corvane
