#pragma once
// A serial device opened through POSIX termios: 57600 8N1 raw, exclusive, reads that take
// every byte waiting and end empty after the per-byte time-out (500 ms on the unit's line). Reads and writes
// wait in poll together with a wake-up, so a stop request ends either at once.
#include <atomic>
#include <chrono>
#include <string>

#include "link/serial_port.h"

namespace corvane {

class PosixSerialPort : public SerialPort {
public:
    static constexpr std::chrono::milliseconds kDefaultByteTimeout{500};

    explicit PosixSerialPort(std::chrono::milliseconds byteTimeout = kDefaultByteTimeout);
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    // COM n is /dev/ttyS(n-1).
    static std::string comDevicePath(int comNumber);

    // Opens the device for exclusive use and applies the line settings; on failure the port
    // stays closed and lastError() holds the errno that stopped it.
    bool open(const std::string& path);
    int lastError() const { return lastError_; }
    const std::string& path() const { return path_; }

    bool isOpen() const override { return fd_ >= 0; }
    ReadResult read(std::uint8_t* out, std::size_t capacity, std::size_t& got) override;
    bool write(const std::uint8_t* data, std::size_t n) override;
    void interrupt() override;
    void clearInterrupt() override;
    bool close() override;

private:
    bool fail(int err);
    // Waits for the wake-up or the time-out; true when woken.
    bool sleepUnlessInterrupted(std::chrono::milliseconds t);
    ReadResult markGone();
    // Ends a write that could not finish; always false.
    bool cutShort(std::size_t written);

    std::chrono::milliseconds byteTimeout_;
    int fd_ = -1;
    std::atomic<bool> interrupted_{false};  // set by interrupt(), seen before any read
    int wakeFd_ = -1;                       // eventfd that interrupt() signals
    int lastError_ = 0;
    bool gone_ = false;       // the device hung up or went away; reads only wait from now on
    bool outputCut_ = false;  // a write ended part way: drop its queued rest at close
    std::string path_;
};

}  // namespace corvane
