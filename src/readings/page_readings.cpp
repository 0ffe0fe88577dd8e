#include "readings/page_readings.h"

#include "forms/control_text.h"
#include "platform/cp1252.h"
#include "screens/page_choices.h"
#include "screens/page_updates.h"

namespace corvane {

PageReadings readOpenPage(const PageChoices& pages) {
    PageReadings r;
    // The window's own copy of the menu: its controls hold the page's windows.
    const MenuPage* page = pages.currentPage();
    if (!page) return r;
    r.pageIndex = pages.currentPageIndex();
    r.pageId = page->pageId;
    r.title = QStringLiteral("Page %1").arg(page->pageId);
    for (const MenuTreeEntry& e : pages.menu().entries)
        if (e.kind == MenuTreeEntry::Item && e.id == page->pageId) r.title = decodeCp1252(e.name);
    for (const auto& control : page->controls) {
        if (control->type != 's' || !control->window) continue;
        const ControlText text = splitControlText(control->text);
        // The unit ends the caption's list part like any list; the '^' is no part of the unit.
        std::string unit = text.list.substr(0, text.list.find('^'));
        r.columns.push_back({decodeCp1252(text.caption), decodeCp1252(unit)});
        r.values.push_back(PageUpdates::readValue(*control));
    }
    return r;
}

}  // namespace corvane
