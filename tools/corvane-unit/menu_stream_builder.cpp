#include "menu_stream_builder.h"

#include <algorithm>

namespace corvane::unitsim {

namespace {
bool structural(std::uint8_t b) { return b == 'F' || b == 'I' || b == 'E' || b == 'P' || b == 'O' || b == '$'; }
}  // namespace

void MenuStreamBuilder::terminate() {
    bytes_.push_back(0x00);
    bytes_.push_back('$');
}

void MenuStreamBuilder::checkBody(const std::vector<std::uint8_t>& body, const std::string& what) {
    for (std::size_t i = 0; i + 1 < body.size(); ++i)
        if (body[i] == 0x00 && structural(body[i + 1]))
            problems_.push_back(what + ": bytes 00 '" + static_cast<char>(body[i + 1]) + "' inside the element");
    // The last body byte 00 meets the terminator's 00: a pair 00 00 is harmless.
}

void MenuStreamBuilder::treeElement(char letter, const std::string& name, std::uint16_t id, std::uint8_t icon) {
    const std::string what = std::string(letter == 'F' ? "group " : "item ") + "'" + name + "'";
    if (pageStarted_) problems_.push_back(what + ": tree elements must come before the first page");
    if (name.size() > 30) problems_.push_back(what + ": name longer than 30 bytes");
    if (name.find('^') != std::string::npos || name.find('\0') != std::string::npos)
        problems_.push_back(what + ": name holds '^' or a zero byte");
    std::vector<std::uint8_t> body(name.begin(), name.end());
    body.push_back('^');
    body.push_back(static_cast<std::uint8_t>(id >> 8));
    body.push_back(static_cast<std::uint8_t>(id & 0xFF));
    body.push_back(icon);
    checkBody(body, what);
    bytes_.push_back(0x00);
    bytes_.push_back(static_cast<std::uint8_t>(letter));
    bytes_.insert(bytes_.end(), body.begin(), body.end());
    terminate();
}

MenuStreamBuilder& MenuStreamBuilder::group(const std::string& name, std::uint16_t id, std::uint8_t icon) {
    treeElement('F', name, id, icon);
    return *this;
}

MenuStreamBuilder& MenuStreamBuilder::item(const std::string& name, std::uint16_t id, std::uint8_t icon) {
    treeElement('I', name, id, icon);
    return *this;
}

MenuStreamBuilder& MenuStreamBuilder::endGroup() {
    if (pageStarted_) problems_.push_back("group closing: tree elements must come before the first page");
    bytes_.push_back(0x00);
    bytes_.push_back('E');
    terminate();
    return *this;
}

MenuStreamBuilder& MenuStreamBuilder::page(std::uint16_t id, std::uint32_t pageCode) {
    pageStarted_ = true;
    const std::vector<std::uint8_t> body = {static_cast<std::uint8_t>(id >> 8), static_cast<std::uint8_t>(id & 0xFF),
                                            static_cast<std::uint8_t>((pageCode >> 16) & 0xFF),
                                            static_cast<std::uint8_t>((pageCode >> 8) & 0xFF),
                                            static_cast<std::uint8_t>(pageCode & 0xFF)};
    checkBody(body, "page " + std::to_string(id));
    bytes_.push_back(0x00);
    bytes_.push_back('P');
    bytes_.insert(bytes_.end(), body.begin(), body.end());
    terminate();
    return *this;
}

MenuStreamBuilder& MenuStreamBuilder::control(const ControlElement& c) {
    const std::string what = "control " + std::to_string(c.id) + " '" + c.type + "'";
    if (!pageStarted_) problems_.push_back(what + ": a control needs a page before it");
    if (c.text.find('^') != std::string::npos || c.text.find('\0') != std::string::npos)
        problems_.push_back(what + ": text holds '^' or a zero byte");
    std::vector<std::uint8_t> body;
    body.reserve(c.text.size() + 11);
    for (std::uint8_t b : {c.id, static_cast<std::uint8_t>(c.type), c.left, c.top, c.right, c.bottom})
        body.push_back(b);
    for (char ch : c.text) body.push_back(static_cast<std::uint8_t>(ch));
    body.push_back('^');
    if (c.code) {
        const std::uint32_t code = *c.code;
        body.push_back(static_cast<std::uint8_t>((code >> 16) & 0xFF));
        body.push_back(static_cast<std::uint8_t>((code >> 8) & 0xFF));
        body.push_back(static_cast<std::uint8_t>(code & 0xFF));
        body.push_back(c.style);
        // A code whose first two bytes are 00 '$' reads as "no code".
        if (((code >> 16) & 0xFF) == 0 && ((code >> 8) & 0xFF) == '$')
            problems_.push_back(what + ": code reads as no code");
    }
    checkBody(body, what);
    bytes_.push_back(0x00);
    bytes_.push_back('O');
    bytes_.insert(bytes_.end(), body.begin(), body.end());
    terminate();
    return *this;
}

std::vector<Frame> MenuStreamBuilder::frames(std::size_t maxData) const {
    maxData = std::clamp<std::size_t>(maxData, 1, kMaxReceivedData);
    std::vector<Frame> out;
    std::size_t at = 0;
    do {
        const std::size_t n = std::min(maxData, bytes_.size() - at);
        Frame f{'C', 0,
                std::vector<std::uint8_t>(bytes_.begin() + static_cast<std::ptrdiff_t>(at),
                                          bytes_.begin() + static_cast<std::ptrdiff_t>(at + n))};
        at += n;
        out.push_back(std::move(f));
    } while (at < bytes_.size());
    out.back().sub = 1;
    return out;
}

}  // namespace corvane::unitsim
