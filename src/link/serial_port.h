#pragma once
// The byte stream the link talks over: a serial device, or memory in tests and fuzzing.
#include <chrono>
#include <cstddef>
#include <cstdint>

namespace corvane {

class SerialPort {
public:
    // Data: one or more bytes arrived. Gone: the device itself is gone (hung up, unplugged); it
    // will not come back on this handle.
    enum class ReadResult { Data, Timeout, Error, Interrupted, Gone };

    virtual ~SerialPort() = default;
    virtual bool isOpen() const = 0;
    // One blocking read request: takes every byte that is waiting, up to `capacity`, into `out`
    // and sets `got` to their count (0 unless the result is Data). When nothing is waiting it
    // waits for the first byte, ending empty after the per-byte time-out.
    virtual ReadResult read(std::uint8_t* out, std::size_t capacity, std::size_t& got) = 0;
    // The same request for exactly one byte.
    ReadResult readByte(std::uint8_t& out) {
        std::size_t got = 0;
        return read(&out, 1, got);
    }
    // Writes the bytes in one request; true when all of them were written. A write cut short
    // by interrupt() or by its time-out returns false.
    virtual bool write(const std::uint8_t* data, std::size_t n) = 0;
    // Makes a read or write in progress (or the next one) return at once; any thread may call it.
    virtual void interrupt() = 0;
    // Undoes interrupt() before the worker starts again.
    virtual void clearInterrupt() = 0;
    virtual bool close() = 0;
};

}  // namespace corvane
