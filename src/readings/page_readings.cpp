#include "readings/page_readings.h"

#include <QCoreApplication>

#include "forms/control_text.h"
#include "platform/cp1252.h"
#include "screens/page_choices.h"
#include "screens/page_updates.h"

namespace corvane {

PageReadings readOpenPage(const PageChoices& pages) {
    PageReadings r;
    const MenuPage* page = pages.currentPage();
    if (!page) return r;
    r.pageIndex = pages.currentPageIndex();
    r.pageId = page->pageId;
    r.title = QCoreApplication::translate("corvane::PageReadings", "Page %1").arg(page->pageId);
    for (const MenuTreeEntry& e : pages.menu().entries)
        if (e.kind == MenuTreeEntry::Item && e.id == page->pageId) r.title = decodeCp1252(e.name);
    // The same boxes, in the same order, as the values that come with each frame.
    for (const PageControl* box : PageUpdates::readingBoxes(*page)) {
        const ControlText text = splitControlText(box->text);
        // The unit ends the caption's list part like any list; the '^' is no part of the unit.
        std::string unit = text.list.substr(0, text.list.find('^'));
        r.columns.push_back({decodeCp1252(text.caption), decodeCp1252(unit)});
    }
    return r;
}

}  // namespace corvane
