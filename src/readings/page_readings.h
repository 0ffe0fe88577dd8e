#pragma once
// The readings of the page open in the main window: one column for each caption/value box, with
// its caption and unit (the text after '|' in the page's control text, which the box does not
// show). The values come with each frame (CCorvaneNewDlg::valuesShown), in the same order.
#include <QString>

#include <cstdint>
#include <vector>

#include "readings/readings_history.h"

namespace corvane {

class PageChoices;

struct PageReadings {
    int pageIndex = -1;  // -1: no page open
    std::uint32_t pageId = 0;
    QString title;                       // the menu item's name
    std::vector<ReadingColumn> columns;  // one per caption/value box, in page order
};

PageReadings readOpenPage(const PageChoices& pages);

}  // namespace corvane
