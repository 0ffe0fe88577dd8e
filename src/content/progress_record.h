#pragma once
// ProgressRecord: one progress indication from a 'P' frame.
#include <cstddef>
#include <cstdint>

namespace corvane {

class ProgressRecord {
public:
    static constexpr std::uint32_t kKeyPadTarget = 255;

    // Target from byte 0, then "range|position|" as plain decimals of up to 9 characters.
    void fill(const std::uint8_t* data, std::size_t n);

    std::int32_t range() const { return range_; }
    std::int32_t position() const { return position_; }
    std::uint32_t target() const { return target_; }

private:
    std::int32_t range_ = 0;
    std::int32_t position_ = 0;
    std::uint32_t target_ = 0;
};

}  // namespace corvane
