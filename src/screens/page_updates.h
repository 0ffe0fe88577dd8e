#pragma once
// The main window's side of what the unit changes on the open page and reads back from it: lists,
// texts and values shown in the page's controls, the values collected for the unit's read-back,
// progress on the page's bars, and the report composed from the page and saved to a file.
// Only the controls of the current page are touched (none while no page is open).
#include <cstdint>
#include <string>
#include <vector>

#include "content/menu_record.h"
#include "link/unit_link.h"
#include "screens/page_choices.h"
#include "screens/pop_up_slots.h"
#include "screens/report_save.h"

namespace corvane {

class PageUpdates : public TransferProgressView {
public:
    // `saver` shows the save dialog and writes the report; it must outlive this object.
    PageUpdates(UnitLink& link, const PageChoices& pages, ReportSave& saver);

    // The open pop-ups, once they exist; null means none can be open.
    void setPopUps(PopUpSlots* popUps) { popUps_ = popUps; }

    // Handles the messages of this part; false for any other message. `content` is what a
    // link notification carries; without it the link's record is read.
    bool handle(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                const LinkContent* content = nullptr);

    void fillList(const ListContent& list);                                       // WM_LINK_LIST
    void setText(const TextContent& text);                                        // WM_LINK_TEXT
    void showValues(const ValuesContent& values);                                 // WM_LINK_VALUES
    void collectValues(std::uint32_t first, std::uint32_t last);                  // WM_LINK_VALUE_REQUEST (sent)
    void setProgress(const ProgressContent& progress);                            // WM_LINK_PROGRESS
    void showTransferProgress(std::uint32_t total, std::uint32_t done) override;  // WM_LINK_TRANSFER
    void saveReport();                                                            // WM_LINK_REPORT (sent)

    // The value of a control as the unit reads it back: raw single-byte text, empty for a control
    // without a window, of a type that has no value, or a list without a selected line.
    static std::string readValue(const PageControl& control);
    // Shows a value in a control by its type letter; other types are left alone.
    static void setValue(const PageControl& control, const std::string& value);

private:
    // The controls of the current page; null while no page is open.
    const MenuPage* currentPage() const { return pages_.currentPage(); }
    // The notification's content, or a copy of the link's record when none came with it.
    template <typename T>
    T contentOf(std::uint32_t message, const LinkContent* content);

    UnitLink& link_;
    const PageChoices& pages_;
    ReportSave& saver_;
    PopUpSlots* popUps_ = nullptr;
};

}  // namespace corvane
