#include "content/transfer_record.h"

#include <algorithm>
#include <cstring>

#include "content/wire_text.h"

namespace corvane {

TransferRecord::TransferRecord() : store_(kCapacity, 0) {}

void TransferRecord::setName(const std::string& name) {
    fileName_ = name;
    const auto dot = name.rfind('.');
    extension_ = dot == std::string::npos ? name : name.substr(dot + 1);
}

void TransferRecord::parseHeader(const std::uint8_t* data, std::size_t n) {
    announcedSize_ = 0;
    std::size_t i = 0;
    std::string name;
    while (i < n && data[i] != kFieldSeparator && name.size() < kMaxNameLength)
        name.push_back(static_cast<char>(data[i++]));
    setName(name);
    if (i < n && data[i] == kFieldSeparator) {
        ++i;
        std::size_t end = i;
        while (end < n && data[end] != kTextEnd) ++end;
        announcedSize_ = parsePlainDecimal(data + i, end - i, 10);
    }
    rewind();
}

void TransferRecord::append(const std::uint8_t* data, std::size_t n) {
    const std::size_t take = std::min(n, kCapacity - held_);
    std::memcpy(store_.data() + held_, data, take);
    held_ += take;
}

std::size_t TransferRecord::buildHeader(std::uint8_t* out, std::size_t maxBytes, std::uint32_t limit) {
    rewind();
    const std::string size = std::to_string(announcedSize_);
    const std::size_t total = fileName_.size() + 1 + size.size() + 1;
    if (limit >= 5 && fileName_.size() < limit - 5 && total <= maxBytes) {
        std::memcpy(out, fileName_.data(), fileName_.size());
        out[fileName_.size()] = kFieldSeparator;
        std::memcpy(out + fileName_.size() + 1, size.data(), size.size());
        out[total - 1] = kTextEnd;
        return total;
    }
    if (maxBytes == 0) return 0;
    out[0] = kTextEnd;
    return 1;
}

std::size_t TransferRecord::takeChunk(std::uint8_t* out, std::size_t capacity) {
    const std::size_t take = readPos_ < held_ ? std::min(capacity, held_ - readPos_) : 0;
    std::memcpy(out, store_.data() + readPos_, take);
    readPos_ += take;
    return take;
}

bool TransferRecord::load(const std::uint8_t* bytes, std::size_t length, const std::string& name) {
    if (length > kCapacity) return false;
    if (length > 0) std::memcpy(store_.data(), bytes, length);
    held_ = length;
    announcedSize_ = static_cast<std::int32_t>(length);
    const auto slash = name.find_last_of("/\\");
    setName(slash == std::string::npos ? name : name.substr(slash + 1));
    rewind();
    return true;
}

}  // namespace corvane
