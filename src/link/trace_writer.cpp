#include "link/trace_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <cstdio>
#include <string>
#include <utility>

namespace corvane {

namespace {
void appendHex(std::string& out, unsigned v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", v & 0xFFu);
    out += buf;
}

void appendHalf(std::string& out, const char* head, std::uint8_t letter, std::uint8_t sub, const std::uint8_t* data,
                std::size_t n, std::uint8_t checksum) {
    const unsigned len = static_cast<unsigned>(n + 2);
    out += head;
    appendHex(out, len);
    out += ',';
    appendHex(out, letter);
    out += ',';
    appendHex(out, sub);
    out += " - ";
    for (std::size_t i = 0; i < n; ++i) {
        appendHex(out, data[i]);
        out += ',';
    }
    out += " - ";
    appendHex(out, checksum);
    out += ',';
    // The letter is appended as a byte: through "%c" a letter 0x00 would end the formatted
    // text and cut the record.
    out += "\r\n\t" + std::to_string(len) + ',';
    out += static_cast<char>(letter);
    out += ',' + std::to_string(sub) + ',';
    out.append(reinterpret_cast<const char*>(data), n);
}
}  // namespace

std::string TraceWriter::formatRecord(const ReceivedFrame& rx, const ReplyFrame& tx) {
    std::string out;
    appendHalf(out, "RX - ", rx.command, rx.sub, rx.data.data(), rx.dataLength, rx.checksum);
    appendHalf(out, "\r\nTX - ", tx.letter, tx.sub, tx.data.data(), tx.dataLength, tx.checksum);
    out += "\r\n";
    return out;
}

bool TraceWriter::open(const std::string& path) {
    std::lock_guard lock(m_);
    if (fd_ >= 0) return true;
    openError_ = 0;
    // Without waiting and without truncating first: a FIFO or a device in place of the file
    // would block the program, or take the trace where no one looks. Only a regular file is
    // emptied and written.
    struct stat st {};
    errno = 0;
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        openError_ = kNotRegularFile;
        return false;
    }
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0)
        openError_ = errno;
    else if (::fstat(fd, &st) != 0)
        openError_ = errno;
    else if (!S_ISREG(st.st_mode))
        openError_ = kNotRegularFile;
    else if (::ftruncate(fd, 0) != 0 || ::fcntl(fd, F_SETFL, 0) != 0)
        openError_ = errno;
    if (openError_ == 0) {
        fd_ = fd;
        written_ = 0;
        path_ = path;
        return true;
    }
    if (fd >= 0) ::close(fd);
    return false;
}

std::string TraceWriter::describeError(int error) {
    return error == kNotRegularFile ? "it is not a regular file" : std::strerror(error);
}

int TraceWriter::openError() const {
    std::lock_guard lock(m_);
    return openError_;
}

std::optional<TraceWriter::Failure> TraceWriter::takeFailure() {
    std::lock_guard lock(m_);
    return std::exchange(failure_, std::nullopt);
}

void TraceWriter::close() {
    std::lock_guard lock(m_);
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool TraceWriter::isOpen() const {
    std::lock_guard lock(m_);
    return fd_ >= 0;
}

void TraceWriter::writeRecord(const ReceivedFrame& received, const ReplyFrame& reply) {
    std::lock_guard lock(m_);
    if (fd_ < 0) return;
    const std::string record = formatRecord(received, reply);
    std::size_t done = 0;
    int error = 0;
    while (done < record.size()) {
        const ssize_t n = ::write(fd_, record.data() + done, record.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            error = n < 0 ? errno : EIO;
            break;
        }
    }
    if (error == 0) {
        written_ += static_cast<off_t>(done);
        return;
    }
    failure_ = Failure{path_, error};
    // A record the file took only in part is cut away, so that the trace ends on a whole
    // record (a reader of the trace would take the cut one for a frame). A file that refused
    // one record would refuse the next ones too, or take them with a gap: the trace ends.
    // Should the cut fail too, the failure above is still what the user is told.
    if (done > 0) (void)!::ftruncate(fd_, written_);
    ::close(fd_);
    fd_ = -1;
}

}  // namespace corvane
