#include "forms/corv_menu.h"

#include "controls/accessible_announce.h"
#include "controls/keyboard_focus.h"
#include "controls/mem_dc.h"
#include "controls/plain_pane.h"
#include "controls/skin_lines.h"
#include "platform/window_messages.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace corvane {

CCorvMenu::CCorvMenu(QWidget* parent) : MessageWindow<QWidget>(parent) {
    NoEraseBackground(this);
    entries_.reserve(kMaxEntries);
    entries_.emplace_back();  // the root
}

CCorvMenu::~CCorvMenu() = default;

int CCorvMenu::insertBranch(const std::string& caption, int parentIndex) {
    return insert(caption, KindBranch, 0, parentIndex, 0, 0, 0);
}

int CCorvMenu::insertLeaf(const std::string& caption, int command, int parentIndex, int icon, int iconWidth,
                          int iconHeight) {
    return insert(caption, KindLeaf, command, parentIndex, icon, iconWidth, iconHeight);
}

int CCorvMenu::insert(const std::string& caption, int kind, int command, int parentIndex, int icon, int iconWidth,
                      int iconHeight) {
    if (entryCount() >= kMaxEntries) return 0;
    // An index that names no entry would reach past the table.
    if (parentIndex < 0 || parentIndex >= entryCount()) return 0;

    const int n = entryCount();
    auto button = std::make_unique<CCorvButton>();
    bool created;
    if (kind == KindBranch) {
        created = button->Create(caption, kBranchButtonStyle, 10, 10, 20, 20, this, kBranchCommandBase + n);
        button->SetBackColour(back_);
        button->SetFaceColours(branchFace_, branchFace_, branchFace_, ColourEdgeDark);
    } else {
        created = button->Create(caption, kLeafButtonStyle, 10, 10, 20, 20, this, command);
        button->SetIcons(icon, iconWidth, iconHeight, 0, 0, 0, icon, iconWidth, iconHeight);
        button->SetBackColour(back_);
    }
    if (created) {
        // The press is routed by the entry it belongs to, not by its number, so that a leaf
        // whose number falls among the branch numbers still reaches the parent.
        connect(button.get(), &CCorvButton::command, this, [this, n](int) { buttonCommand(n); });

        Entry& parent = entries_[static_cast<std::size_t>(parentIndex)];
        parent.childCount += 1;
        Entry e;
        e.path = parent.path;
        const auto freeSlot = std::find(e.path.begin(), e.path.end(), 0);
        if (freeSlot != e.path.end()) *freeSlot = parent.childCount;
        e.kind = kind;
        e.text = caption;
        e.button = std::move(button);
        e.parent = parentIndex;
        e.depth = parent.depth + 1;
        parent.children.push_back(n);
        entries_.push_back(std::move(e));
    }
    layOut();
    announceLayout();
    return entryCount() - 1;
}

void CCorvMenu::clear() {
    for (Entry& e : entries_) {
        if (!e.button) continue;
        // Hidden and cut off at once; deleted once the event that led here is over.
        disconnect(e.button.get(), nullptr, this, nullptr);
        e.button->hide();
        e.button.release()->deleteLater();
    }
    entries_.clear();
    entries_.emplace_back();  // the root
    layOut();
    announceLayout();
}

void CCorvMenu::setBranchSize(int height, int width) {
    branchHeight_ = height;
    branchWidth_ = width;
}

void CCorvMenu::setLeafSize(int height, int width) {
    leafHeight_ = height;
    leafWidth_ = width;
}

void CCorvMenu::setIndent(int pixels) { indent_ = pixels; }

void CCorvMenu::setBackColour(const QColor& colour) {
    back_ = colour;
    for (auto& e : entries_)
        if (e.button) e.button->SetBackColour(colour);
    update();
}

void CCorvMenu::setBranchFaceColour(const QColor& colour) { branchFace_ = colour; }

void CCorvMenu::layOut() {
    totalHeight_ = 0;
    widestRight_ = 0;
    for (auto& e : entries_) e.shown = false;
    placeChildren(0, 0);
    // Entries under a closed branch stay hidden. Buttons already showing are not hidden first,
    // so the pressed branch button keeps its hover and press state.
    for (auto& e : entries_)
        if (e.button && !e.shown) e.button->hide();
}

void CCorvMenu::placeChildren(int index, int depth) {
    // Children are kept in the order they were added, which is the order of their positions.
    for (int child : entries_[static_cast<std::size_t>(index)].children) {
        Entry& e = entries_[static_cast<std::size_t>(child)];
        const bool branch = e.kind == KindBranch;
        const int top = totalHeight_ + 2;
        const int height = branch ? branchHeight_ : leafHeight_;
        const int width = branch ? branchWidth_ : leafWidth_;
        const int left = indent_ * depth;
        e.place = QRect(left, top, width, height);
        // Placed where the current scroll offset puts it, so the view keeps its scroll position.
        e.button->setGeometry(e.place.translated(scrollOffset_));
        e.button->show();
        e.shown = true;
        totalHeight_ = top + height;
        widestRight_ = std::max(widestRight_, left + width);
        if (e.expanded) placeChildren(child, depth + 1);
    }
}

void CCorvMenu::announceLayout() {
    sendWindowMessage(parentWidget(), WM_MENU_LAYOUT, static_cast<std::uintptr_t>(widestRight_), totalHeight_);
}

void CCorvMenu::toggle(int index) {
    if (index <= 0 || index >= entryCount()) return;
    Entry& e = entries_[static_cast<std::size_t>(index)];
    if (e.kind != KindBranch) return;
    e.expanded = !e.expanded;
    // However it was toggled (click, key), the button shows the branch's state.
    e.button->setToggled(e.expanded);
    layOut();
    announceLayout();
    announceChildrenChange(e.button.get());
}

void CCorvMenu::buttonCommand(int index) {
    const Entry& e = entries_[static_cast<std::size_t>(index)];
    if (e.kind == KindBranch) {
        toggle(index);
        return;
    }
    // Posted: the main window may rebuild the page while this press is still being handled.
    postWindowMessage(parentWidget(), WM_MENU_ITEM, static_cast<std::uintptr_t>(e.button->commandId()), 0);
}

std::vector<int> CCorvMenu::shownEntries() const {
    std::vector<int> shown;
    for (int i = 1; i < entryCount(); ++i)
        if (entry(i).shown) shown.push_back(i);
    std::stable_sort(shown.begin(), shown.end(),
                     [this](int a, int b) { return entry(a).place.top() < entry(b).place.top(); });
    return shown;
}

int CCorvMenu::entryOf(const QWidget* button) const {
    for (int i = 1; i < entryCount(); ++i)
        if (button && entry(i).button.get() == button) return i;
    return -1;
}

void CCorvMenu::focusEntry(int index) {
    if (index > 0 && index < entryCount()) moveFocusByKey(button(index));
}

void CCorvMenu::keyPressEvent(QKeyEvent* event) {
    const int current = entryOf(focusWidget());
    if (current < 0) {
        MessageWindow<QWidget>::keyPressEvent(event);
        return;
    }
    const Entry& e = entry(current);
    const std::vector<int> shown = shownEntries();
    const auto at = std::find(shown.begin(), shown.end(), current);
    const bool branch = e.kind == KindBranch;
    switch (event->key()) {
        case Qt::Key_Up:
            if (at != shown.begin() && at != shown.end()) focusEntry(*(at - 1));
            break;
        case Qt::Key_Down:
            if (at != shown.end() && at + 1 != shown.end()) focusEntry(*(at + 1));
            break;
        case Qt::Key_Right:
            if (branch && !e.expanded)
                toggle(current);
            else if (branch && !e.children.empty())
                focusEntry(e.children.front());
            break;
        case Qt::Key_Left:
            if (branch && e.expanded)
                toggle(current);
            else if (e.parent > 0)
                focusEntry(e.parent);
            break;
        default: MessageWindow<QWidget>::keyPressEvent(event); return;
    }
    event->accept();
}

void CCorvMenu::scrollBy(int dx, int dy) {
    lastScrollStep_ = QPoint(dx, dy);
    scrollOffset_ += QPoint(dx, dy);
    scroll(dx, dy);  // moves every child with the picture
}

void CCorvMenu::paintEvent(QPaintEvent*) {
    QPainter target(this);
    CMemDC dc(target, rect());
    fillSkinRect(dc.painter(), rect(), back_);
}

}  // namespace corvane
