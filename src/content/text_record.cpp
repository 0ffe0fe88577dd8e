#include "content/text_record.h"

#include "content/wire_text.h"

namespace corvane {

void TextRecord::empty() {
    count_ = 0;
    header_ = 0;
}

void TextRecord::append(const std::uint8_t* data, std::size_t n) {
    for (std::size_t i = 0; i < n && count_ < kDataCapacity; ++i) data_[count_++] = data[i];
}

void TextRecord::parse() {
    text_.clear();
    header_ = count_ > 0 ? data_[0] : 0;
    for (std::size_t i = 1; i < count_ && data_[i] != kTextEnd; ++i) text_.push_back(static_cast<char>(data_[i]));
}

}  // namespace corvane
