#include "readings/page_readings.h"

#include "forms/control_text.h"
#include "link/unit_link.h"
#include "platform/cp1252.h"
#include "screens/page_choices.h"
#include "screens/page_updates.h"

namespace corvane {

PageReadings readOpenPage(UnitLink& link, const PageChoices& pages) {
    PageReadings r;
    auto records = link.lockRecords();
    const MenuRecord& menu = link.menuRecord();
    const int index = pages.currentPageIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= menu.pageCount()) return r;
    const MenuPage& page = menu.page(static_cast<std::size_t>(index));
    r.pageIndex = index;
    r.pageId = page.pageId;
    r.title = QStringLiteral("Page %1").arg(page.pageId);
    for (std::size_t i = 0; i < menu.entryCount(); ++i) {
        const MenuTreeEntry& e = menu.entry(i);
        if (e.kind == MenuTreeEntry::Item && e.id == page.pageId) r.title = decodeCp1252(e.name);
    }
    for (const auto& control : page.controls) {
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
