#include "unit_line.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "frame_text.h"

namespace corvane::unitsim {

namespace {
using Clock = std::chrono::steady_clock;

std::string errnoText(const std::string& what) { return what + ": " + std::strerror(errno); }

// Raw 8N1 at the link's speed. On a pseudo-terminal master these settings act on the slave,
// so nothing the unit writes is echoed back before the PC has set the line up itself.
bool makeRaw(int fd, std::string& error) {
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        error = errnoText("tcgetattr");
        return false;
    }
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;  // poll() does the waiting
    ::cfsetispeed(&tio, B57600);
    ::cfsetospeed(&tio, B57600);
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
        error = errnoText("tcsetattr");
        return false;
    }
    return true;
}

int remainingMs(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}
}  // namespace

UnitLine::UnitLine(int fd, bool pty, std::string slavePath)
    : fd_(fd), stopFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)), pty_(pty), slavePath_(std::move(slavePath)) {}

UnitLine::~UnitLine() {
    if (fd_ >= 0) ::close(fd_);
    if (stopFd_ >= 0) ::close(stopFd_);
}

std::unique_ptr<UnitLine> UnitLine::openPty(std::string& error) {
    const int fd = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = errnoText("posix_openpt");
        return nullptr;
    }
    char name[128];
    if (::grantpt(fd) != 0 || ::unlockpt(fd) != 0 || ::ptsname_r(fd, name, sizeof name) != 0) {
        error = errnoText("pseudo-terminal set-up");
        ::close(fd);
        return nullptr;
    }
    if (!makeRaw(fd, error) || ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK) != 0) {
        if (error.empty()) error = errnoText("fcntl");
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<UnitLine>(new UnitLine(fd, true, name));
}

std::unique_ptr<UnitLine> UnitLine::openSerial(const std::string& path, std::string& error) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = errnoText(path);
        return nullptr;
    }
    if (!makeRaw(fd, error)) {
        ::close(fd);
        return nullptr;
    }
    ::tcflush(fd, TCIOFLUSH);
    return std::unique_ptr<UnitLine>(new UnitLine(fd, false, path));
}

void UnitLine::logFrame(const char* direction, const Frame& frame) {
    if (log_) *log_ << direction << ' ' << describeFrame(frame) << std::endl;
}

void UnitLine::requestStop() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t r = ::write(stopFd_, &one, sizeof one);
}

bool UnitLine::stopRequested() const {
    pollfd p{stopFd_, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0;
}

bool UnitLine::pause(std::chrono::milliseconds t) {
    // A signal that interrupts the wait does not start it afresh: the pause ends on time.
    const auto deadline = Clock::now() + t;
    for (;;) {
        pollfd p{stopFd_, POLLIN, 0};
        const int r = ::poll(&p, 1, remainingMs(deadline));
        if (r > 0) return false;
        if (r == 0) return true;
        if (errno != EINTR) return !stopRequested();
    }
}

bool UnitLine::peerGone() {
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, 0) <= 0) return false;
    return (p.revents & (POLLHUP | POLLERR)) && !(p.revents & POLLIN);
}

bool UnitLine::send(const Frame& frame, std::chrono::milliseconds timeout) {
    const std::vector<std::uint8_t> bytes = encodeFrame(frame.letter, frame.sub, frame.data);
    if (bytes.empty()) return false;  // more DATA than a frame carries
    logFrame("unit -> PC", frame);
    const auto deadline = Clock::now() + timeout;
    std::size_t done = 0;
    while (done < bytes.size()) {
        if (stopRequested()) return false;
        const ssize_t w = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (w > 0) {
            done += static_cast<std::size_t>(w);
            continue;
        }
        if (w < 0 && errno != EAGAIN && errno != EINTR) return false;
        pollfd p[2] = {{fd_, POLLOUT, 0}, {stopFd_, POLLIN, 0}};
        const int left = remainingMs(deadline);
        if (left == 0 || ::poll(p, 2, left) == 0) return false;
        // A full buffer with nobody reading: a pseudo-terminal whose PC has gone.
        if ((p[0].revents & (POLLHUP | POLLERR)) && !(p[0].revents & POLLOUT)) return false;
    }
    return true;
}

std::vector<Frame> UnitLine::drain() {
    // Frames already decoded are taken first, so receive() below only reads the line: each
    // frame is handed out once and the loop ends when the line has nothing more.
    std::vector<Frame> out(std::make_move_iterator(pending_.begin()), std::make_move_iterator(pending_.end()));
    pending_.clear();
    Frame f;
    while (receive(f, std::chrono::milliseconds(0)) == Wait::Frame) out.push_back(std::move(f));
    return out;
}

UnitLine::Wait UnitLine::receive(Frame& out, std::chrono::milliseconds timeout) {
    if (!pending_.empty()) {
        out = std::move(pending_.front());
        pending_.pop_front();
        return Wait::Frame;
    }
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        pollfd p[2] = {{fd_, POLLIN, 0}, {stopFd_, POLLIN, 0}};
        const int r = ::poll(p, 2, remainingMs(deadline));
        if (r < 0 && errno == EINTR) continue;
        if (p[1].revents & POLLIN) return Wait::Stopped;
        if (r <= 0) return Wait::Timeout;
        if (p[0].revents & POLLIN) {
            std::uint8_t buf[256];
            const ssize_t n = ::read(fd_, buf, sizeof buf);
            if (n > 0) {
                for (ssize_t i = 0; i < n; ++i) {
                    if (auto f = decoder_.push(buf[i])) {
                        logFrame("PC -> unit", *f);
                        pending_.push_back(std::move(*f));
                    }
                }
                if (!pending_.empty()) {
                    out = std::move(pending_.front());
                    pending_.pop_front();
                    return Wait::Frame;
                }
                continue;
            }
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
            // n == 0 or EIO: the other side has closed.
            decoder_.reset();
            return Wait::HangUp;
        }
        if (p[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
            decoder_.reset();
            return Wait::HangUp;
        }
    }
}

}  // namespace corvane::unitsim
