#include "content/report_buffer.h"

namespace corvane {

void ReportBuffer::append(const std::uint8_t* data, std::size_t n) {
    for (std::size_t i = 0; i < n && count_ < kCapacity; ++i) {
        if (data[i] == 0) break;
        data_[count_++] = data[i];
    }
}

void ReportBuffer::empty() {
    data_.fill(0);
    count_ = 0;
    readPos_ = 0;
}

std::uint8_t ReportBuffer::nextByte() {
    if (readPos_ >= count_) return 0;
    return data_[readPos_++];
}

}  // namespace corvane
