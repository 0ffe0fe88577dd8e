#pragma once
// ReportBuffer: the layout of a report, from one 'W' frame.
#include <array>
#include <cstddef>
#include <cstdint>

namespace corvane {

class ReportBuffer {
public:
    static constexpr std::size_t kCapacity = 1000;

    // Stores bytes after those held, stopping at the first zero byte or when full.
    void append(const std::uint8_t* data, std::size_t n);
    void empty();
    void rewind() { readPos_ = 0; }
    // The next layout byte, 0 at the end.
    std::uint8_t nextByte();
    std::size_t count() const { return count_; }

private:
    std::array<std::uint8_t, kCapacity> data_{};
    std::size_t count_ = 0;
    std::size_t readPos_ = 0;
};

}  // namespace corvane
