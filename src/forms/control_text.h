#pragma once
// A page control's text holds up to two parts, "caption|list": the caption names the control,
// the list carries the items of a choice box.
#include <string>
#include <string_view>

namespace corvane {

struct ControlText {
    static constexpr std::size_t kMaxPart = 499;
    std::string caption;  // raw Windows-1252 bytes
    std::string list;
};

// Splits at the first '|'; without one the whole text is the caption. Each part is cut to
// kMaxPart bytes.
ControlText splitControlText(std::string_view text);

}  // namespace corvane
