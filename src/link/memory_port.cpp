#include "link/memory_port.h"

#include <algorithm>
#include <cstring>

namespace corvane {

MemoryPort::MemoryPort(std::vector<std::uint8_t> input) { feed(input); }

void MemoryPort::feed(const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty()) return;
    input_.insert(input_.end(), bytes.begin(), bytes.end());
    deliveryEnds_.push_back(input_.size());
}

SerialPort::ReadResult MemoryPort::read(std::uint8_t* out, std::size_t capacity, std::size_t& got) {
    got = 0;
    if (pos_ >= input_.size()) {
        ++emptyReads_;
        return ReadResult::Timeout;
    }
    while (deliveryEnds_[delivery_] <= pos_) ++delivery_;
    got = std::min(capacity, deliveryEnds_[delivery_] - pos_);
    if (got == 0) return ReadResult::Error;
    std::memcpy(out, input_.data() + pos_, got);
    pos_ += got;
    ++reads_;
    return ReadResult::Data;
}

bool MemoryPort::write(const std::uint8_t* data, std::size_t n) {
    output_.insert(output_.end(), data, data + n);
    return true;
}

}  // namespace corvane
