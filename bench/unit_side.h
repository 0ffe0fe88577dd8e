#pragma once
// The unit's side of a pseudo-terminal for the benchmarks: the master in raw mode, whole
// frames written with one request and replies read in whatever pieces the line delivers.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/frame_codec.h"

namespace corvane::bench {

class UnitSide {
public:
    UnitSide();  // opens a new pseudo-terminal pair; ok() tells whether it worked
    ~UnitSide();
    UnitSide(const UnitSide&) = delete;
    UnitSide& operator=(const UnitSide&) = delete;

    bool ok() const { return master_ >= 0; }
    // The slave's path, which the PC side opens like a serial device.
    const std::string& path() const { return path_; }

    bool write(const std::vector<std::uint8_t>& bytes);
    // The next whole reply frame; nothing after two seconds without one.
    std::optional<Frame> reply();
    // Writes a frame and waits for its reply.
    std::optional<Frame> exchange(const std::vector<std::uint8_t>& frame) {
        if (!write(frame)) return std::nullopt;
        return reply();
    }

private:
    int master_ = -1;
    int slave_ = -1;  // held open so that the line never hangs up between the PC side's opens
    std::string path_;
    FrameDecoder decoder_;
    std::uint8_t buf_[4096];
    std::size_t len_ = 0, pos_ = 0;
};

// Bytes of a frame with `dataBytes` DATA bytes, on the wire.
inline std::size_t frameBytes(std::size_t dataBytes) { return dataBytes + 6; }

}  // namespace corvane::bench
