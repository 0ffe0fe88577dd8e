#include "content/box_record.h"

#include "content/wire_text.h"

namespace corvane {

void BoxRecord::empty() {
    count_ = 0;
    boxKind_ = 0;
    boxText_.clear();
}

void BoxRecord::append(const std::uint8_t* data, std::size_t n) {
    for (std::size_t i = 0; i < n && count_ <= kStopAfter; ++i) data_[count_++] = data[i];
}

void BoxRecord::parse() {
    boxText_.clear();
    if (count_ == 0) {
        boxKind_ = 0;
        return;
    }
    boxKind_ = data_[0];
    for (std::size_t i = 1; i < count_ && data_[i] != kTextEnd; ++i) boxText_.push_back(static_cast<char>(data_[i]));
}

}  // namespace corvane
