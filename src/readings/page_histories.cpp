#include "readings/page_histories.h"

namespace corvane {

void PageHistories::exchange(std::optional<std::uint32_t> from, ReadingsHistory& current,
                             std::optional<std::uint32_t> to, const std::vector<ReadingColumn>& columns) {
    ReadingsHistory leaving = std::move(current);
    current = ReadingsHistory();
    const bool found = to && [&] {
        for (auto it = kept_.begin(); it != kept_.end(); ++it)
            if (it->page == *to && it->history.columns() == columns) {
                current = std::move(it->history);
                kept_.erase(it);
                return true;
            }
        return false;
    }();
    if (!found) current.reset(columns);
    if (from && !leaving.empty()) {
        // A page seen again with other readings starts over: its older history goes.
        kept_.remove_if([&](const Kept& k) { return k.page == *from; });
        kept_.push_front({*from, std::move(leaving)});
        if (kept_.size() > kKept) kept_.pop_back();
    }
}

}  // namespace corvane
