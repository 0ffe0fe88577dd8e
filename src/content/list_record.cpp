#include "content/list_record.h"

#include "content/wire_text.h"

namespace corvane {

void ListRecord::empty() {
    count_ = 0;
    header_ = 0;
}

void ListRecord::append(const std::uint8_t* data, std::size_t n) {
    for (std::size_t i = 0; i < n && count_ < kDataCapacity; ++i) data_[count_++] = data[i];
}

void ListRecord::parse() {
    items_.clear();
    header_ = count_ > 0 ? data_[0] : 0;
    // Only the bytes gathered for this list are read, never what an earlier, longer list left.
    std::size_t pos = 1;
    while (items_.size() < kMaxItems) {
        std::string line;
        bool counted = false;
        bool finished = false;
        while (pos < count_) {
            const std::uint8_t b = data_[pos++];
            if (b == kTextEnd) {
                counted = finished = true;
                break;
            }
            if (b == kFieldSeparator) {
                counted = true;
                break;
            }
            line.push_back(static_cast<char>(b));
        }
        if (counted) items_.push_back(std::move(line));
        if (finished || !counted) break;
    }
}

}  // namespace corvane
