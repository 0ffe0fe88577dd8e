#pragma once
// BoxRecord: the pop-up request gathered from 'B' frames.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace corvane {

class BoxRecord {
public:
    static constexpr std::size_t kDataCapacity = 260;
    static constexpr std::size_t kStopAfter = 250;  // takes no bytes once the count has passed this

    void empty();
    void append(const std::uint8_t* data, std::size_t n);
    // Kind letter from byte 0, text from byte 1 up to '^' (or to the end of the bytes held).
    void parse();

    std::uint32_t boxKind() const { return boxKind_; }
    const std::string& boxText() const { return boxText_; }
    std::size_t count() const { return count_; }

private:
    std::array<std::uint8_t, kDataCapacity> data_{};
    std::size_t count_ = 0;
    std::uint32_t boxKind_ = 0;
    std::string boxText_;
};

}  // namespace corvane
