#include "link/posix_serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

namespace corvane {

PosixSerialPort::PosixSerialPort(std::chrono::milliseconds byteTimeout)
    : byteTimeout_(byteTimeout), wakeFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

PosixSerialPort::~PosixSerialPort() {
    close();
    if (wakeFd_ >= 0) ::close(wakeFd_);
}

std::string PosixSerialPort::comDevicePath(int comNumber) {
    return "/dev/ttyS" + std::to_string(comNumber - 1);
}

bool PosixSerialPort::fail(int err) {
    lastError_ = err;
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    return false;
}

bool PosixSerialPort::open(const std::string& path) {
    path_ = path;
    lastError_ = 0;
    if (fd_ >= 0) return fail(EBUSY);
    // Non-blocking for the open itself, so a line without carrier cannot hang it.
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) return fail(errno);
    // TIOCEXCL alone races between two openers and does not stop root; the advisory lock
    // makes a second copy of the program fail cleanly as well.
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) return fail(errno == EWOULDBLOCK ? EBUSY : errno);
    if (::ioctl(fd_, TIOCEXCL) != 0) return fail(errno);

    termios tio{};
    if (::tcgetattr(fd_, &tio) != 0) return fail(errno);
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 5;  // 500 ms per byte
    if (::cfsetispeed(&tio, B57600) != 0 || ::cfsetospeed(&tio, B57600) != 0) return fail(errno);
    if (::tcsetattr(fd_, TCSANOW, &tio) != 0) return fail(errno);

    // The descriptor stays non-blocking: readByte() takes a byte that is already waiting with
    // one request and waits in poll() only when none is, and write() waits for room in poll().
    // Whatever arrived before the port was opened is not a frame of this conversation.
    if (::tcflush(fd_, TCIFLUSH) != 0) return fail(errno);
    return true;
}

bool PosixSerialPort::sleepUnlessInterrupted(std::chrono::milliseconds t) {
    pollfd p{wakeFd_, POLLIN, 0};
    return ::poll(&p, 1, static_cast<int>(t.count())) > 0;
}

SerialPort::ReadResult PosixSerialPort::readByte(std::uint8_t& out) {
    if (fd_ < 0) return ReadResult::Error;
    if (interrupted_.load()) return ReadResult::Interrupted;
    // Every byte of a frame after its first is usually waiting already: one request instead of
    // a poll and a read. Nothing waiting (or a hang-up) goes on to the poll below.
    if (::read(fd_, &out, 1) == 1) return ReadResult::Byte;
    pollfd fds[2] = {{fd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
    const int r = ::poll(fds, 2, static_cast<int>(byteTimeout_.count()));
    if (r == 0) return ReadResult::Timeout;
    if (fds[1].revents & POLLIN) return ReadResult::Interrupted;
    if (r < 0 && errno == EINTR) return ReadResult::Timeout;
    if (r > 0 && (fds[0].revents & POLLIN)) {
        const ssize_t n = ::read(fd_, &out, 1);
        if (n == 1) return ReadResult::Byte;
        if (n < 0 && errno == EINTR) return ReadResult::Timeout;
        // Readable but no byte: the other end hung up.
    }
    // The device is gone or broken (an unplugged adapter, a closed pseudo-terminal). It keeps
    // failing at once, so wait out one time-out: the link then sees a silent line, counts
    // misses at the usual pace and does not spin.
    if (sleepUnlessInterrupted(byteTimeout_)) return ReadResult::Interrupted;
    return ReadResult::Error;
}

bool PosixSerialPort::write(const std::uint8_t* data, std::size_t n) {
    if (fd_ < 0) return false;
    std::size_t done = 0;
    // A write of n bytes may take up to 500 ms per byte before it counts as failed.
    const int budgetMs = static_cast<int>(byteTimeout_.count() * static_cast<long long>(n ? n : 1));
    while (done < n) {
        pollfd p{fd_, POLLOUT, 0};
        const int r = ::poll(&p, 1, budgetMs);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0 || !(p.revents & POLLOUT)) return false;
        const ssize_t w = ::write(fd_, data + done, n - done);
        if (w < 0) {
            if (errno == EINTR || errno == EAGAIN) continue;
            return false;
        }
        done += static_cast<std::size_t>(w);
    }
    return true;
}

void PosixSerialPort::interrupt() {
    interrupted_.store(true);
    if (wakeFd_ < 0) return;
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t r = ::write(wakeFd_, &one, sizeof one);
}

void PosixSerialPort::clearInterrupt() {
    interrupted_.store(false);
    if (wakeFd_ < 0) return;
    std::uint64_t v;
    while (::read(wakeFd_, &v, sizeof v) > 0) {
    }
}

bool PosixSerialPort::close() {
    if (fd_ < 0) return true;
    ::ioctl(fd_, TIOCNXCL);
    ::flock(fd_, LOCK_UN);
    const bool ok = ::close(fd_) == 0;
    fd_ = -1;
    return ok;
}

}  // namespace corvane
