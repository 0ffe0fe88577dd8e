#pragma once
// Reading and writing link frames.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "link/frame.h"
#include "link/serial_port.h"

namespace corvane {

// Gone: the port reported its device gone (see SerialPort::ReadResult::Gone).
enum class FrameReadResult { Ok, Miss, Interrupted, Gone };

// Reads frames from a port. Each request to the port takes every byte that is waiting into a
// buffer, and frames are taken from that buffer; bytes that follow a frame wait there for the
// next one. The rules are those of a reader that asks for one byte at a time: the per-byte
// time-out counts from the last byte received (a request is made only when the buffer is
// empty), and there is no scan for the start of a frame: a rejected attempt consumes exactly
// the bytes it looked at. LEN below 2 or above 251 is rejected right after the LEN byte.
class FrameReader {
public:
    // More than a pseudo-terminal or a serial driver hands over in one read.
    static constexpr std::size_t kBufferSize = 4096;

    FrameReadResult read(SerialPort& port, ReceivedFrame& frame);
    // Forgets the bytes held (a port newly attached: they belong to another conversation).
    void clear() { pos_ = end_ = 0; }
    // Bytes received and not yet taken by a frame.
    std::size_t held() const { return end_ - pos_; }

private:
    // Takes n bytes, asking the port for more whenever the buffer runs dry.
    FrameReadResult take(SerialPort& port, std::uint8_t* out, std::size_t n);

    std::array<std::uint8_t, kBufferSize> buffer_{};
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
};

// Builds a whole frame (n + 6 bytes) into `out`, which must hold kFrameBufferSize bytes.
// Returns 0 and builds nothing when n exceeds kMaxReplyData.
std::size_t encodeFrame(std::uint8_t letter, std::uint8_t sub, const std::uint8_t* data, std::size_t n,
                        std::uint8_t* out);

// The unit's side may send up to 249 DATA bytes, so this form allows the full LEN range.
// Returns an empty vector when n exceeds kMaxReceivedData.
std::vector<std::uint8_t> encodeFrame(std::uint8_t letter, std::uint8_t sub, const std::vector<std::uint8_t>& data);

// A decoded frame, for tools that read the line as a byte stream.
struct Frame {
    std::uint8_t letter = 0;
    std::uint8_t sub = 0;
    std::vector<std::uint8_t> data;
};

// Decodes frames from a byte stream with the reader's rules (bad SYNC bytes, bad LEN and
// checksum mismatches are dropped the same way). Feed it bytes as they arrive.
class FrameDecoder {
public:
    // Takes one byte; returns a frame when this byte completed a valid one.
    std::optional<Frame> push(std::uint8_t b);
    // Forgets a partly received frame (for example after a read time-out).
    void reset() { state_ = State::Sync1; }
    std::size_t rejected() const { return rejected_; }

private:
    enum class State { Sync1, Sync2, Len, Body };
    State state_ = State::Sync1;
    std::uint8_t len_ = 0;
    std::vector<std::uint8_t> body_;
    std::size_t rejected_ = 0;
};

}  // namespace corvane
