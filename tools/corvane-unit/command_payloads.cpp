#include "command_payloads.h"

#include <algorithm>

namespace corvane::unitsim {

namespace {
void appendText(Bytes& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }

std::vector<Frame> split(std::uint8_t letter, const Bytes& all, std::size_t maxData) {
    maxData = std::clamp<std::size_t>(maxData, 1, kMaxReceivedData);
    std::vector<Frame> out;
    std::size_t at = 0;
    do {
        const std::size_t n = std::min(maxData, all.size() - at);
        out.push_back(Frame{
            letter, 0,
            Bytes(all.begin() + static_cast<std::ptrdiff_t>(at), all.begin() + static_cast<std::ptrdiff_t>(at + n))});
        at += n;
    } while (at < all.size());
    out.back().sub = 1;
    return out;
}
}  // namespace

Bytes handshakePayload(std::uint8_t capacity) { return {capacity}; }

Bytes boxPayload(char kind, const std::string& text) {
    Bytes out{static_cast<std::uint8_t>(kind)};
    appendText(out, text);
    out.push_back('^');
    return out;
}

std::vector<Frame> listFrames(std::uint8_t header, const std::vector<std::string>& lines, std::size_t maxData) {
    Bytes all{header};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) all.push_back('|');
        appendText(all, lines[i]);
    }
    all.push_back('^');
    return split('L', all, maxData);
}

std::vector<Frame> textFrames(std::uint8_t header, const std::string& text, std::size_t maxData) {
    Bytes all{header};
    appendText(all, text);
    all.push_back('^');
    return split('T', all, maxData);
}

Bytes valuesPayload(std::uint8_t first, const std::vector<std::string>& values) {
    const std::size_t last = values.empty() ? first : first + values.size() - 1;
    Bytes out{first, static_cast<std::uint8_t>(std::min<std::size_t>(last, 255))};
    for (std::size_t i = 0; i < values.size(); ++i) {
        appendText(out, values[i]);
        out.push_back(i + 1 < values.size() ? '|' : '^');
    }
    return out;
}

Bytes progressPayload(std::uint8_t target, int range, int position) {
    Bytes out{target};
    appendText(out, std::to_string(range));
    out.push_back('|');
    appendText(out, std::to_string(position));
    out.push_back('|');
    return out;
}

Bytes fileHeaderPayload(const std::string& name, std::size_t size) {
    Bytes out;
    appendText(out, name);
    out.push_back('|');
    appendText(out, std::to_string(size));
    out.push_back('^');
    return out;
}

std::vector<Frame> fileDataFrames(const Bytes& file, std::size_t maxData) {
    std::vector<Frame> out = split('E', file, maxData);
    for (Frame& f : out) f.sub = 0;
    out.front().sub = 2;
    return out;
}

Bytes pageJumpPayload(std::uint16_t pageId) {
    return {static_cast<std::uint8_t>(pageId >> 8), static_cast<std::uint8_t>(pageId & 0xFF)};
}

Bytes valueRequestPayload(std::uint8_t firstId, std::uint8_t lastId) { return {firstId, lastId}; }

ReportLayout& ReportLayout::control(std::uint8_t id) {
    bytes_.push_back(id);
    return *this;
}
ReportLayout& ReportLayout::lineBreak() {
    bytes_.push_back(254);
    return *this;
}
ReportLayout& ReportLayout::space() {
    bytes_.push_back(253);
    return *this;
}
ReportLayout& ReportLayout::colon() {
    bytes_.push_back(252);
    return *this;
}

std::vector<std::string> splitValueReply(const Bytes& data) {
    std::vector<std::string> out;
    if (data.empty()) return out;
    std::string current;
    for (std::uint8_t b : data) {
        if (b == '|' || b == '^') {
            out.push_back(current);
            current.clear();
            if (b == '^') break;
        } else {
            current += static_cast<char>(b);
        }
    }
    return out;
}

bool parseFileHeader(const Bytes& data, std::string& name, std::size_t& size) {
    const auto bar = std::find(data.begin(), data.end(), static_cast<std::uint8_t>('|'));
    if (bar == data.end()) return false;
    name.assign(data.begin(), bar);
    size = 0;
    bool digits = false;
    for (auto it = bar + 1; it != data.end() && *it != '^'; ++it) {
        if (*it < '0' || *it > '9') return false;
        size = size * 10 + (*it - '0');
        digits = true;
    }
    return digits;
}

}  // namespace corvane::unitsim
