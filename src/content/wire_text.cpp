#include "content/wire_text.h"

#include <algorithm>
#include <limits>

namespace corvane {

std::int32_t parsePlainDecimal(const std::uint8_t* p, std::size_t n, std::size_t maxChars) {
    const std::size_t end = std::min(n, maxChars);
    std::size_t i = 0;
    while (i < end && (p[i] == ' ' || p[i] == '\t')) ++i;
    bool negative = false;
    if (i < end && (p[i] == '+' || p[i] == '-')) {
        negative = p[i] == '-';
        ++i;
    }
    std::int64_t value = 0;
    constexpr std::int64_t kCap = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; i < end && p[i] >= '0' && p[i] <= '9'; ++i) {
        value = std::min<std::int64_t>(value * 10 + (p[i] - '0'), kCap);
    }
    if (negative) value = -value;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

}  // namespace corvane
