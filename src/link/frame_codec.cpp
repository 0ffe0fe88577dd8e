#include "link/frame_codec.h"

#include <algorithm>
#include <cstring>

namespace corvane {

FrameReadResult FrameReader::take(SerialPort& port, std::uint8_t* out, std::size_t n) {
    while (n > 0) {
        if (pos_ == end_) {
            std::size_t got = 0;
            switch (port.read(buffer_.data(), buffer_.size(), got)) {
                case SerialPort::ReadResult::Data: break;
                case SerialPort::ReadResult::Interrupted: return FrameReadResult::Interrupted;
                case SerialPort::ReadResult::Gone: return FrameReadResult::Gone;
                default: return FrameReadResult::Miss;  // time-out or error
            }
            if (got == 0) return FrameReadResult::Miss;  // a port that says data but gives none
            pos_ = 0;
            end_ = std::min(got, buffer_.size());
        }
        const std::size_t k = std::min(n, end_ - pos_);
        std::memcpy(out, buffer_.data() + pos_, k);
        pos_ += k;
        out += k;
        n -= k;
    }
    return FrameReadResult::Ok;
}

FrameReadResult FrameReader::read(SerialPort& port, ReceivedFrame& frame) {
    if (!port.isOpen()) return FrameReadResult::Miss;
    std::uint8_t b = 0;
    FrameReadResult r;
    if ((r = take(port, &b, 1)) != FrameReadResult::Ok) return r;
    if (b != kSync1) return FrameReadResult::Miss;
    if ((r = take(port, &b, 1)) != FrameReadResult::Ok) return r;
    if (b != kSync2) return FrameReadResult::Miss;
    std::uint8_t len = 0;
    if ((r = take(port, &len, 1)) != FrameReadResult::Ok) return r;
    if (len < kMinLen || len > kMaxLen) return FrameReadResult::Miss;

    std::uint8_t buf[kFrameBufferSize];
    if ((r = take(port, buf, len + 1u)) != FrameReadResult::Ok) return r;
    const std::size_t n = len - 2u;
    frame.command = buf[0];
    frame.sub = buf[1];
    if (n > 0) std::memcpy(frame.data.data(), buf + 2, n);
    const std::uint8_t received = buf[len];
    if (frameChecksum(buf[0], buf[1], buf + 2, n) != received) return FrameReadResult::Miss;
    frame.checksum = received;
    frame.dataLength = static_cast<std::uint8_t>(n);
    return FrameReadResult::Ok;
}

std::size_t encodeFrame(std::uint8_t letter, std::uint8_t sub, const std::uint8_t* data, std::size_t n,
                        std::uint8_t* out) {
    if (n > kMaxReplyData) return 0;
    out[0] = kSync1;
    out[1] = kSync2;
    out[2] = static_cast<std::uint8_t>(n + 2);
    out[3] = letter;
    out[4] = sub;
    if (n > 0) std::memcpy(out + 5, data, n);
    out[5 + n] = frameChecksum(letter, sub, data, n);
    return n + 6;
}

std::vector<std::uint8_t> encodeFrame(std::uint8_t letter, std::uint8_t sub, const std::vector<std::uint8_t>& data) {
    if (data.size() > kMaxReceivedData) return {};
    std::vector<std::uint8_t> out;
    out.reserve(data.size() + 6);
    out.push_back(kSync1);
    out.push_back(kSync2);
    out.push_back(static_cast<std::uint8_t>(data.size() + 2));
    out.push_back(letter);
    out.push_back(sub);
    out.insert(out.end(), data.begin(), data.end());
    out.push_back(frameChecksum(letter, sub, data.data(), data.size()));
    return out;
}

std::optional<Frame> FrameDecoder::push(std::uint8_t b) {
    switch (state_) {
        case State::Sync1:
            if (b == kSync1)
                state_ = State::Sync2;
            else
                ++rejected_;
            return std::nullopt;
        case State::Sync2:
            if (b == kSync2) {
                state_ = State::Len;
            } else {
                state_ = State::Sync1;
                ++rejected_;
            }
            return std::nullopt;
        case State::Len:
            if (b < kMinLen || b > kMaxLen) {
                state_ = State::Sync1;
                ++rejected_;
                return std::nullopt;
            }
            len_ = b;
            body_.clear();
            state_ = State::Body;
            return std::nullopt;
        case State::Body:
            body_.push_back(b);
            if (body_.size() < static_cast<std::size_t>(len_) + 1) return std::nullopt;
            state_ = State::Sync1;
            {
                const std::size_t n = len_ - 2u;
                if (frameChecksum(body_[0], body_[1], body_.data() + 2, n) != body_[len_]) {
                    ++rejected_;
                    return std::nullopt;
                }
                Frame f;
                f.letter = body_[0];
                f.sub = body_[1];
                f.data.assign(body_.begin() + 2, body_.begin() + 2 + static_cast<std::ptrdiff_t>(n));
                return f;
            }
    }
    return std::nullopt;
}

}  // namespace corvane
