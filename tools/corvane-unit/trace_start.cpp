#include "trace_start.h"

namespace corvane::unitsim {

namespace {
constexpr std::size_t kStatusFixed = 6;  // choice (3), box result, list choice, menu loaded
constexpr std::size_t kMaxStandInPages = 100;
constexpr std::uint16_t kLonePage = 0x0101;

bool statusShaped(const Frame& f) {
    return f.letter == 'A' && f.data.size() >= kStatusFixed + 1 && f.data.back() == '^';
}
}  // namespace

TraceStart traceStartOf(const std::vector<TraceRecord>& records) {
    TraceStart start;
    bool menuKnown = false, boxKnown = false, fileKnown = false;
    for (const TraceRecord& r : records) {
        const std::uint8_t c = r.command.letter;
        if (statusShaped(r.reply)) {
            if (!menuKnown) start.menuLoadedBefore = r.reply.data[5] == 1;
            if (!boxKnown) start.boxResultAtStart = r.reply.data[3];
            menuKnown = boxKnown = true;
            // A text is sent only while it is shorter than the capacity less 11 bytes.
            const std::size_t text = r.reply.data.size() - kStatusFixed - 1;
            if (text > 0 && text + 12 > start.capacityAtLeast) start.capacityAtLeast = static_cast<unsigned>(text + 12);
        }
        if (c == 'C' && r.command.sub == 1) menuKnown = true;
        if (c == 'B' || c == 'X' || c == 'Z') boxKnown = true;
        if (!fileKnown && (c == 'G' || c == 'F' || c == 'E' || c == 'N')) {
            start.fileFromBefore = c == 'G' || c == 'F' || (c == 'E' && r.command.sub != 2);
            fileKnown = true;
        }
        if (c == 'J' && r.command.data.size() >= 2 && start.pages.size() < kMaxStandInPages) {
            const auto id = static_cast<std::uint16_t>(r.command.data[0] << 8 | r.command.data[1]);
            bool seen = false;
            for (std::uint16_t p : start.pages) seen = seen || p == id;
            if (!seen) start.pages.push_back(id);
        }
    }
    return start;
}

MenuStreamBuilder standInMenu(const std::vector<std::uint16_t>& pages) {
    auto build = [](const std::vector<std::uint16_t>& ids) {
        MenuStreamBuilder m;
        for (std::uint16_t id : ids) m.item("Page " + std::to_string(id), id, 1);
        for (std::uint16_t id : ids) m.page(id, 0);
        return m;
    };
    MenuStreamBuilder menu = build(pages.empty() ? std::vector<std::uint16_t>{kLonePage} : pages);
    // An id the PC's parser would misread (a zero byte) gives way to a single plain page.
    if (!menu.problems().empty()) menu = build({kLonePage});
    return menu;
}

}  // namespace corvane::unitsim
