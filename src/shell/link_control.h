#pragma once
// What the connection supervision needs of the device link. UnitLinkControl drives the real
// UnitLink; tests count the calls.
#include <cstdint>
#include <string>

namespace corvane {

class LinkControl {
public:
    virtual ~LinkControl() = default;
    // Opens the port; call only while it is closed. On failure lastOpenError() holds the errno.
    virtual bool open(const std::string& devicePath) = 0;
    virtual bool isOpen() const = 0;
    // Stops the worker, then closes the port.
    virtual bool close() = 0;
    virtual bool isAlive() const = 0;
    // Reads that brought no valid frame since the last one (0 right after a frame).
    virtual std::uint32_t missCount() const = 0;
    // True when the open port reported its device gone (hung up, unplugged).
    virtual bool lineGone() const = 0;
    // Starts the receive worker on the open port.
    virtual void startWorker() = 0;
    virtual int lastOpenError() const = 0;
};

}  // namespace corvane
