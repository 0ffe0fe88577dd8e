#include "screens/page_choices.h"

#include <algorithm>
#include <array>

#include "platform/window_messages.h"

namespace corvane {

namespace {
constexpr int kLeafIconSize = 32;

// A byte of a 24-bit code; zero bytes of a page code travel as 0xFF.
std::uint8_t codeByte(std::uint32_t code, int shift, bool zeroAsNone) {
    const auto b = static_cast<std::uint8_t>((code >> shift) & 0xFF);
    return (zeroAsNone && b == 0) ? 0xFF : b;
}
}  // namespace

PageChoices::PageChoices(UnitLink& link, CMenuWnd& menu, CClientWnd& client, StatusLine& status)
    : link_(link), menu_(menu), client_(client), status_(status) {}

int PageChoices::iconForSelector(int selector) {
    static constexpr std::array<int, 14> kIcons = {0, 157, 160, 158, 161, 162, 159, 154, 152, 153, 155, 163, 164, 156};
    return selector >= 1 && selector <= 13 ? kIcons[static_cast<std::size_t>(selector)] : 0;
}

bool PageChoices::handle(std::uint32_t message, std::uintptr_t wParam) {
    switch (message) {
        case WM_MENU_ITEM: onMenuItem(static_cast<std::uint32_t>(wParam)); return true;
        case WM_BUTTON_CODE: onPageChoice(static_cast<std::uint32_t>(wParam)); return true;
        case WM_KEYPAD_KEY: onKeyPadKey(static_cast<std::uint8_t>(wParam)); return true;
        default: return false;
    }
}

MenuPage* PageChoices::currentPage() {
    if (currentPageIndex_ < 0 || static_cast<std::size_t>(currentPageIndex_) >= content_.pages.size()) return nullptr;
    return content_.pages[static_cast<std::size_t>(currentPageIndex_)].get();
}

void PageChoices::removePageControls() {
    // Only the controls of the menu shown are on the form.
    client_.form().removeAllControls();
}

std::vector<const PageField*> PageChoices::readingFields() const {
    std::vector<const PageField*> readings;
    if (const MenuPage* page = currentPage()) {
        for (const auto& control : page->controls) {
            const PageField* f = field(*control);
            if (f && f->isReading()) readings.push_back(f);
        }
    }
    return readings;
}

void PageChoices::buildOutline() {
    MenuContent menu;
    {
        auto records = link_.lockRecords();
        menu = link_.menuRecord().snapshot();
    }
    buildOutline(menu);
}

void PageChoices::buildOutline(const MenuContent& received) {
    status_.setStatusText(kStatusReady);
    // A menu sent again (the unit restarted) replaces everything of the one before: the
    // outline, the pages and the open page, which belonged to the old menu.
    removePageControls();
    client_.resetScroll();
    content_ = received;
    currentPageId_ = 0;
    currentPageIndex_ = -1;
    for (MenuTreeEntry& e : content_.entries)
        if (const int icon = iconForSelector(e.icon)) e.iconBitmap = static_cast<std::uint32_t>(icon);
    for (auto& page : content_.pages) {
        for (auto& control : page->controls)
            if (const int icon = iconForSelector(control->style)) control->icon = static_cast<std::uint32_t>(icon);
    }

    menu_.clear();
    std::vector<int> parents = {0};
    std::size_t flattened = 0;  // group openings deeper than the outline holds
    for (const MenuTreeEntry& e : content_.entries) {
        switch (e.kind) {
            case MenuTreeEntry::GroupOpen: {
                const int index = menu_.insertBranch(e.name, parents.back());
                // Deeper groups than the outline holds show their entries at the deepest level.
                if (parents.size() <= kMaxNesting)
                    parents.push_back(index);
                else
                    ++flattened;
                break;
            }
            case MenuTreeEntry::Item:
                menu_.insertLeaf(e.name, static_cast<int>(e.id), parents.back(), static_cast<int>(e.iconBitmap),
                                 kLeafIconSize, kLeafIconSize);
                break;
            case MenuTreeEntry::GroupClose:
                if (flattened > 0)
                    --flattened;
                else if (parents.size() > 1)
                    parents.pop_back();
                break;
            default: break;
        }
    }
}

void PageChoices::selectPage(std::uint32_t pageId) {
    std::uint32_t pageCode = 0;
    bool hasCode = false;
    if (pageId != currentPageId_) {
        client_.resetScroll();
        removePageControls();
    }
    currentPageId_ = pageId;
    for (std::size_t p = 0; p < content_.pages.size(); ++p) {
        MenuPage& page = *content_.pages[p];
        if (page.pageId != pageId) continue;
        currentPageIndex_ = static_cast<int>(p);
        // No more can be typed than one reply carries back to the unit.
        const int longest = std::max(0, ValueTable::longestValue(link_.replySizeLimit()));
        for (auto& control : page.controls) {
            client_.addControl(*control);
            if (PageField* f = field(*control)) f->limitInput(longest);
        }
        if (page.pageCode != 0) {
            pageCode = page.pageCode;
            hasCode = true;
        }
    }
    if (!hasCode) return;
    link_.updateAnswer([pageCode](PendingAnswer& a) {
        a.choiceHigh = codeByte(pageCode, 16, true);
        a.choiceMid = codeByte(pageCode, 8, true);
        a.choiceLow = codeByte(pageCode, 0, true);
        a.listChoice = PendingAnswer::kUnset;
    });
    enterBusy();
}

void PageChoices::onMenuItem(std::uint32_t itemId) {
    if (!busy_) selectPage(itemId);
}

void PageChoices::onPageChoice(std::uint32_t code) {
    if (busy_) return;
    // The last list box of the open page says which line goes with the choice.
    const PageField* list = nullptr;
    if (const MenuPage* page = currentPage()) {
        for (const auto& control : page->controls)
            if (const PageField* f = field(*control); f && f->isList()) list = f;
    }
    const bool haveList = list != nullptr;
    const ListSelection selected = list ? list->listSelection() : ListSelection{};
    link_.updateAnswer([code, haveList, selected](PendingAnswer& a) {
        a.choiceHigh = codeByte(code, 16, false);
        a.choiceMid = codeByte(code, 8, false);
        a.choiceLow = codeByte(code, 0, false);
        if (!haveList) return;
        a.listChoice = selected.row >= 0 ? static_cast<std::uint8_t>((selected.row + 1) % 256) : PendingAnswer::kUnset;
        if (selected.row >= 0) a.answerText = selected.line;
    });
    enterBusy();
}

void PageChoices::onKeyPadKey(std::uint8_t key) {
    link_.updateAnswer([key](PendingAnswer& a) {
        a.choiceHigh = key == kKeyStop ? 0xFF : PendingAnswer::kKeyPadChoice;
        a.choiceMid = key;
        a.choiceLow = 0xFF;
        a.listChoice = PendingAnswer::kUnset;
        a.answerText.clear();
    });
    if (key == kKeyEscape) busy_ = false;
}

void PageChoices::enterBusy() {
    busy_ = true;
    status_.showBusyLamp();
    status_.setStatusText(kStatusBusy);
    status_.startBusyBar();
}

void PageChoices::leaveBusy() {
    busy_ = false;
    status_.stopBusyBar();
    // A key taken while the pad is open: the unit waits for the next key.
    if (keyPadOpen_) {
        showKeyPadWait();
        return;
    }
    status_.showReadyLamp();
    status_.setStatusText(kStatusReady);
}

void PageChoices::showKeyPadWait() {
    status_.showBusyLamp();
    status_.setStatusText(kStatusKeyPadWait);
}

void PageChoices::keyPadOpened() {
    keyPadOpen_ = true;
    busy_ = true;
    // The unit waits for the user now, not the user for the unit.
    status_.stopBusyBar();
    showKeyPadWait();
}

void PageChoices::keyPadClosed() {
    if (!keyPadOpen_) return;
    keyPadOpen_ = false;
    leaveBusy();
}

void PageChoices::connectionLost() {
    keyPadOpen_ = false;
    if (!busy_) return;
    busy_ = false;
    status_.stopBusyBar();
    status_.setStatusText(kStatusChoiceNotDelivered);
}

}  // namespace corvane
