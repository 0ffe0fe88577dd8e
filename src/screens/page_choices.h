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

    // Handles the window messages of this part (a menu item, a page button, a key-pad key);
    // false for any other message.
    bool handle(std::uint32_t message, std::uintptr_t wParam);

    // WM_LINK_MENU: the menu replaces the one shown (its outline, its pages and the open page).
    void buildOutline(const MenuContent& menu);
    void buildOutline();                    // from the link's record
    void selectPage(std::uint32_t pageId);  // WM_LINK_SHOW_PAGE, and a leaf when not busy
    void onMenuItem(std::uint32_t itemId);  // WM_MENU_ITEM
    void onPageChoice(std::uint32_t code);  // WM_BUTTON_CODE from a page button
    void onKeyPadKey(std::uint8_t key);     // WM_KEYPAD_KEY
    void leaveBusy();                       // WM_LINK_CHOICE_TAKEN
    void enterBusy();
    // The key pad opened or closed by the unit. While it is open the unit waits for its keys,
    // and the status line says so; its closing ends the busy state it began.
    void keyPadOpened();
    void keyPadClosed();
    // The link closed because the unit went away: a choice it had not taken is dropped with
    // it, and the user is told so.
    void connectionLost();

    bool busy() const { return busy_; }
    std::uint32_t currentPageId() const { return currentPageId_; }
    int currentPageIndex() const { return currentPageIndex_; }
    // The open page, null while none is; and the menu the window shows.
    MenuPage* currentPage();
    const MenuPage* currentPage() const { return const_cast<PageChoices*>(this)->currentPage(); }
    const MenuContent& menu() const { return content_; }
    // The field that shows a control of the menu on the form; null while it shows none.
    PageField* field(const PageControl& control) const { return client_.form().field(control); }
    // The open page's fields that show a reading, in page order: the columns of its readings.
    std::vector<const PageField*> readingFields() const;
    // The form the open page is shown on.
    const CClientForm& form() const { return client_.form(); }
    // The icon picture number for a selector 1..13 of the unit, 0 for any other.
    static int iconForSelector(int selector);

private:
    void removePageControls();
    void showKeyPadWait();

    UnitLink& link_;
    CMenuWnd& menu_;
    CClientWnd& client_;
    StatusLine& status_;
    MenuContent content_;  // the window's own copy: its controls hold the page's windows
    bool busy_ = false;
    bool keyPadOpen_ = false;
    std::uint32_t currentPageId_ = 0;
    int currentPageIndex_ = -1;
};

}  // namespace corvane
