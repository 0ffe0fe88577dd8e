// The function menu view: entry table, depth-first layout, branch toggling, scroll keeping and
// the notifications to its parent.
#include "forms/corv_menu.h"

#include "controls/palette.h"
#include "platform/resource_ids.h"
#include "platform/window_messages.h"
#include "widget_test_support.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace corvane {
namespace {

using test::MessageRecorder;

QRect ltrb(const QWidget& w) {
    const QRect g = w.geometry();
    return QRect(QPoint(g.left(), g.top()), QPoint(g.left() + g.width(), g.top() + g.height()));
}
QRect box(int l, int t, int r, int b) { return QRect(QPoint(l, t), QPoint(r, b)); }

// A view set up the way the main window sets it, inside a recording parent.
struct MenuFixture : ::testing::Test {
    MessageRecorder parent;
    CCorvMenu* view = new CCorvMenu(&parent);

    MenuFixture() {
        parent.resize(400, 800);
        view->setGeometry(0, 0, 400, 800);
        view->setBranchSize(30, 180);
        view->setLeafSize(45, 200);
        view->setIndent(30);
        view->setBackColour(ColourPanel);
        view->setBranchFaceColour(ColourAccent);
        parent.show();
    }
    void click(int index) {
        CCorvButton* b = view->button(index);
        const QPoint c = b->rect().center();
        test::press(*b, c);
        test::release(*b, c);
    }
    const test::Message& lastLayout() const {
        for (auto it = parent.messages.rbegin(); it != parent.messages.rend(); ++it)
            if (it->message == WM_MENU_LAYOUT) return *it;
        throw std::runtime_error("no layout message");
    }
};

TEST_F(MenuFixture, TopLevelBranchAndLeafTakeTheMainWindowSizes) {
    const int branch = view->insertBranch("Engine", 0);
    const int leaf = view->insertLeaf("Battery", 7, 0, IDI_FUNCTION_BATTERY, 32, 32);
    EXPECT_EQ(branch, 1);
    EXPECT_EQ(leaf, 2);
    EXPECT_EQ(ltrb(*view->button(branch)), box(0, 2, 180, 32));
    EXPECT_EQ(ltrb(*view->button(leaf)), box(0, 34, 200, 79));
    EXPECT_EQ(view->totalHeight(), 79);
    EXPECT_EQ(view->widestRight(), 200);

    // Every insertion reports its layout to the parent.
    ASSERT_EQ(parent.count(WM_MENU_LAYOUT), 2);
    EXPECT_EQ(lastLayout().wParam, 200u);
    EXPECT_EQ(lastLayout().lParam, 79);

    EXPECT_EQ(view->button(branch)->style(), CCorvMenu::kBranchButtonStyle);
    EXPECT_EQ(view->button(branch)->commandId(), 801);
    EXPECT_EQ(view->button(leaf)->style(), 0x12Cu);
    EXPECT_EQ(view->button(leaf)->commandId(), 7);

    // Background between the entries, branch face in the accent colour.
    const QImage image = test::render(*view);
    EXPECT_EQ(test::pixel(image, 300, 10), ColourPanel);
    EXPECT_EQ(test::pixel(image, 90, 1), ColourPanel);
    EXPECT_EQ(test::pixel(image, 8, 17), ColourAccent);
}

TEST_F(MenuFixture, OpeningAndClosingBranchesKeepsSubtreesOpen) {
    const int a = view->insertBranch("A", 0);
    const int a1 = view->insertLeaf("a1", 11, a, 0, 32, 32);
    const int b = view->insertBranch("B", a);
    const int b1 = view->insertLeaf("b1", 12, b, 0, 32, 32);
    const int c = view->insertLeaf("c", 13, 0, 0, 32, 32);

    // Paths: the 1-based position at each depth.
    EXPECT_EQ(view->entry(a).path[0], 1);
    EXPECT_EQ(view->entry(b).path[0], 1);
    EXPECT_EQ(view->entry(b).path[1], 2);
    EXPECT_EQ(view->entry(b1).path[2], 1);
    EXPECT_EQ(view->entry(b1).path[3], 0);
    EXPECT_EQ(view->entry(c).path[0], 2);

    // Closed: only the top level shows.
    EXPECT_FALSE(view->button(a1)->isVisible());
    EXPECT_EQ(ltrb(*view->button(c)), box(0, 34, 200, 79));

    const int layoutsBefore = parent.count(WM_MENU_LAYOUT);
    click(a);
    EXPECT_EQ(parent.count(WM_MENU_LAYOUT), layoutsBefore + 1);
    EXPECT_TRUE(view->entry(a).expanded);
    EXPECT_EQ(ltrb(*view->button(a1)), box(30, 34, 230, 79));
    EXPECT_EQ(ltrb(*view->button(b)), box(30, 81, 210, 111));
    EXPECT_FALSE(view->button(b1)->isVisible());
    EXPECT_EQ(ltrb(*view->button(c)), box(0, 113, 200, 158));

    click(b);
    EXPECT_EQ(ltrb(*view->button(b1)), box(60, 113, 260, 158));
    EXPECT_EQ(view->widestRight(), 260);

    // Closing A hides its whole subtree; B stays open and comes back with A.
    click(a);
    EXPECT_FALSE(view->button(a1)->isVisible());
    EXPECT_FALSE(view->button(b)->isVisible());
    EXPECT_FALSE(view->button(b1)->isVisible());
    EXPECT_TRUE(view->entry(b).expanded);
    EXPECT_EQ(view->totalHeight(), 79);
    click(a);
    EXPECT_TRUE(view->button(b1)->isVisible());
    EXPECT_EQ(ltrb(*view->button(b1)), box(60, 113, 260, 158));

    // Branches never produce an item message.
    QCoreApplication::processEvents();
    EXPECT_EQ(parent.count(WM_MENU_ITEM), 0);
}

TEST_F(MenuFixture, LeafPressIsPostedWithItsNumber) {
    const int leaf = view->insertLeaf("Read codes", 0x0101, 0, IDI_FUNCTION_ENGINE, 32, 32);
    // A number among the branch numbers is still a leaf's.
    const int clash = view->insertLeaf("Clash", 850, 0, 0, 32, 32);
    click(leaf);
    EXPECT_EQ(parent.count(WM_MENU_ITEM), 0) << "posted, not sent";
    QCoreApplication::processEvents();
    const int layouts = parent.count(WM_MENU_LAYOUT);
    click(clash);
    QCoreApplication::processEvents();
    EXPECT_EQ(parent.count(WM_MENU_LAYOUT), layouts) << "a leaf press toggles nothing";
    ASSERT_EQ(parent.count(WM_MENU_ITEM), 2);
    std::vector<std::uintptr_t> numbers;
    for (const auto& m : parent.messages)
        if (m.message == WM_MENU_ITEM) numbers.push_back(m.wParam);
    EXPECT_EQ(numbers, (std::vector<std::uintptr_t>{0x0101, 850}));
}

TEST_F(MenuFixture, TableHoldsTheRootAnd199Entries) {
    int last = 0;
    for (int i = 1; i <= 199; ++i) {
        last = view->insertLeaf("x", 5000 + i, 0, 0, 32, 32);
        ASSERT_EQ(last, i);
    }
    EXPECT_EQ(view->entryCount(), 200);
    const int layouts = parent.count(WM_MENU_LAYOUT);
    const int height = view->totalHeight();
    EXPECT_EQ(view->insertBranch("full", 0), 0);
    EXPECT_EQ(view->insertLeaf("full", 1, 0, 0, 32, 32), 0);
    EXPECT_EQ(view->entryCount(), 200);
    EXPECT_EQ(view->totalHeight(), height);
    EXPECT_EQ(parent.count(WM_MENU_LAYOUT), layouts);
    EXPECT_EQ(view->entry(0).childCount, 199);
}

TEST_F(MenuFixture, ParentIndexOutsideTheTableAddsNothing) {
    view->insertBranch("A", 0);
    EXPECT_EQ(view->insertLeaf("x", 1, 2, 0, 32, 32), 0);
    EXPECT_EQ(view->insertLeaf("x", 1, -1, 0, 32, 32), 0);
    EXPECT_EQ(view->entryCount(), 2);
    // 0 (what a full table returns) means the root.
    EXPECT_EQ(view->insertLeaf("x", 1, 0, 0, 32, 32), 2);
}

TEST_F(MenuFixture, LayoutChangesKeepTheScrollPosition) {
    const int a = view->insertBranch("A", 0);
    const int a1 = view->insertLeaf("a1", 11, a, 0, 32, 32);
    const int c = view->insertLeaf("c", 13, 0, 0, 32, 32);
    view->scrollBy(0, -20);
    view->scrollBy(-5, 0);
    EXPECT_EQ(view->scrollOffset(), QPoint(-5, -20));
    EXPECT_EQ(view->lastScrollStep(), QPoint(-5, 0));
    EXPECT_EQ(ltrb(*view->button(c)), box(-5, 14, 195, 59));

    click(a);
    EXPECT_EQ(ltrb(*view->button(a1)), box(25, 14, 225, 59));
    EXPECT_EQ(ltrb(*view->button(c)), box(-5, 61, 195, 106));
    // An insertion while scrolled lands in the scrolled place as well.
    const int d = view->insertLeaf("d", 14, 0, 0, 32, 32);
    EXPECT_EQ(ltrb(*view->button(d)), box(-5, 108, 195, 153));
    EXPECT_EQ(view->scrollOffset(), QPoint(-5, -20));
}

}  // namespace
}  // namespace corvane
