#pragma once
// Writes a recording row by row as the values come, each row with one write to the file, so
// that a recording cut short (a crash, a pulled cable) keeps every row written before. A write
// that fails (a full disk, a file that is gone) ends the recording; a row written only in part
// is cut off again, so the file still ends with a whole row.
#include <QDateTime>
#include <QString>

#include <cstddef>
#include <string>
#include <vector>

#include "readings/readings_history.h"

namespace corvane {

class ReadingsRecorder {
public:
    ReadingsRecorder() = default;
    ~ReadingsRecorder();
    ReadingsRecorder(const ReadingsRecorder&) = delete;
    ReadingsRecorder& operator=(const ReadingsRecorder&) = delete;

    // Creates (or empties) the file and writes the header. False with error() set when it fails.
    bool start(const QString& path, const std::vector<ReadingColumn>& columns);
    // Writes one row of raw Windows-1252 values. False with error() set when the write failed:
    // the file is then closed.
    bool write(const QDateTime& time, const std::vector<std::string>& values);
    // Closes the file; the rows stay.
    void stop();

    bool recording() const { return fd_ >= 0; }
    const QString& path() const { return path_; }
    std::size_t rows() const { return rows_; }
    // errno of the failure that ended the recording (or kept it from starting); 0 for none.
    int error() const { return error_; }
    // "Cannot write FILE: reason" for that failure.
    QString errorText() const;

private:
    bool writeLine(const std::string& line);

    int fd_ = -1;
    QString path_;
    std::size_t rows_ = 0;
    off_t written_ = 0;  // bytes of whole lines in the file
    int error_ = 0;
};

}  // namespace corvane
