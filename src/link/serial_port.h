#pragma once
// The byte stream the link talks over: a serial device, or memory in tests and fuzzing.
#include <chrono>
#include <cstddef>
#include <cstdint>

namespace corvane {

class SerialPort {
public:
    // Gone: the device itself is gone (hung up, unplugged); it will not come back on this handle.
    enum class ReadResult { Byte, Timeout, Error, Interrupted, Gone };

    virtual ~SerialPort() = default;
    virtual bool isOpen() const = 0;
    // One blocking read of exactly one byte, ending empty after the per-byte time-out.
    virtual ReadResult readByte(std::uint8_t& out) = 0;
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
