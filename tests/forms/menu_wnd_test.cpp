// The menu window: frame geometry and painting, scroll bars following the view, wheel routing,
// passing item presses on, and the grip drag.
#include "forms/menu_wnd.h"

#include "controls/palette.h"
#include "platform/window_messages.h"
#include "widget_test_support.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimerEvent>

#include <gtest/gtest.h>

namespace corvane {
namespace {

QRect ltrb(const QWidget& w) {
    const QRect g = w.geometry();
    return QRect(QPoint(g.left(), g.top()), QPoint(g.left() + g.width(), g.top() + g.height()));
}
QRect box(int l, int t, int r, int b) { return QRect(QPoint(l, t), QPoint(r, b)); }

// A 255 x 500 menu window at (10, 75) of a recording main window, set up as the main window does.
struct MenuWndFixture : ::testing::Test {
    test::MessageRecorder parent;
    CMenuWnd* menu = new CMenuWnd(&parent);

    MenuWndFixture() {
        parent.resize(1000, 700);
        menu->setGeometry(10, 75, 255, 500);
        menu->setBackColour(ColourPanel);
        menu->setBranchFaceColour(ColourAccent);
        menu->setBranchSize(30, 180);
        menu->setLeafSize(45, 200);
        menu->setIndent(30);
        parent.show();
    }
    // Enough leaves to scroll: 20 x 47 = 940 pixels.
    void fillLeaves(int parentIndex = 0, int count = 20) {
        for (int i = 0; i < count; ++i) menu->insertLeaf("leaf", 100 + i, parentIndex, 0, 32, 32);
    }
    void wheel(int delta) {
        sendWindowMessage(menu, WM_SCROLL_WHEEL, static_cast<std::uintptr_t>(static_cast<std::intptr_t>(delta)), 0);
    }
};

TEST_F(MenuWndFixture, FramePartsSitAtTheirPlaces) {
    EXPECT_EQ(ltrb(menu->view()), box(0, 0, 230, 485));
    EXPECT_EQ(ltrb(menu->verticalBar()), box(230, 0, 245, 485));
    EXPECT_EQ(ltrb(menu->horizontalBar()), box(0, 485, 230, 500));
    EXPECT_EQ(menu->cornerRect(), QRect(230, 485, 15, 15));
    EXPECT_EQ(menu->gripRect(), QRect(245, 0, 10, 500));

    const QImage image = test::render(*menu);
    // Dark corner: light top and right edges, dark left and bottom edges, black inside.
    EXPECT_EQ(test::pixel(image, 237, 492), ColourBlack);
    EXPECT_EQ(test::pixel(image, 238, 485), ColourEdgeLight);
    EXPECT_EQ(test::pixel(image, 244, 490), ColourEdgeLight);
    EXPECT_EQ(test::pixel(image, 230, 490), ColourEdgeDark);
    EXPECT_EQ(test::pixel(image, 238, 499), ColourEdgeDark);
    // Grip: a dark 1-pixel line at x 249 over a 3-pixel (64, 64, 64) stroke on the panel colour.
    for (int y : {0, 250, 499}) EXPECT_EQ(test::pixel(image, 249, y), ColourEdgeDark) << y;
    EXPECT_EQ(test::pixel(image, 248, 250), QColor(64, 64, 64));
    EXPECT_EQ(test::pixel(image, 250, 250), QColor(64, 64, 64));
    EXPECT_EQ(test::pixel(image, 246, 250), ColourPanel);
    EXPECT_EQ(test::pixel(image, 252, 250), ColourPanel);
    // The view paints its background.
    EXPECT_EQ(test::pixel(image, 100, 300), ColourPanel);
}

TEST_F(MenuWndFixture, LeafPressReachesTheParentUnchanged) {
    const int leaf = menu->insertLeaf("Read codes", 0x1234, 0, 0, 32, 32);
    CCorvButton* button = menu->view().button(leaf);
    test::press(*button, {20, 20});
    test::release(*button, {20, 20});
    EXPECT_EQ(parent.count(WM_MENU_ITEM), 0);
    // Posted twice: by the view to the menu window, and on to the parent.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    ASSERT_EQ(parent.count(WM_MENU_ITEM), 1);
    EXPECT_EQ(parent.messages.back().wParam, 0x1234u);
    EXPECT_EQ(parent.messages.back().lParam, 0);
}

TEST_F(MenuWndFixture, BarsFollowTheOutline) {
    fillLeaves();
    EXPECT_EQ(menu->verticalBar().maximum(), 940);
    EXPECT_EQ(menu->verticalBar().page(), 480);
    EXPECT_EQ(menu->horizontalBar().maximum(), 200);
    EXPECT_EQ(menu->horizontalBar().page(), 235);
}

TEST_F(MenuWndFixture, WheelScrollsTheViewByTheBarsStep) {
    fillLeaves();
    CCorvButton* first = menu->view().button(1);
    wheel(-120);
    wheel(-120);
    EXPECT_EQ(menu->verticalBar().GetPos(), 20);
    EXPECT_EQ(menu->verticalPosition(), 20);
    EXPECT_EQ(first->y(), 2 - 20);
    wheel(120);
    EXPECT_EQ(menu->verticalBar().GetPos(), 10);
    EXPECT_EQ(first->y(), 2 - 10);
    // Over the top nothing moves further.
    wheel(120);
    wheel(120);
    EXPECT_EQ(first->y(), 2);
}

TEST_F(MenuWndFixture, OpeningABranchKeepsTheThumb) {
    const int branch = menu->insertBranch("Group", 0);
    fillLeaves(branch, 5);
    fillLeaves(0, 15);
    for (int i = 0; i < 5; ++i) wheel(-120);
    ASSERT_EQ(menu->verticalBar().GetPos(), 50);
    const QRect thumb = menu->verticalBar().thumbRect();

    CCorvButton* groupButton = menu->view().button(branch);
    test::press(*groupButton, {10, 10});
    test::release(*groupButton, {10, 10});
    ASSERT_TRUE(menu->view().entry(branch).expanded);
    EXPECT_EQ(menu->verticalBar().maximum(), 32 + 20 * 47);
    EXPECT_EQ(menu->verticalBar().GetPos(), 50);
    EXPECT_EQ(menu->view().scrollOffset(), QPoint(0, -50));
    EXPECT_EQ(menu->view().button(branch + 1)->y(), 34 - 50);
    EXPECT_LE(menu->verticalBar().thumbRect().top(), thumb.top()) << "longer content, thumb no lower";
}

TEST_F(MenuWndFixture, ResizeThatCannotHoldThePositionBringsTheViewBack) {
    fillLeaves(0, 12);  // 564 pixels
    for (int i = 0; i < 5; ++i) wheel(-120);
    ASSERT_EQ(menu->verticalBar().GetPos(), 50);
    // Tall enough for everything: the bar returns to 0 and so does the view.
    menu->setGeometry(10, 75, 255, 650);
    EXPECT_EQ(menu->verticalBar().GetPos(), 0);
    EXPECT_EQ(menu->view().scrollOffset(), QPoint(0, 0));
    EXPECT_EQ(menu->view().button(1)->y(), 2);
    EXPECT_EQ(ltrb(menu->view()), box(0, 0, 230, 635));
}

TEST_F(MenuWndFixture, PressOnlyInTheRightmostSevenPixelsStartsADrag) {
    for (int x : {0, 246, 247}) {
        test::press(*menu, {x, 100});
        EXPECT_FALSE(menu->isDragging()) << x;
        test::release(*menu, {x, 100});
    }
    for (int x : {248, 254}) {
        test::press(*menu, {x, 100});
        EXPECT_TRUE(menu->isDragging()) << x;
        test::release(*menu, {x, 100});
        EXPECT_FALSE(menu->isDragging());
    }
}

TEST_F(MenuWndFixture, EveryFifthMoveOfADragResizesAndTellsTheParent) {
    test::press(*menu, {250, 100});
    const int xs[] = {252, 254, 256, 258};
    for (int x : xs) test::move(*menu, {x, 100}, true);
    EXPECT_EQ(menu->width(), 255);
    EXPECT_EQ(parent.count(WM_MENU_EDGE), 0);
    test::move(*menu, {270, 100}, true);
    EXPECT_EQ(menu->width(), 275);
    EXPECT_EQ(menu->geometry().topLeft(), QPoint(10, 75));
    EXPECT_EQ(menu->height(), 500);
    EXPECT_EQ(parent.count(WM_MENU_EDGE), 1);
    EXPECT_EQ(parent.messages.back().wParam, 0u);
    EXPECT_EQ(menu->moveCounter(), 0);
    // The next step measures from the point of the last one.
    for (int i = 0; i < 5; ++i) test::move(*menu, {255, 100}, true);
    EXPECT_EQ(menu->width(), 260);
    EXPECT_EQ(parent.count(WM_MENU_EDGE), 2);
    // The frame follows the new width.
    EXPECT_EQ(ltrb(menu->verticalBar()), box(235, 0, 250, 485));
    test::release(*menu, {255, 100});
    for (int i = 0; i < 5; ++i) test::move(*menu, {100, 100});
    EXPECT_EQ(menu->width(), 260) << "no drag after the release";
}

TEST_F(MenuWndFixture, DraggedWidthStaysUsable) {
    test::press(*menu, {250, 100});
    for (int i = 0; i < 5; ++i) test::move(*menu, {-500, 100}, true);
    EXPECT_EQ(menu->width(), CMenuWnd::kMinimumWidth);
    test::release(*menu, {-500, 100});
    const int x = menu->width() - 3;
    test::press(*menu, {x, 100});
    for (int i = 0; i < 5; ++i) test::move(*menu, {x + 5000, 100}, true);
    EXPECT_EQ(menu->geometry().right() + 1, 1000 - CMenuWnd::kParentReserve);
}

TEST_F(MenuWndFixture, ClicksAndAHeldPressOnTheBarScrollTheView) {
    fillLeaves();
    CCorvScrollBar& bar = menu->verticalBar();  // 485 long
    for (int i = 1; i <= 6; ++i) {
        test::press(bar, {7, 478});
        test::release(bar, {7, 478});
        EXPECT_EQ(menu->view().scrollOffset(), QPoint(0, -5 * i)) << "click " << i;
    }
    test::press(bar, {7, 478});
    for (int tick = 0; tick < 8; ++tick) {
        QTimerEvent event(bar.autoRepeatQtTimerId());
        QCoreApplication::sendEvent(&bar, &event);
        EXPECT_EQ(menu->view().scrollOffset().y(), -bar.GetPos()) << "tick " << tick;
    }
    test::release(bar, {7, 478});
    EXPECT_EQ(bar.GetPos(), 75);
    test::press(bar, {7, 20});  // the track above the thumb
    test::release(bar, {7, 20});
    EXPECT_EQ(menu->view().scrollOffset(), QPoint(0, -55));
}

TEST_F(MenuWndFixture, TheGripCursorShowsOnlyOverTheGripAndGoesWhenThePointerLeavesIt) {
    fillLeaves();
    // The main window shows its own drag cursors; the menu window must not take them on.
    parent.setCursor(Qt::SizeAllCursor);
    QWidget& window = parent;
    auto cursorAfterMove = [&](QPoint inMenu) {
        const QPoint at = menu->mapTo(&window, inMenu);
        QTest::mouseMove(&window, at);
        return test::cursorShownAt(window, at);
    };
    EXPECT_EQ(cursorAfterMove({250, 100}), Qt::SizeHorCursor);
    EXPECT_EQ(cursorAfterMove({237, 100}), Qt::ArrowCursor) << "the vertical bar";
    EXPECT_EQ(cursorAfterMove({250, 100}), Qt::SizeHorCursor);
    EXPECT_EQ(cursorAfterMove({100, 20}), Qt::ArrowCursor) << "a leaf of the view";
    EXPECT_EQ(cursorAfterMove({250, 100}), Qt::SizeHorCursor);
    EXPECT_EQ(cursorAfterMove({246, 100}), Qt::ArrowCursor) << "the grip strip outside the drag zone";
    EXPECT_EQ(cursorAfterMove({250, 100}), Qt::SizeHorCursor);
    test::leave(*menu);
    EXPECT_EQ(test::cursorShownAt(window, menu->mapTo(&window, QPoint(250, 100))), Qt::ArrowCursor);
}

}  // namespace
}  // namespace corvane
