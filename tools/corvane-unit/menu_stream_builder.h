#pragma once
// Builds the element stream of a menu transfer ('C'): the tree of groups and items first, then
// the pages with their controls, and splits it into frames.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/frame_codec.h"

namespace corvane::unitsim {

struct ControlElement {
    std::uint8_t id = 0;
    char type =
        't';  // 'b' button, 'c' choice box, 'e' edit, 'l' list, 'p' progress, 's' show box, 't' text, 'x' multi-line
    std::uint8_t left = 0, top = 0, right = 0, bottom = 0;  // grid units
    std::string text;                                       // "Caption|item|item" where the type uses it
    std::optional<std::uint32_t> code;                      // 24-bit choice code, with the style byte
    std::uint8_t style = 0;                                 // icon selector of an icon button
};

class MenuStreamBuilder {
public:
    static constexpr std::size_t kDefaultFrameData = 200;

    MenuStreamBuilder& group(const std::string& name, std::uint16_t id, std::uint8_t icon);
    MenuStreamBuilder& item(const std::string& name, std::uint16_t id, std::uint8_t icon);
    MenuStreamBuilder& endGroup();
    // A page; pageCode 0 means none (sent as three zero bytes).
    MenuStreamBuilder& page(std::uint16_t id, std::uint32_t pageCode);
    MenuStreamBuilder& control(const ControlElement& element);

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    // 'C' frames of at most `maxData` DATA bytes (1..249): SUB 0 on all but the last, SUB 1 on it.
    std::vector<Frame> frames(std::size_t maxData = kDefaultFrameData) const;

    // Byte pairs inside element bodies that the PC's parser would take for structure (00 'P',
    // 00 '$' and the like, from ids or codes with a zero byte), texts with '^' or zero bytes,
    // names longer than 30 bytes, tree elements after the first page. Empty when the stream
    // parses back to exactly what was built.
    const std::vector<std::string>& problems() const { return problems_; }

private:
    void treeElement(char letter, const std::string& name, std::uint16_t id, std::uint8_t icon);
    void checkBody(const std::vector<std::uint8_t>& body, const std::string& what);
    void terminate();

    std::vector<std::uint8_t> bytes_;
    std::vector<std::string> problems_;
    bool pageStarted_ = false;
};

}  // namespace corvane::unitsim
