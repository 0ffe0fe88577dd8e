#include "controls/corv_scroll_bar.h"
#include "controls/palette.h"
#include "platform/window_messages.h"
#include "widget_test_support.h"

#include <QTimerEvent>

#include <gtest/gtest.h>

namespace corvane {
namespace {

using namespace test;

struct ScrollFixture : ::testing::Test {
    MessageRecorder parent;
    CCorvScrollBar* bar = new CCorvScrollBar;
    // A vertical bar 200 px long.
    void makeVertical(int min, int max, int page) {
        parent.resize(300, 300);
        ASSERT_TRUE(bar->Create(ScrollVertical, &parent));
        bar->Place(0, 0, 115, 215);
        bar->SetRange(min, max, page);
    }
    void tick() {
        QTimerEvent event(bar->autoRepeatQtTimerId());
        QCoreApplication::sendEvent(bar, &event);
    }
};

TEST_F(ScrollFixture, PlaceLeavesTheCornerFree) {
    makeVertical(0, 1000, 10);
    EXPECT_EQ(bar->geometry(), QRect(100, 0, 15, 200));
    auto* horizontal = new CCorvScrollBar;
    ASSERT_TRUE(horizontal->Create(ScrollHorizontal, &parent));
    horizontal->Place(10, 20, 210, 120);
    EXPECT_EQ(horizontal->geometry(), QRect(10, 105, 185, 15));
}

TEST_F(ScrollFixture, ThumbLengthAndPositionFollowRangeAndPage) {
    makeVertical(0, 1000, 10);
    EXPECT_EQ(bar->thumbLength(), 1);
    bar->SetPos(495);
    EXPECT_EQ(bar->thumbRect().top(), 99);
    bar->SetRange(0, 300, 180);
    EXPECT_EQ(bar->thumbLength(), 100);
    EXPECT_EQ(bar->maxPos(), 120);
    EXPECT_EQ(bar->GetPos(), 0);
    bar->SetPos(60);
    EXPECT_EQ(bar->thumbRect(), QRect(0, 16 + 34, 15, 100));
}

TEST_F(ScrollFixture, SetPosOutsideTheOpenRangeGivesZeroAndPastTheLastPageTheLastPage) {
    makeVertical(0, 300, 180);
    bar->SetPos(100);
    bar->SetPos(300);
    EXPECT_EQ(bar->GetPos(), 0);
    bar->SetPos(-3);
    EXPECT_EQ(bar->GetPos(), 0);
    bar->SetPos(250);
    EXPECT_EQ(bar->GetPos(), 120);
    EXPECT_EQ(bar->thumbRect().bottom() + 1, 200 - 16);
}

TEST_F(ScrollFixture, PaintShowsArrowsTrackAndThumb) {
    makeVertical(0, 300, 180);
    const QImage image = render(*bar);
    // Up arrow glyph around (7, 7), pointing up.
    EXPECT_EQ(pixel(image, 4, 9), ColourAccent);
    EXPECT_EQ(pixel(image, 10, 9), ColourAccent);
    EXPECT_EQ(pixel(image, 7, 6), ColourAccent);
    EXPECT_EQ(pixel(image, 6, 6), ColourBlack);
    // Down arrow glyph around (7, 192), pointing down.
    EXPECT_EQ(pixel(image, 4, 190), ColourAccent);
    EXPECT_EQ(pixel(image, 7, 193), ColourAccent);
    EXPECT_EQ(pixel(image, 8, 193), ColourBlack);
    // Thumb from 16 to 116 with its light top edge; the track below it.
    EXPECT_EQ(pixel(image, 5, 16), ColourEdgeLight);
    EXPECT_EQ(pixel(image, 5, 60), ColourBlack);
    EXPECT_EQ(pixel(image, 0, 60), ColourEdgeDark);
    EXPECT_EQ(pixel(image, 5, 150), ColourShade);
}

TEST_F(ScrollFixture, ArrowsStepByFiveAndStopAtTheEnds) {
    makeVertical(0, 300, 180);
    bar->SetPos(118);
    press(*bar, {7, 195});
    release(*bar, {7, 195});
    EXPECT_EQ(bar->GetPos(), 120);
    press(*bar, {7, 5});
    release(*bar, {7, 5});
    EXPECT_EQ(bar->GetPos(), 115);
    bar->SetPos(3);
    press(*bar, {7, 5});
    release(*bar, {7, 5});
    EXPECT_EQ(bar->GetPos(), 0);
}

TEST_F(ScrollFixture, PressesOnZoneBoundariesDoNothing) {
    makeVertical(0, 300, 180);
    bar->SetPos(60);  // thumb 50 .. 150
    for (int y : {0, 15, 185, 50, 150}) {
        press(*bar, {7, y});
        EXPECT_FALSE(bar->isAutoRepeating()) << y;
        EXPECT_FALSE(bar->isDragging()) << y;
        release(*bar, {7, y});
        EXPECT_EQ(bar->GetPos(), 60) << y;
    }
}

TEST_F(ScrollFixture, HeldTrackPressRepeatsUntilTheThumbReachesThePointer) {
    makeVertical(0, 300, 180);
    press(*bar, {7, 180});
    EXPECT_EQ(bar->GetPos(), 20);  // the press steps and tells the parent at once
    EXPECT_EQ(parent.count(WM_SCROLL_VERT), 1);
    ASSERT_TRUE(bar->isAutoRepeating());
    int ticks = 0;
    while (bar->isAutoRepeating() && ticks < 50) {
        tick();
        ++ticks;
    }
    EXPECT_EQ(ticks, 6);
    EXPECT_EQ(bar->GetPos(), 120);
    EXPECT_EQ(parent.count(WM_SCROLL_VERT), 7);  // one per step and one when it stopped
    release(*bar, {7, 180});
}

TEST_F(ScrollFixture, ReleaseAndLeaveStopTheRepeat) {
    makeVertical(0, 300, 180);
    press(*bar, {7, 195});
    ASSERT_TRUE(bar->isAutoRepeating());
    release(*bar, {7, 195});
    EXPECT_FALSE(bar->isAutoRepeating());
    press(*bar, {7, 195});
    leave(*bar);
    EXPECT_FALSE(bar->isAutoRepeating());
    EXPECT_EQ(bar->downArrowState(), CCorvScrollBar::PartNormal);
}

TEST_F(ScrollFixture, WheelStepsByTenAndAlwaysNotifies) {
    makeVertical(0, 300, 180);
    bar->SetPos(50);
    sendWindowMessage(bar, WM_SCROLL_WHEEL, static_cast<std::uintptr_t>(-120), 0);
    EXPECT_EQ(bar->GetPos(), 60);
    sendWindowMessage(bar, WM_SCROLL_WHEEL, 120, 0);
    sendWindowMessage(bar, WM_SCROLL_WHEEL, 120, 0);
    EXPECT_EQ(bar->GetPos(), 40);
    sendWindowMessage(bar, WM_SCROLL_WHEEL, 0, 0);
    EXPECT_EQ(bar->GetPos(), 40);
    EXPECT_EQ(parent.count(WM_SCROLL_VERT), 4);
    bar->SetPos(5);
    sendWindowMessage(bar, WM_SCROLL_WHEEL, 120, 0);
    EXPECT_EQ(bar->GetPos(), 0);
    bar->SetPos(115);
    sendWindowMessage(bar, WM_SCROLL_WHEEL, static_cast<std::uintptr_t>(-1), 0);
    EXPECT_EQ(bar->GetPos(), 120);
}

TEST_F(ScrollFixture, AnInactiveBarIgnoresTheWheel) {
    parent.resize(300, 300);
    ASSERT_TRUE(bar->Create(ScrollVertical, &parent));
    sendWindowMessage(bar, WM_SCROLL_WHEEL, 120, 0);
    EXPECT_TRUE(parent.messages.empty());
}

TEST_F(ScrollFixture, DraggedThumbStopsAtTheTrackEndsAndSetsThePositionOnRelease) {
    makeVertical(0, 300, 180);
    press(*bar, {7, 60});
    ASSERT_TRUE(bar->isDragging());
    move(*bar, {7, 400}, true);
    EXPECT_EQ(bar->thumbRect().bottom() + 1, 200 - 16);
    EXPECT_EQ(bar->GetPos(), 0);  // unchanged during the drag
    EXPECT_TRUE(parent.messages.empty());
    release(*bar, {7, 400});
    EXPECT_EQ(bar->GetPos(), 120);
    EXPECT_EQ(parent.count(WM_SCROLL_VERT), 1);

    press(*bar, {7, 100});
    move(*bar, {7, -300}, true);
    EXPECT_EQ(bar->thumbRect().top(), 16);
    release(*bar, {7, -300});
    EXPECT_EQ(bar->GetPos(), 0);
}

TEST_F(ScrollFixture, DragInTheMiddleMapsTheThumbBackToAPosition) {
    makeVertical(0, 300, 180);
    press(*bar, {7, 60});
    move(*bar, {7, 94}, true);  // thumb start 16 + 34 of a free track of 68
    release(*bar, {7, 94});
    EXPECT_EQ(bar->GetPos(), 60);
}

TEST_F(ScrollFixture, ContentShorterThanAPageNeverMovesThePosition) {
    makeVertical(0, 100, 200);
    EXPECT_EQ(bar->thumbLength(), 168);
    press(*bar, {7, 195});
    release(*bar, {7, 195});
    EXPECT_EQ(bar->GetPos(), 0);
    sendWindowMessage(bar, WM_SCROLL_WHEEL, static_cast<std::uintptr_t>(-120), 0);
    EXPECT_EQ(bar->GetPos(), 0);
    press(*bar, {7, 100});
    move(*bar, {7, 150}, true);
    release(*bar, {7, 150});
    EXPECT_EQ(bar->GetPos(), 0);
}

TEST_F(ScrollFixture, HoverLightsTheArrowUnderThePointer) {
    makeVertical(0, 300, 180);
    move(*bar, {7, 5});
    EXPECT_EQ(bar->upArrowState(), CCorvScrollBar::PartHover);
    EXPECT_EQ(pixel(render(*bar), 2, 12), ColourPane);
    move(*bar, {7, 160});
    EXPECT_EQ(bar->upArrowState(), CCorvScrollBar::PartNormal);
    move(*bar, {7, 60});
    EXPECT_EQ(bar->thumbState(), CCorvScrollBar::PartHover);
}

TEST_F(ScrollFixture, HorizontalBarStepsAndTellsItsParentWithTheHorizontalMessage) {
    parent.resize(300, 300);
    auto* horizontal = new CCorvScrollBar;
    ASSERT_TRUE(horizontal->Create(ScrollHorizontal, &parent));
    horizontal->Place(0, 0, 215, 100);  // 200 wide
    horizontal->SetRange(0, 300, 180);
    press(*horizontal, {195, 7});
    EXPECT_EQ(horizontal->GetPos(), 5);
    QTimerEvent event(horizontal->autoRepeatQtTimerId());
    QCoreApplication::sendEvent(horizontal, &event);
    release(*horizontal, {195, 7});
    EXPECT_EQ(horizontal->GetPos(), 10);
    EXPECT_EQ(parent.count(WM_SCROLL_HORZ), 2);
    const QImage image = render(*horizontal);
    // Left arrow: columns cx + 2 .. cx around (8, 7), tip at (7, 7).
    EXPECT_EQ(pixel(image, 10, 4), ColourAccent);
    EXPECT_EQ(pixel(image, 7, 7), ColourAccent);
    EXPECT_EQ(pixel(image, 7, 6), ColourBlack);
    // Right arrow around (192, 7), tip at (193, 7).
    EXPECT_EQ(pixel(image, 190, 10), ColourAccent);
    EXPECT_EQ(pixel(image, 193, 7), ColourAccent);
}

// A parent that reads the bar's position on every notice, as the panes do.
class PositionReader : public MessageWindow<QWidget> {
public:
    CCorvScrollBar* bar = nullptr;
    int lastRead = 0;
    int notices = 0;

protected:
    std::intptr_t windowMessage(std::uint32_t message, std::uintptr_t, std::intptr_t) override {
        if (message == WM_SCROLL_VERT || message == WM_SCROLL_HORZ) {
            lastRead = bar->GetPos();
            ++notices;
        }
        return 0;
    }
};

struct ReaderFixture : ::testing::Test {
    PositionReader parent;
    CCorvScrollBar* bar = new CCorvScrollBar;
    ReaderFixture() {
        parent.bar = bar;
        parent.resize(300, 300);
        bar->Create(ScrollVertical, &parent);
        bar->Place(0, 0, 115, 215);  // 200 long
        bar->SetRange(0, 300, 180);  // thumb 100 long, positions 0 .. 120
    }
    void tick() {
        QTimerEvent event(bar->autoRepeatQtTimerId());
        QCoreApplication::sendEvent(bar, &event);
    }
};

TEST_F(ReaderFixture, EveryClickOnAnArrowOrTheTrackReachesTheParent) {
    for (int i = 1; i <= 6; ++i) {
        press(*bar, {7, 195});
        release(*bar, {7, 195});
        EXPECT_EQ(parent.lastRead, 5 * i) << "click " << i;
    }
    press(*bar, {7, 5});
    release(*bar, {7, 5});
    EXPECT_EQ(parent.lastRead, 25);
    press(*bar, {7, 170});  // the track below the thumb
    release(*bar, {7, 170});
    EXPECT_EQ(parent.lastRead, 45);
    press(*bar, {7, 20});  // the track above it
    release(*bar, {7, 20});
    EXPECT_EQ(parent.lastRead, 25);
    EXPECT_EQ(bar->GetPos(), parent.lastRead);
}

TEST_F(ReaderFixture, AHeldPressLeavesTheParentAtTheThumbsPositionAfterEveryTick) {
    press(*bar, {7, 195});
    EXPECT_EQ(parent.lastRead, bar->GetPos());
    for (int i = 0; i < 30; ++i) {
        tick();
        EXPECT_EQ(parent.lastRead, bar->GetPos()) << "tick " << i;
    }
    release(*bar, {7, 195});
    EXPECT_EQ(bar->GetPos(), 120);
    EXPECT_EQ(parent.lastRead, 120);

    press(*bar, {7, 20});  // held on the track until the thumb arrives under the pointer
    while (bar->isAutoRepeating()) {
        tick();
        EXPECT_EQ(parent.lastRead, bar->GetPos());
    }
    release(*bar, {7, 20});
    EXPECT_EQ(parent.lastRead, bar->GetPos());
}

TEST_F(ReaderFixture, APressOnTheThumbReportsOnlyAtTheEndOfTheDrag) {
    // A press on the thumb starts a drag and is not a step.
    press(*bar, {7, 60});
    EXPECT_EQ(parent.notices, 0);
    release(*bar, {7, 60});
    EXPECT_EQ(parent.notices, 1);  // the end of the drag
    EXPECT_EQ(parent.lastRead, 0);
}

}  // namespace
}  // namespace corvane
