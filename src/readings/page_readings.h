#pragma once
// The caption/value boxes of the page open in the main window, read as the page handlers left
// them: each box's caption and unit (the text after '|' in the page's control text, which the
// box does not show) and the value it shows.
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

#include "readings/readings_history.h"

namespace corvane {

class UnitLink;
class PageChoices;

struct PageReadings {
    int pageIndex = -1;  // -1: no page open
    std::uint32_t pageId = 0;
    QString title;                       // the menu item's name
    std::vector<ReadingColumn> columns;  // one per caption/value box, in page order
    std::vector<std::string> values;     // raw Windows-1252, one per column
};

PageReadings readOpenPage(UnitLink& link, const PageChoices& pages);

}  // namespace corvane
