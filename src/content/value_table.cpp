#include "content/value_table.h"

#include <algorithm>

#include "content/wire_text.h"

namespace corvane {

void ValueTable::fill(const std::uint8_t* data, std::size_t n) {
    for (auto& v : values_) v.clear();
    present_.fill(false);
    if (n < 2) return;
    const int first = data[0];
    const int last = data[1];
    if (first > kPositions || last > kPositions || first == 0) return;

    std::size_t i = 2;
    for (int pos = first; pos <= last && i < n; ++pos) {
        std::string& value = values_[pos - 1];
        bool stop = false;
        while (i < n) {
            const std::uint8_t b = data[i++];
            if (b == kFieldSeparator) {
                present_[pos - 1] = true;
                break;
            }
            if (b == kTextEnd) {
                present_[pos - 1] = true;
                stop = true;
                break;
            }
            value.push_back(static_cast<char>(b));
            if (value.size() >= kMaxValueLength)
                break;  // cut here, not present; the next byte starts the next position
        }
        if (stop) break;
    }
}

bool ValueTable::value(int position, std::string& out) const {
    if (!present(position)) return false;
    out = values_[position - 1];
    return true;
}

bool ValueTable::present(int position) const {
    return position >= 1 && position <= kPositions && present_[position - 1];
}

namespace {
// A handshake may announce up to 255 bytes, but the 'O' reply carries at most 238: the limit is
// capped so that a closed reply always fits whole, '^' included.
std::size_t usableLimit(std::uint32_t replyLimit) {
    return std::min<std::size_t>(replyLimit, ValueTable::kReplyCapacity + 5);
}
}  // namespace

int ValueTable::longestValue(std::uint32_t replyLimit) {
    const std::size_t limit = usableLimit(replyLimit);
    return limit < 6 ? -1 : static_cast<int>(limit - 6);
}

bool ValueTable::addReplyValue(const std::string& value) {
    const std::size_t limit = usableLimit(replyLimit_);
    if (limit < 5 || value.size() + reply_.size() >= limit - 5) return false;
    reply_ += value;
    reply_.push_back(static_cast<char>(kFieldSeparator));
    return true;
}

void ValueTable::closeReply() {
    if (!reply_.empty() && reply_.back() == static_cast<char>(kFieldSeparator))
        reply_.back() = static_cast<char>(kTextEnd);
}

}  // namespace corvane
