#include "content/menu_record.h"

#include <algorithm>

#include "content/wire_text.h"

namespace corvane {

namespace {
constexpr std::size_t kWorkArea = 1000;      // longest tree element body searched for its end
constexpr std::size_t kPageScanSteps = 200;  // positions looked at per page
constexpr std::size_t kTextSearch = 250;     // bytes searched for a control's '^'
constexpr std::size_t kMaxNameLength = 30;

std::uint8_t noneAsZero(std::uint8_t b) { return b == 255 ? 0 : b; }
}  // namespace

MenuRecord::MenuRecord() : buffer_(kBufferCapacity, 0) {}

void MenuRecord::append(const std::uint8_t* data, std::size_t n) {
    const std::size_t take = std::min(n, kBufferCapacity - count_);
    std::copy(data, data + take, buffer_.begin() + static_cast<std::ptrdiff_t>(count_));
    count_ += take;
}

std::unique_ptr<MenuPage> MenuPage::clone() const {
    auto copy = std::make_unique<MenuPage>();
    copy->pageId = pageId;
    copy->pageCode = pageCode;
    copy->controls.reserve(controls.size());
    for (const auto& c : controls) copy->controls.push_back(std::make_unique<PageControl>(*c));
    return copy;
}

MenuContent& MenuContent::operator=(const MenuContent& other) {
    if (this == &other) return *this;
    entries = other.entries;
    pages.clear();
    pages.reserve(other.pages.size());
    for (const auto& p : other.pages) pages.push_back(p->clone());
    return *this;
}

MenuPage* MenuContent::findPage(std::uint32_t pageId) {
    for (auto& p : pages)
        if (p->pageId == pageId) return p.get();
    return nullptr;
}

const MenuPage* MenuContent::findPage(std::uint32_t pageId) const {
    return const_cast<MenuContent*>(this)->findPage(pageId);
}

void MenuRecord::parse() {
    entryCount_.store(0, std::memory_order_release);
    for (std::size_t i = 0; i < pageCount(); ++i) pages_[i].reset();
    pageCount_.store(0, std::memory_order_release);
    parseTree();
    parsePages();
}

MenuContent MenuRecord::snapshot() const {
    MenuContent menu;
    menu.entries.assign(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(entryCount()));
    for (std::size_t i = 0; i < pageCount(); ++i) menu.pages.push_back(pages_[i]->clone());
    return menu;
}

void MenuRecord::addEntry(MenuTreeEntry entry) {
    const std::size_t n = entryCount_.load(std::memory_order_relaxed);
    if (n >= kMaxEntries) return;  // no room: the entry is refused, the parse goes on
    entries_[n] = std::move(entry);
    entryCount_.store(n + 1, std::memory_order_release);
}

MenuPage* MenuRecord::findPage(std::uint32_t pageId) {
    const std::size_t n = pageCount();
    for (std::size_t i = 0; i < n; ++i)
        if (pages_[i]->pageId == pageId) return pages_[i].get();
    return nullptr;
}

void MenuRecord::parseTree() {
    std::size_t i = 0;
    while (i < count_) {
        if (at(i) != 0) {
            ++i;
            continue;
        }
        const int letter = at(i + 1);
        if (letter == 'P') return;
        if (letter == 'E') {
            MenuTreeEntry e;
            e.kind = MenuTreeEntry::GroupClose;
            addEntry(std::move(e));
            i += 4;
            continue;
        }
        if (letter != 'F' && letter != 'I') {
            ++i;
            continue;
        }
        // The body runs from i + 2 to the first 00 '$' within the work area.
        const std::size_t body = i + 2;
        std::size_t end = body;
        while (end - body < kWorkArea && end < count_ && !(at(end) == 0 && at(end + 1) == '$')) ++end;
        if (end - body >= kWorkArea || end >= count_) {
            ++i;  // no terminator within reach: skip the element
            continue;
        }
        MenuTreeEntry e;
        e.kind = letter == 'I' ? MenuTreeEntry::Item : MenuTreeEntry::GroupOpen;
        std::size_t caret = body;
        while (caret < end && at(caret) != kTextEnd) ++caret;
        e.name = bytesToString(buffer_.data() + body, std::min(caret - body, kMaxNameLength));
        // Id and icon follow the '^'; a body cut short leaves them 0.
        if (caret + 2 < end) {
            e.id = static_cast<std::uint32_t>(at(caret + 1)) * 256 + static_cast<std::uint32_t>(at(caret + 2));
        }
        if (caret + 3 < end) e.icon = noneAsZero(static_cast<std::uint8_t>(at(caret + 3)));
        addEntry(std::move(e));
        i = end;  // continue at the terminator
    }
}

void MenuRecord::parsePages() {
    std::size_t p = 0;
    while (p + 1 < count_) {
        if (!(at(p) == 0 && at(p + 1) == 'P')) {
            ++p;
            continue;
        }
        if (p + 6 >= count_) return;  // page header cut off by the end of the transfer
        auto page = std::make_unique<MenuPage>();
        page->pageId = static_cast<std::uint32_t>(at(p + 2)) * 256 + static_cast<std::uint32_t>(at(p + 3));
        page->pageCode = (std::uint32_t{noneAsZero(static_cast<std::uint8_t>(at(p + 4)))} << 16) |
                         (std::uint32_t{noneAsZero(static_cast<std::uint8_t>(at(p + 5)))} << 8) |
                         noneAsZero(static_cast<std::uint8_t>(at(p + 6)));

        std::size_t q = p + 8;
        std::size_t steps = 0;
        while (steps < kPageScanSteps && q < count_) {
            ++steps;
            if (at(q) == 0 && at(q + 1) == 'P') break;
            if (!(at(q) == 0 && at(q + 1) == 'O')) {
                ++q;
                continue;
            }
            const std::size_t b = q + 2;
            if (b + 6 > count_) {  // geometry cut off by the end of the transfer
                q = count_;
                break;
            }
            std::size_t caret = b + 6;
            const std::size_t searchEnd = std::min(b + 6 + kTextSearch, count_);
            while (caret < searchEnd && at(caret) != kTextEnd) ++caret;
            if (caret >= searchEnd) {  // no end of text in reach: the control is skipped
                ++q;
                continue;
            }
            auto c = std::make_unique<PageControl>();
            c->id = noneAsZero(static_cast<std::uint8_t>(at(b)));
            c->type = static_cast<std::uint8_t>(at(b + 1));
            c->left = at(b + 2);
            c->top = at(b + 3);
            c->right = at(b + 4);
            c->bottom = at(b + 5);
            c->textFirst = static_cast<std::uint32_t>(b + 6);
            c->textLast = static_cast<std::int64_t>(caret) - 1;
            c->text = bytesToString(buffer_.data() + b + 6, caret - (b + 6));
            if (at(caret + 1) == 0 && at(caret + 2) == '$') {
                q = caret + 3;
            } else {
                const int c1 = at(caret + 1), c2 = at(caret + 2), c3 = at(caret + 3), st = at(caret + 4);
                if (c1 >= 0 && c2 >= 0 && c3 >= 0)
                    c->code = (std::uint32_t(c1) << 16) | (std::uint32_t(c2) << 8) | std::uint32_t(c3);
                if (st >= 0) c->style = noneAsZero(static_cast<std::uint8_t>(st));
                q = caret + 7;
            }
            if (page->controls.size() < MenuPage::kMaxControls) page->controls.push_back(std::move(c));
        }

        const std::size_t n = pageCount_.load(std::memory_order_relaxed);
        if (n < kMaxPages) {
            pages_[n] = std::move(page);
            pageCount_.store(n + 1, std::memory_order_release);
        }
        p = q;
    }
}

}  // namespace corvane
