#include "unit_side.h"

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

namespace corvane::bench {

UnitSide::UnitSide() {
    char name[256] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        master_ = slave_ = -1;
        return;
    }
    path_ = name;
    termios tio{};
    ::tcgetattr(master_, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(master_, TCSANOW, &tio);
}

UnitSide::~UnitSide() {
    if (master_ >= 0) ::close(master_);
    if (slave_ >= 0) ::close(slave_);
}

bool UnitSide::write(const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t w = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return false;
        done += static_cast<std::size_t>(w);
    }
    return true;
}

std::optional<Frame> UnitSide::reply() {
    for (;;) {
        while (pos_ < len_)
            if (auto f = decoder_.push(buf_[pos_++])) return f;
        pollfd p{master_, POLLIN, 0};
        if (::poll(&p, 1, 2000) <= 0) return std::nullopt;
        const ssize_t n = ::read(master_, buf_, sizeof buf_);
        if (n <= 0) return std::nullopt;
        len_ = static_cast<std::size_t>(n);
        pos_ = 0;
    }
}

}  // namespace corvane::bench
