#pragma once
// The main window's side of what the unit changes on the open page and reads back from it: lists,
// texts and values shown in the page's controls, the values collected for the unit's read-back,
// progress on the page's bars, and the report composed from the page and saved to a file.
// Only the controls of the current page are touched (none while no page is open).
#include <cstdint>
#include <string>
#include <vector>

#include "content/menu_record.h"
#include "link/link_notifications.h"
#include "link/unit_link.h"
#include "screens/page_choices.h"
#include "screens/pop_up_slots.h"
#include "screens/report_save.h"

namespace corvane {

// What the page's readings showed after one values frame: when the frame arrived on the link, and
// one value per reading field (raw single-byte text), in page order.
struct ShownValues {
    LinkClock::time_point arrival;
    std::vector<std::string> values;
};

class PageUpdates : public TransferProgressView {
public:
    // `saver` shows the save dialog and writes the report; it must outlive this object.
    PageUpdates(UnitLink& link, const PageChoices& pages, ReportSave& saver);

    // The open pop-ups, once they exist; null means none can be open.
    void setPopUps(PopUpSlots* popUps) { popUps_ = popUps; }

    void fillList(const LinkList& list);  // WM_LINK_LIST
    void setText(const LinkText& text);   // WM_LINK_TEXT
    // WM_LINK_VALUES: shows the values of every frame, as handling the frames one by one would
    // leave them, and returns what the reading fields showed after each frame not yet taken as a
    // reading (none while no page is open).
    std::vector<ShownValues> showValues(const LinkValues& values);
    // The same readings without showing anything: for frames that are still waiting.
    std::vector<ShownValues> readingsOf(const std::vector<ValuesFrame>& frames) const;
    void collectValues(std::uint32_t first, std::uint32_t last);                  // WM_LINK_VALUE_REQUEST (sent)
    void setProgress(const LinkProgress& progress);                               // WM_LINK_PROGRESS
    void showTransferProgress(std::uint32_t total, std::uint32_t done) override;  // WM_LINK_TRANSFER
    void showTransferProgress(const LinkTransferOut& sent);
    void showTransferProgress(const LinkTransferIn& received);
    void saveReport();  // WM_LINK_REPORT (sent)

private:
    // The controls of the current page; null while no page is open.
    const MenuPage* currentPage() const { return pages_.currentPage(); }
    // The field of a control of the open page; null for one without a field.
    PageField* field(const PageControl& control) const { return pages_.field(control); }
    // Follows the page's reading fields through the frames from `first` on; with `show`, the
    // values are shown as well.
    std::vector<ShownValues> followFrames(const std::vector<ValuesFrame>& frames, std::size_t first, bool show) const;

    UnitLink& link_;
    const PageChoices& pages_;
    ReportSave& saver_;
    PopUpSlots* popUps_ = nullptr;
};

}  // namespace corvane
