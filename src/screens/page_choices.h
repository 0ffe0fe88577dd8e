#pragma once
// The main window's side of the unit's menu: builds the outline from MenuRecord, opens pages on
// the client form, turns the user's choices into PendingAnswer and keeps the busy state from a
// choice handed to the unit until the unit has taken it.
#include <cstdint>
#include <vector>

#include "forms/client_wnd.h"
#include "forms/menu_wnd.h"
#include "link/unit_link.h"
#include "screens/status_line.h"

namespace corvane {

class PageChoices {
public:
    static constexpr std::size_t kMaxNesting = 9;  // group openings below the root
    static constexpr std::uint8_t kKeyStop = 0xFF;
    static constexpr std::uint8_t kKeyEscape = 9;

    PageChoices(UnitLink& link, CMenuWnd& menu, CClientWnd& client, StatusLine& status);

    // Handles the messages of this part; false for any other message.
    bool handle(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

    void buildOutline();                    // WM_LINK_MENU
    void selectPage(std::uint32_t pageId);  // WM_LINK_SHOW_PAGE, and a leaf when not busy
    void onMenuItem(std::uint32_t itemId);  // WM_MENU_ITEM
    void onPageChoice(std::uint32_t code);  // WM_BUTTON_CODE from a page button
    void onKeyPadKey(std::uint8_t key);     // WM_KEYPAD_KEY
    void leaveBusy();                       // WM_LINK_CHOICE_TAKEN
    void enterBusy();

    bool busy() const { return busy_; }
    std::uint32_t currentPageId() const { return currentPageId_; }
    int currentPageIndex() const { return currentPageIndex_; }
    // The icon picture number for a selector 1..13 of the unit, 0 for any other.
    static int iconForSelector(int selector);

private:
    void capEditField(const PageControl& control);

    UnitLink& link_;
    CMenuWnd& menu_;
    CClientWnd& client_;
    StatusLine& status_;
    bool busy_ = false;
    std::uint32_t currentPageId_ = 0;
    int currentPageIndex_ = -1;
    std::size_t entriesShown_ = 0;  // tree entries already in the outline
};

}  // namespace corvane
