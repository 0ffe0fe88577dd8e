#include "content/progress_record.h"

#include "content/wire_text.h"

namespace corvane {

namespace {
constexpr std::size_t kMaxDigits = 9;

// Reads the number that starts at `i` and moves `i` past the '|' that ends its field.
std::int32_t takeField(const std::uint8_t* data, std::size_t n, std::size_t& i) {
    const std::size_t start = i;
    while (i < n && i - start < kMaxDigits && data[i] != kFieldSeparator) ++i;
    const std::int32_t v = parsePlainDecimal(data + start, i - start, kMaxDigits);
    if (i < n && data[i] == kFieldSeparator) ++i;
    return v;
}
}  // namespace

void ProgressRecord::fill(const std::uint8_t* data, std::size_t n) {
    target_ = n > 0 ? data[0] : 0;
    std::size_t i = 1;
    range_ = i < n ? takeField(data, n, i) : 0;
    position_ = i < n ? takeField(data, n, i) : 0;
}

}  // namespace corvane
