#include "link/memory_port.h"

namespace corvane {

SerialPort::ReadResult MemoryPort::readByte(std::uint8_t& out) {
    if (pos_ >= input_.size()) return ReadResult::Timeout;
    out = input_[pos_++];
    return ReadResult::Byte;
}

bool MemoryPort::write(const std::uint8_t* data, std::size_t n) {
    output_.insert(output_.end(), data, data + n);
    return true;
}

}  // namespace corvane
