#pragma once
// What a posted notification announces, copied from the record on the worker when the frame
// completes. The window reads the copy, never the record: by the time a posted notification is
// handled the worker may have refilled the record for the next frame.
#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "content/menu_record.h"

namespace corvane {

struct BoxContent {
    std::uint32_t kind = 0;
    std::string text;
};

struct ListContent {
    std::uint32_t header = 0;
    std::vector<std::string> items;
};

struct TextContent {
    std::uint32_t header = 0;
    std::string text;
};

// The values a 'D' frame gave, by position (1 to 200), in position order.
struct ValuesContent {
    std::vector<std::pair<int, std::string>> present;
};

struct ProgressContent {
    std::uint32_t target = 0;
    std::int32_t range = 0;
    std::int32_t position = 0;
};

using LinkContent =
    std::variant<std::monostate, BoxContent, ListContent, TextContent, ValuesContent, ProgressContent, MenuContent>;

}  // namespace corvane
