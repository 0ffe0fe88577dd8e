#pragma once
// Reading and writing link frames.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "link/frame.h"
#include "link/serial_port.h"

namespace corvane {

// Gone: the port reported its device gone (see SerialPort::ReadResult::Gone).
enum class FrameReadResult { Ok, Miss, Interrupted, Gone };

// Reads one frame, one byte per request. There is no scan for the start of a frame: a
// rejected attempt consumes exactly the bytes it read. LEN below 2 or above 251 is rejected
// right after the LEN byte, without reading further.
FrameReadResult readFrame(SerialPort& port, ReceivedFrame& frame);

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
