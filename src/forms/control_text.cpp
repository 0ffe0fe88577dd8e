#include "forms/control_text.h"

namespace corvane {

ControlText splitControlText(std::string_view text) {
    ControlText parts;
    const auto bar = text.find('|');
    const std::string_view caption = text.substr(0, bar);
    parts.caption.assign(caption.substr(0, ControlText::kMaxPart));
    if (bar != std::string_view::npos) parts.list.assign(text.substr(bar + 1).substr(0, ControlText::kMaxPart));
    return parts;
}

}  // namespace corvane
