#pragma once
// The unit's end of the line: a pseudo-terminal master or a serial device, driven with poll().
#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "link/frame_codec.h"

namespace corvane::unitsim {

class UnitLine {
public:
    enum class Wait { Frame, Timeout, HangUp, Stopped };

    // Creates a pseudo-terminal in raw mode; slavePath() names the device the PC opens.
    static std::unique_ptr<UnitLine> openPty(std::string& error);
    // Opens an existing serial device with the link's line settings (57600 8N1, raw).
    static std::unique_ptr<UnitLine> openSerial(const std::string& path, std::string& error);

    ~UnitLine();
    UnitLine(const UnitLine&) = delete;
    UnitLine& operator=(const UnitLine&) = delete;

    bool isPty() const { return pty_; }
    const std::string& slavePath() const { return slavePath_; }

    // Frames both ways are described on this stream when set (the --log option).
    void setLog(std::ostream* log) { log_ = log; }

    // Writes one frame. False when the line is gone, stopped, or stays full for `timeout`.
    bool send(const Frame& frame, std::chrono::milliseconds timeout = std::chrono::milliseconds(2000));
    // Waits up to `timeout` for the next complete frame from the PC.
    Wait receive(Frame& out, std::chrono::milliseconds timeout);
    // Takes every frame that has already arrived without waiting; returns them.
    std::vector<Frame> drain();
    // Forgets a frame whose first bytes have arrived: after the PC's end was closed and opened
    // again, the rest of it will never come, and the next bytes start a new frame.
    void forgetPartialFrame() { decoder_.reset(); }
    // True while nobody holds the other end open (a pseudo-terminal whose slave is closed).
    bool peerGone();
    // Sleeps, returning early (false) when a stop is requested.
    bool pause(std::chrono::milliseconds t);

    // Thread- and signal-safe: makes every wait return Stopped.
    void requestStop();
    bool stopRequested() const;
    // For signal handlers: the descriptor that requestStop() writes to.
    int stopFd() const { return stopFd_; }

private:
    UnitLine(int fd, bool pty, std::string slavePath);
    void logFrame(const char* direction, const Frame& frame);

    int fd_ = -1;
    int stopFd_ = -1;
    bool pty_ = false;
    std::string slavePath_;
    FrameDecoder decoder_;
    std::deque<Frame> pending_;  // frames decoded but not yet handed out
    std::ostream* log_ = nullptr;
};

}  // namespace corvane::unitsim
