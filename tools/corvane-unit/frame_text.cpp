#include "frame_text.h"

#include <cstdio>

namespace corvane::unitsim {

namespace {
bool printable(std::uint8_t b) { return b >= 0x20 && b < 0x7F && b != '"'; }
}  // namespace

std::string describeBytes(const std::vector<std::uint8_t>& bytes) {
    std::string out;
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (!out.empty()) out += ' ';
        // A run of at least two printable bytes reads better as text.
        std::size_t j = i;
        while (j < bytes.size() && printable(bytes[j])) ++j;
        if (j - i >= 2) {
            out += '"';
            out.append(bytes.begin() + static_cast<std::ptrdiff_t>(i), bytes.begin() + static_cast<std::ptrdiff_t>(j));
            out += '"';
            i = j;
            continue;
        }
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X", bytes[i]);
        out += hex;
        ++i;
    }
    return out;
}

std::string describeFrame(const Frame& frame) {
    std::string out;
    out += static_cast<char>(frame.letter >= 0x20 && frame.letter < 0x7F ? frame.letter : '?');
    out += " sub " + std::to_string(frame.sub) + ", " + std::to_string(frame.data.size()) + " bytes";
    if (!frame.data.empty()) out += ": " + describeBytes(frame.data);
    return out;
}

}  // namespace corvane::unitsim
