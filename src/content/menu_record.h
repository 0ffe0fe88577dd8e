#pragma once
// MenuRecord: the unit's function menu tree and its pages, gathered from 'C' frames.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

struct MenuTreeEntry {
    enum Kind : std::uint8_t { Item = 1, GroupOpen = 2, GroupClose = 3 };
    std::uint8_t kind = 0;
    std::uint8_t icon = 0;         // a received 255 is stored as 0
    std::uint32_t id = 0;          // 16-bit id
    std::uint32_t iconBitmap = 0;  // chosen by the main window
    std::string name;              // at most 30 bytes, raw single-byte text
};

struct PageControl {
    std::uint8_t id = 0;    // a received 255 is stored as 0
    std::uint8_t type = 0;  // control type letter
    std::int32_t top = 0;   // geometry in grid units
    std::int32_t left = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::uint32_t code = 0;  // 24-bit choice code, 0 for none
    std::uint8_t style = 0;  // a received 255 is stored as 0
    std::uint32_t icon = 0;  // chosen by the main window
    // The text is copied out of the menu buffer: the buffer restarts with every transfer,
    // while controls live as long as the link.
    std::string text;
    std::uint32_t textFirst = 0;  // span in the buffer of the transfer that brought the control
    std::int64_t textLast = -1;
};

struct MenuPage {
    static constexpr std::size_t kMaxControls = 200;
    std::vector<std::unique_ptr<PageControl>> controls;  // never more than kMaxControls
    std::uint32_t pageId = 0;
    std::uint32_t pageCode = 0;  // 24-bit, each received byte 255 counted as 0; 0 = none
    std::size_t count() const { return controls.size(); }
    std::unique_ptr<MenuPage> clone() const;
};

// One whole menu as a completed transfer brought it: the tree and the pages. The link hands
// each completed menu to the window as a copy of its own, which the window then owns (and
// shows), so the link can take the next menu at any time.
struct MenuContent {
    std::vector<MenuTreeEntry> entries;
    std::vector<std::unique_ptr<MenuPage>> pages;

    MenuContent() = default;
    MenuContent(MenuContent&&) = default;
    MenuContent& operator=(MenuContent&&) = default;
    MenuContent(const MenuContent& other) { *this = other; }
    MenuContent& operator=(const MenuContent& other);

    MenuPage* findPage(std::uint32_t pageId);
    const MenuPage* findPage(std::uint32_t pageId) const;
};

class MenuRecord {
public:
    static constexpr std::size_t kBufferCapacity = 50000;
    static constexpr std::size_t kMaxEntries = 100;
    static constexpr std::size_t kMaxPages = 100;

    MenuRecord();

    // Restarts the buffer; entries and pages already parsed stay until the next parse.
    void emptyBuffer() { count_ = 0; }
    void append(const std::uint8_t* data, std::size_t n);
    // Parses the bytes of the current transfer into entries and pages, which replace those of
    // an earlier transfer: a unit that sends its menu again (it restarted) sends all of it.
    // Entries or pages beyond the record's room are refused.
    void parse();
    // A copy of the entries and pages, for the window.
    MenuContent snapshot() const;

    // Readers. A reader on another thread than the one that parses holds the link's record
    // lock: a new menu replaces the pages.
    std::size_t entryCount() const { return entryCount_.load(std::memory_order_acquire); }
    MenuTreeEntry& entry(std::size_t i) { return entries_[i]; }
    const MenuTreeEntry& entry(std::size_t i) const { return entries_[i]; }
    std::size_t pageCount() const { return pageCount_.load(std::memory_order_acquire); }
    MenuPage& page(std::size_t i) { return *pages_[i]; }
    const MenuPage& page(std::size_t i) const { return *pages_[i]; }
    // The page with this id, or nullptr.
    MenuPage* findPage(std::uint32_t pageId);

    std::size_t bufferCount() const { return count_; }
    const std::uint8_t* buffer() const { return buffer_.data(); }

private:
    void parseTree();
    void parsePages();
    int at(std::size_t i) const { return i < count_ ? buffer_[i] : -1; }
    void addEntry(MenuTreeEntry entry);

    std::vector<std::uint8_t> buffer_;
    std::size_t count_ = 0;
    std::array<MenuTreeEntry, kMaxEntries> entries_;
    std::atomic<std::size_t> entryCount_{0};
    std::array<std::unique_ptr<MenuPage>, kMaxPages> pages_;
    std::atomic<std::size_t> pageCount_{0};
};

}  // namespace corvane
