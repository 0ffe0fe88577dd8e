#pragma once
// What the PC held when a trace began. A trace switched on mid-conversation (from the Com
// setting dialog, after the menu came) starts with replies that depend on earlier frames it does
// not hold: the menu-loaded byte, an open pop-up, a file the PC was given before, the receive
// capacity. The replay reads that state from the trace's first records and sets the PC up for it,
// or says what it assumed.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "menu_stream_builder.h"
#include "trace_reader.h"

namespace corvane::unitsim {

struct TraceStart {
    // A status reply shows the menu loaded before any menu transfer of the trace completes.
    bool menuLoadedBefore = false;
    // The first status reply, before any box request of the trace, shows a pop-up's state.
    std::uint8_t boxResultAtStart = 255;
    // The trace reads a file header or chunk ('G', 'F') or adds to a file ('E' without SUB 2)
    // before the unit names or starts a file of its own: the PC's file came from before.
    bool fileFromBefore = false;
    // Pages the trace jumps to ('J'), in the order first met.
    std::vector<std::uint16_t> pages;
    // The smallest receive capacity under which the recorded status texts fit (0: no text).
    unsigned capacityAtLeast = 0;
};

TraceStart traceStartOf(const std::vector<TraceRecord>& records);

// A menu that stands in for the one sent before the trace began: one item and an empty page
// (without a code, so showing it chooses nothing) for each page the trace jumps to, or a single
// page when it jumps nowhere.
MenuStreamBuilder standInMenu(const std::vector<std::uint16_t>& pages);

}  // namespace corvane::unitsim
