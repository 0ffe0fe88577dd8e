#include "readings/readings_recorder.h"

#include <QCoreApplication>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "readings/readings_csv.h"

namespace corvane {

ReadingsRecorder::~ReadingsRecorder() { stop(); }

bool ReadingsRecorder::start(const QString& path, const std::vector<ReadingColumn>& columns) {
    stop();
    path_ = path;
    rows_ = 0;
    written_ = 0;
    error_ = 0;
    const QByteArray local = path.toLocal8Bit();
    // Never waits: a pipe nobody reads refuses at once (ENXIO) instead of holding the window, and
    // one whose reader falls behind ends the recording (EAGAIN) rather than freezing it.
    fd_ = ::open(local.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd_ < 0) {
        error_ = errno;
        return false;
    }
    return writeLine(csvHeader(columns));
}

bool ReadingsRecorder::write(const QDateTime& time, const std::vector<std::string>& values) {
    if (fd_ < 0) return false;
    if (!writeLine(csvRow(time, values))) return false;
    ++rows_;
    return true;
}

bool ReadingsRecorder::writeLine(const std::string& line) {
    std::size_t done = 0;
    while (done < line.size()) {
        const ssize_t n = ::write(fd_, line.data() + done, line.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        error_ = n < 0 ? errno : ENOSPC;
        // A part of a row would make the file unreadable as a recording: back to the last whole
        // row (a device such as /dev/full cannot be cut, and has nothing to cut).
        if (done > 0 && ::ftruncate(fd_, written_) != 0) error_ = n < 0 ? error_ : errno;
        ::close(fd_);
        fd_ = -1;
        return false;
    }
    written_ += static_cast<off_t>(line.size());
    return true;
}

void ReadingsRecorder::stop() {
    if (fd_ < 0) return;
    if (::close(fd_) != 0 && error_ == 0) error_ = errno;
    fd_ = -1;
}

QString ReadingsRecorder::errorText() const {
    if (error_ == 0) return {};
    struct stat st {};
    const bool pipe = ::stat(path_.toLocal8Bit().constData(), &st) == 0 && S_ISFIFO(st.st_mode);
    if (pipe && error_ == ENXIO)
        return QCoreApplication::translate("corvane::ReadingsRecorder",
                                           "Cannot write %1: it is a pipe that nothing reads")
            .arg(path_);
    if (pipe && error_ == EAGAIN)
        return QCoreApplication::translate("corvane::ReadingsRecorder",
                                           "Cannot write %1: what reads it does not keep up")
            .arg(path_);
    return QCoreApplication::translate("corvane::ReadingsRecorder", "Cannot write %1: %2")
        .arg(path_, QString::fromLocal8Bit(std::strerror(error_)));
}

}  // namespace corvane
