#pragma once
// The readings of the page open in the main window: one column for each of its reading fields,
// with the field's caption and unit. The values come with each frame (CCorvaneNewDlg::valuesShown),
// in the same order.
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
    std::vector<ReadingColumn> columns;  // one per reading field, in page order
};

PageReadings readOpenPage(const PageChoices& pages);

}  // namespace corvane
