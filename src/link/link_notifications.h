#pragma once
// What the link tells the main window: one type per kind of notification, each carrying the
// content it announces, copied from the record on the worker when the frame completed (by the
// time a posted notification is handled the worker may have refilled the record).
//
// A posted notification may wait while the window is busy. When the next one comes before it
// was handled, the waiting one may take the next one in (`absorb`): it then stands for both,
// and handling it once must leave the window, the pop-ups and the answers for the unit exactly
// as handling the two one after the other would. Each kind states its rule beside its
// definition; a property test holds every rule to that promise. Sent notifications never fold:
// the worker waits for each of them.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "content/menu_record.h"
#include "link/link_messages.h"

namespace corvane {

using LinkClock = std::chrono::steady_clock;

// WM_LINK_MENU, posted on 'C' with SUB 1: a whole menu.
// Folds: a later menu replaces the earlier one whole (the window replaces its outline, its
// pages and the open page with every menu), so only the later one matters.
struct LinkMenu {
    static constexpr std::uint32_t kMessage = WM_LINK_MENU;
    MenuContent menu;
    bool absorb(const LinkMenu& later) {
        menu = later.menu;
        return true;
    }
};

// WM_LINK_BOX, posted on 'B' (again = false) and 'X' (again = true): a pop-up to show.
// Never folds: each request opens its pop-up or meets an occupied slot, in turn.
struct LinkBox {
    static constexpr std::uint32_t kMessage = WM_LINK_BOX;
    std::uint32_t kind = 0;
    std::string text;
    bool again = false;
    bool absorb(const LinkBox&) { return false; }
};

// WM_LINK_LIST, posted on 'L' with SUB 1: lines for a page's list box (header = its id) or,
// with header 0, lines to add to the list window.
// Folds: lines for the same list box replace the earlier ones (the box is emptied and filled
// each time). Lines for the list window are added to it, so they never fold.
struct LinkList {
    static constexpr std::uint32_t kMessage = WM_LINK_LIST;
    std::uint32_t header = 0;
    std::vector<std::string> items;
    bool absorb(const LinkList& later) {
        if (header == 0 || later.header != header) return false;
        items = later.items;
        return true;
    }
};

// WM_LINK_TEXT, posted on 'T' with SUB 1: the new text of the page controls with id header.
// Folds: a later text for the same controls replaces the earlier one.
struct LinkText {
    static constexpr std::uint32_t kMessage = WM_LINK_TEXT;
    std::uint32_t header = 0;
    std::string text;
    bool absorb(const LinkText& later) {
        if (later.header != header) return false;
        text = later.text;
        return true;
    }
};

// One 'D' frame: the values it gave by position (1 to 200, in order) and when it arrived.
struct ValuesFrame {
    LinkClock::time_point arrival;
    std::vector<std::pair<int, std::string>> present;
};

// WM_LINK_VALUES, posted on every 'D': the values of the open page.
// Folds: the frames are kept, in order, so every frame still becomes one reading of the page
// and the values show as the last frame that named each position left them (a choice box shown
// each value in turn, since one it does not list leaves its choice). Up to kFoldBytes of frames
// wait in one notification; beyond that the next one waits on its own.
struct LinkValues {
    static constexpr std::uint32_t kMessage = WM_LINK_VALUES;
    static constexpr std::size_t kFoldBytes = 256 * 1024;
    std::vector<ValuesFrame> frames;
    std::size_t bytes = 0;  // what the frames hold, roughly
    std::size_t taken = 0;  // frames already taken as readings while the notification waited
    // The notification of one frame.
    static LinkValues of(ValuesFrame frame);
    bool absorb(const LinkValues& later);
};

// WM_LINK_PROGRESS, posted on 'P': range and position for the bars with id target (255: also
// the key pad's bar).
// Folds: later progress for the same target replaces the earlier one.
struct LinkProgress {
    static constexpr std::uint32_t kMessage = WM_LINK_PROGRESS;
    std::uint32_t target = 0;
    std::int32_t range = 0;
    std::int32_t position = 0;
    bool absorb(const LinkProgress& later) {
        if (later.target != target) return false;
        *this = later;
        return true;
    }
};

// WM_LINK_TRANSFER, posted on 'F': a chunk of the file went to the unit.
// Folds: the later position replaces the earlier one (both only move the same bar).
struct LinkTransferOut {
    static constexpr std::uint32_t kMessage = WM_LINK_TRANSFER;
    std::uint64_t total = 0;     // bytes of the file being sent
    std::uint64_t position = 0;  // read position after the chunk, 0 when it was empty
    bool absorb(const LinkTransferOut& later) {
        *this = later;
        return true;
    }
};

// WM_LINK_SHOW_PAGE, posted on 'J': show this page.
// Folds only into a jump to the same page: a jump to another page may clear the one open and
// hands its own page code to the unit, which no later jump may take away.
struct LinkShowPage {
    static constexpr std::uint32_t kMessage = WM_LINK_SHOW_PAGE;
    std::uint32_t pageId = 0;
    bool absorb(const LinkShowPage& later) { return later.pageId == pageId; }
};

// The sent notifications: the worker waits for each handler, so none ever folds.

// WM_LINK_CHOICE_TAKEN, on 'Y': the unit took the choice (the choice bytes are already reset).
struct LinkChoiceTaken {
    static constexpr std::uint32_t kMessage = WM_LINK_CHOICE_TAKEN;
    bool absorb(const LinkChoiceTaken&) { return false; }
};

// WM_LINK_VALUE_REQUEST, on 'R': fill ValueReplyText with the values of ids first to last.
struct LinkValueRequest {
    static constexpr std::uint32_t kMessage = WM_LINK_VALUE_REQUEST;
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    bool absorb(const LinkValueRequest&) { return false; }
};

// WM_LINK_TRANSFER, on 'E': file data from the unit arrived.
struct LinkTransferIn {
    static constexpr std::uint32_t kMessage = WM_LINK_TRANSFER;
    std::int64_t announced = 0;  // the file's size as the unit announced it
    std::int64_t held = 0;       // bytes held so far
    bool absorb(const LinkTransferIn&) { return false; }
};

// WM_LINK_BOX_TAKEN, on 'Z': the unit took the box answer (those bytes are already reset).
struct LinkBoxTaken {
    static constexpr std::uint32_t kMessage = WM_LINK_BOX_TAKEN;
    bool absorb(const LinkBoxTaken&) { return false; }
};

// WM_LINK_REPORT, on 'W' with SUB 1: ReportBuffer holds a layout to compose and save.
struct LinkReport {
    static constexpr std::uint32_t kMessage = WM_LINK_REPORT;
    bool absorb(const LinkReport&) { return false; }
};

using LinkNotification =
    std::variant<LinkMenu, LinkBox, LinkList, LinkText, LinkValues, LinkProgress, LinkTransferOut, LinkShowPage,
                 LinkChoiceTaken, LinkValueRequest, LinkTransferIn, LinkBoxTaken, LinkReport>;

// The message number the notification stands for.
std::uint32_t messageOf(const LinkNotification& notification);

// Lets `waiting` take in `later` by the rule of their kind; true when it did, and `later` need
// not be handled.
bool foldInto(LinkNotification& waiting, const LinkNotification& later);

}  // namespace corvane
