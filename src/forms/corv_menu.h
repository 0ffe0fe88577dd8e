#pragma once
// CCorvMenu: the unit's function menu as an outline. Every entry is a skinned button in one
// column; a branch opens and closes the entries below it, a leaf starts a function on the unit.
// The view only lays out and reports: after every layout change it sends WM_MENU_LAYOUT (widest
// right edge, total height) to its parent, and a leaf press posts WM_MENU_ITEM (the leaf's
// number) to it. The parent scrolls the view with scrollBy().
#include "controls/corv_button.h"
#include "platform/window_message.h"

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

class CCorvMenu : public MessageWindow<QWidget> {
    Q_OBJECT
public:
    // Entry 0 is the root: never shown, so at most kMaxEntries - 1 entries can be added.
    static constexpr int kMaxEntries = 200;
    static constexpr int kPathDepth = 20;
    // A branch button's command number is kBranchCommandBase + its entry index.
    static constexpr int kBranchCommandBase = 800;

    enum Kind { KindRoot = 0, KindBranch = 1, KindLeaf = 2 };

    // Button styles of the two entry kinds.
    static constexpr unsigned kBranchButtonStyle = ButtonStyle::Toggle;
    static constexpr unsigned kLeafButtonStyle =
        ButtonStyle::IconBesideText | ButtonStyle::PressShift | ButtonStyle::IconFace | ButtonStyle::Framed;

    struct Entry {
        // path[k]: 1-based position among its siblings of the ancestor at depth k; the last
        // non-zero slot is the entry's own position. All zero for the root.
        std::array<int, kPathDepth> path{};
        int kind = KindRoot;
        int childCount = 0;
        std::unique_ptr<CCorvButton> button;
        bool expanded = false;
        std::string text;  // raw Windows-1252 bytes
        // Not part of the path: the walk uses them so that entries nested deeper than the path
        // can record still find their own place.
        int parent = -1;
        int depth = -1;  // 0 for top-level entries, -1 for the root
        std::vector<int> children;
        QRect place;  // where the last layout put the button, before scrolling
        bool shown = false;
    };

    explicit CCorvMenu(QWidget* parent = nullptr);
    ~CCorvMenu() override;

    // Each returns the new entry's index, or 0 when the table is full or the parent index names
    // no entry (nothing changes then). Captions are raw Windows-1252 bytes.
    int insertBranch(const std::string& caption, int parentIndex);
    int insertLeaf(const std::string& caption, int command, int parentIndex, int icon, int iconWidth, int iconHeight);
    // Removes every entry but the root (a new menu replaces the old one).
    void clear();

    void setBranchSize(int height, int width);
    void setLeafSize(int height, int width);
    void setIndent(int pixels);
    void setBackColour(const QColor& colour);
    void setBranchFaceColour(const QColor& colour);

    // Scrolls the view's picture and every entry button by (dx, dy) and adds the step to the
    // accumulated offset.
    void scrollBy(int dx, int dy);

    // Opens a closed branch or closes an open one, as a press on its button does.
    void toggle(int index);

    // The indices of the entries shown, top to bottom; the entry whose button this is, or -1.
    std::vector<int> shownEntries() const;
    int entryOf(const QWidget* button) const;

    int widestRight() const { return widestRight_; }
    int totalHeight() const { return totalHeight_; }
    int entryCount() const { return static_cast<int>(entries_.size()); }
    const Entry& entry(int index) const { return entries_[static_cast<std::size_t>(index)]; }
    CCorvButton* button(int index) const { return entry(index).button.get(); }
    QPoint scrollOffset() const { return scrollOffset_; }
    QPoint lastScrollStep() const { return lastScrollStep_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    // The arrows on a focused entry: Up and Down step through the entries shown, Right opens a
    // branch (or steps into an open one), Left closes it (or steps out to the parent branch).
    void keyPressEvent(QKeyEvent* event) override;

private:
    void focusEntry(int index);
    int insert(const std::string& caption, int kind, int command, int parentIndex, int icon, int iconWidth,
               int iconHeight);
    void layOut();
    void placeChildren(int index, int depth);
    void announceLayout();
    void buttonCommand(int index);

    std::vector<Entry> entries_;
    int totalHeight_ = 0;
    int widestRight_ = 0;
    int branchHeight_ = 30;
    int branchWidth_ = 130;
    int leafHeight_ = 50;
    int leafWidth_ = 130;
    int indent_ = 30;
    QColor back_{0, 0, 0};
    QColor branchFace_ = ColourAccent;
    QPoint lastScrollStep_;
    QPoint scrollOffset_;
};

}  // namespace corvane
