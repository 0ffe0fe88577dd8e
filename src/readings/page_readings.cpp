#include "readings/page_readings.h"

#include <QCoreApplication>

#include "platform/cp1252.h"
#include "screens/page_choices.h"

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
    // The same fields, in the same order, as the values that come with each frame.
    for (const PageField* field : pages.readingFields()) {
        const ReadingLabel label = field->readingLabel();
        r.columns.push_back({decodeCp1252(label.caption), decodeCp1252(label.unit)});
    }
    return r;
}

}  // namespace corvane
