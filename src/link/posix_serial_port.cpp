#include "link/posix_serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace corvane {

PosixSerialPort::PosixSerialPort(std::chrono::milliseconds byteTimeout)
    : byteTimeout_(byteTimeout), wakeFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

PosixSerialPort::~PosixSerialPort() {
    close();
    if (wakeFd_ >= 0) ::close(wakeFd_);
}

std::string PosixSerialPort::comDevicePath(int comNumber) { return "/dev/ttyS" + std::to_string(comNumber - 1); }

bool PosixSerialPort::fail(int err) {
    lastError_ = err;
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    return false;
}

bool PosixSerialPort::open(const std::string& path) {
    path_ = path;
    lastError_ = 0;
    gone_ = false;
    outputCut_ = false;
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

    // The descriptor stays non-blocking: read() takes the bytes already waiting with one
    // request and waits in poll() only when none are; reads and writes wait in poll together
    // with a wake-up, where a stop request reaches them.
    // Whatever arrived before the port was opened is not a frame of this conversation.
    if (::tcflush(fd_, TCIFLUSH) != 0) return fail(errno);
    return true;
}

namespace {
using Clock = std::chrono::steady_clock;

// The errors with which a tty tells that its device is gone for good.
bool deviceGoneError(int err) { return err == EIO || err == ENXIO || err == ENODEV; }

int millisecondsLeft(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(std::min<long long>(left, 1 << 30)) : 0;
}
}  // namespace

bool PosixSerialPort::sleepUnlessInterrupted(std::chrono::milliseconds t) {
    const auto deadline = Clock::now() + t;
    for (;;) {
        pollfd p{wakeFd_, POLLIN, 0};
        const int r = ::poll(&p, 1, millisecondsLeft(deadline));
        if (r > 0) return true;
        if (r == 0 || errno != EINTR) return false;
    }
}

SerialPort::ReadResult PosixSerialPort::read(std::uint8_t* out, std::size_t capacity, std::size_t& got) {
    got = 0;
    if (fd_ < 0 || capacity == 0) return ReadResult::Error;
    // A gone device fails at once for ever: wait out one time-out per read, so the link neither
    // spins on the dead handle nor stops answering a stop request.
    if (gone_) return sleepUnlessInterrupted(byteTimeout_) ? ReadResult::Interrupted : ReadResult::Gone;
    if (interrupted_.load()) return ReadResult::Interrupted;
    // Whatever is waiting already (usually the rest of a frame, often all of it) comes with this
    // one request. Nothing waiting (or a hang-up) goes on to the poll below.
    ssize_t n = ::read(fd_, out, capacity);
    if (n > 0) {
        got = static_cast<std::size_t>(n);
        return ReadResult::Data;
    }
    const auto deadline = Clock::now() + byteTimeout_;
    for (;;) {
        pollfd fds[2] = {{fd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
        const int r = ::poll(fds, 2, millisecondsLeft(deadline));
        if (r < 0) {
            // A signal is not the end of this byte's time: wait for the rest of it, so a frame
            // half read keeps the bytes it already has.
            if (errno == EINTR) continue;
            break;
        }
        if (fds[1].revents & POLLIN) return ReadResult::Interrupted;
        if (r == 0) return ReadResult::Timeout;
        const short events = fds[0].revents;
        if (events & POLLIN) {
            n = ::read(fd_, out, capacity);
            if (n > 0) {
                got = static_cast<std::size_t>(n);
                return ReadResult::Data;
            }
            if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
            if ((n < 0 && deviceGoneError(errno)) || (n == 0 && (events & POLLHUP))) return markGone();
        } else if (events & (POLLHUP | POLLERR | POLLNVAL)) {
            return markGone();
        }
        break;
    }
    // Some other failure: wait out one time-out, so the link sees a silent line and counts
    // misses at the usual pace.
    if (sleepUnlessInterrupted(byteTimeout_)) return ReadResult::Interrupted;
    return ReadResult::Error;
}

SerialPort::ReadResult PosixSerialPort::markGone() {
    gone_ = true;
    return ReadResult::Gone;
}

bool PosixSerialPort::write(const std::uint8_t* data, std::size_t n) {
    if (fd_ < 0) return false;
    // Up to the per-byte time-out for each byte, counted once from the start of the write (a
    // slow reader that takes a byte now and then cannot stretch it).
    const auto deadline = Clock::now() + byteTimeout_ * static_cast<long long>(n ? n : 1);
    std::size_t done = 0;
    while (done < n) {
        // The descriptor is non-blocking: a full line returns EAGAIN instead of hanging here
        // where a stop request cannot reach.
        const ssize_t w = ::write(fd_, data + done, n - done);
        if (w > 0) {
            done += static_cast<std::size_t>(w);
            continue;
        }
        if (w < 0 && errno == EINTR) continue;
        if (w < 0 && errno != EAGAIN) {
            if (deviceGoneError(errno)) gone_ = true;
            return cutShort(done);
        }
        pollfd fds[2] = {{fd_, POLLOUT, 0}, {wakeFd_, POLLIN, 0}};
        const int left = millisecondsLeft(deadline);
        if (left == 0) return cutShort(done);
        const int r = ::poll(fds, 2, left);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0 || (fds[1].revents & POLLIN)) return cutShort(done);  // time-out, or stop
        if (!(fds[0].revents & POLLOUT)) return cutShort(done);          // hung up or broken
    }
    return true;
}

bool PosixSerialPort::cutShort(std::size_t written) {
    // Bytes of a cut reply still queued in the driver would hold up the close (a serial driver
    // waits for them to go out) and would reach the unit as a broken frame later.
    if (written > 0) outputCut_ = true;
    return false;
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
    if (outputCut_) ::tcflush(fd_, TCOFLUSH);
    outputCut_ = false;
    ::ioctl(fd_, TIOCNXCL);
    ::flock(fd_, LOCK_UN);
    const bool ok = ::close(fd_) == 0;
    fd_ = -1;
    return ok;
}

}  // namespace corvane
