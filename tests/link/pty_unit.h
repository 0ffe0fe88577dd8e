#pragma once
// The test's side of a pseudo-terminal pair: it plays the unit on the master while the link
// opens the slave by its path.
#include <fcntl.h>
#include <sys/ioctl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "link/frame_codec.h"

namespace corvane::test {

class PtyUnit {
public:
    PtyUnit() {
        char name[256] = {};
        if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) return;
        path_ = name;
        termios tio{};
        ::tcgetattr(master_, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(master_, TCSANOW, &tio);
    }
    ~PtyUnit() {
        closeMaster();
        if (slave_ >= 0) ::close(slave_);
    }
    PtyUnit(const PtyUnit&) = delete;
    PtyUnit& operator=(const PtyUnit&) = delete;

    bool ok() const { return master_ >= 0 && !path_.empty(); }
    const std::string& slavePath() const { return path_; }
    // Closing the master makes the slave's reads fail, as an unplugged unit does.
    void closeMaster() {
        if (master_ >= 0) ::close(master_);
        master_ = -1;
    }

    void sendBytes(const std::vector<std::uint8_t>& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t w = ::write(master_, bytes.data() + done, bytes.size() - done);
            if (w <= 0) return;
            done += static_cast<std::size_t>(w);
        }
    }
    // Sends what the line takes within the time-out and returns how many bytes that was; never
    // blocks for good on a PC that has stopped reading.
    std::size_t sendBytesWithin(const std::vector<std::uint8_t>& bytes, std::chrono::milliseconds timeout) {
        const int flags = ::fcntl(master_, F_GETFL);
        ::fcntl(master_, F_SETFL, flags | O_NONBLOCK);
        const auto end = std::chrono::steady_clock::now() + timeout;
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t w = ::write(master_, bytes.data() + done, bytes.size() - done);
            if (w > 0) {
                done += static_cast<std::size_t>(w);
                continue;
            }
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            if (left.count() <= 0 || (w < 0 && errno != EAGAIN && errno != EINTR)) break;
            pollfd p{master_, POLLOUT, 0};
            ::poll(&p, 1, static_cast<int>(left.count()));
        }
        ::fcntl(master_, F_SETFL, flags);
        return done;
    }
    void send(char letter, std::uint8_t sub, const std::vector<std::uint8_t>& data = {}) {
        sendBytes(encodeFrame(static_cast<std::uint8_t>(letter), sub, data));
    }
    void send(char letter, std::uint8_t sub, const std::string& text) {
        send(letter, sub, std::vector<std::uint8_t>(text.begin(), text.end()));
    }

    // Raw bytes that arrive within the time-out (returns as soon as `want` bytes are in).
    std::vector<std::uint8_t> readBytes(std::size_t want, std::chrono::milliseconds timeout) {
        std::vector<std::uint8_t> out;
        const auto end = std::chrono::steady_clock::now() + timeout;
        while (out.size() < want) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            if (left.count() <= 0) break;
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
            std::uint8_t buf[512];
            const ssize_t n = ::read(master_, buf, std::min(sizeof buf, want - out.size()));
            if (n <= 0) break;
            out.insert(out.end(), buf, buf + n);
        }
        return out;
    }

    // The next whole reply frame, or nothing within the time-out.
    std::optional<Frame> reply(std::chrono::milliseconds timeout = std::chrono::milliseconds(10000)) {
        const auto end = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            if (left.count() <= 0) return std::nullopt;
            auto b = readBytes(1, left);
            if (b.empty()) return std::nullopt;
            if (auto f = decoder_.push(b[0])) return f;
        }
    }

    // Bytes the PC has written that the unit has not read yet.
    std::size_t bytesWaiting() const {
        int n = 0;
        return master_ >= 0 && ::ioctl(master_, FIONREAD, &n) == 0 && n > 0 ? static_cast<std::size_t>(n) : 0;
    }
    // Waits until the PC stops writing: the bytes waiting for the unit stay the same (and not
    // zero) for `quiet`. False when that does not happen within `limit`.
    bool waitUntilPcStalls(std::chrono::milliseconds quiet, std::chrono::milliseconds limit) {
        const auto end = std::chrono::steady_clock::now() + limit;
        std::size_t last = bytesWaiting();
        auto since = std::chrono::steady_clock::now();
        while (std::chrono::steady_clock::now() < end) {
            pollfd p{-1, 0, 0};
            ::poll(&p, 0, 10);  // the sampling interval
            const std::size_t now = bytesWaiting();
            if (now != last || now == 0) {
                last = now;
                since = std::chrono::steady_clock::now();
            } else if (std::chrono::steady_clock::now() - since >= quiet) {
                return true;
            }
        }
        return false;
    }
    // Throws away what the PC sent so far and any half-decoded frame.
    void drain() {
        std::uint8_t buf[4096];
        for (;;) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, 0) <= 0 || !(p.revents & POLLIN) || ::read(master_, buf, sizeof buf) <= 0) break;
        }
        decoder_.reset();
    }

    // Sends a command and returns its reply.
    std::optional<Frame> exchange(char letter, std::uint8_t sub, const std::vector<std::uint8_t>& data = {}) {
        send(letter, sub, data);
        return reply();
    }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
    FrameDecoder decoder_;
};

}  // namespace corvane::test
