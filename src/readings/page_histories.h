#pragma once
// The histories of the pages shown while the program runs, so that a page opened again shows
// what it showed before (with a gap for the time it was away). A history belongs to a page by
// the page's id and its readings; the histories of the kKept pages shown last are kept.
#include <cstdint>
#include <list>
#include <optional>
#include <vector>

#include "readings/readings_history.h"

namespace corvane {

class PageHistories {
public:
    static constexpr std::size_t kKept = 6;

    // Keeps `current`, the history of page `from` (none: no page), and leaves in it the
    // history of page `to` with these columns: the one kept for it, or a new one.
    void exchange(std::optional<std::uint32_t> from, ReadingsHistory& current, std::optional<std::uint32_t> to,
                  const std::vector<ReadingColumn>& columns);
    std::size_t size() const { return kept_.size(); }

private:
    struct Kept {
        std::uint32_t page;
        ReadingsHistory history;
    };
    std::list<Kept> kept_;  // the most recently left first
};

}  // namespace corvane
