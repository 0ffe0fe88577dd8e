// The main window's layout and its drag zones for a given client size.
#include <gtest/gtest.h>

#include "screens/main_frame_geometry.h"

using namespace corvane;

namespace {

TEST(MainFrameGeometry, PartsFollowTheClientSize) {
    const MainFrameLayout l = mainFrameLayout(800, 600);
    EXPECT_EQ(l.titleBand, QRect(0, 0, 800, 75));
    EXPECT_EQ(l.statusBand, QRect(0, 572, 800, 28));
    EXPECT_EQ(l.leftMargin, QRect(0, 75, 10, 497));
    EXPECT_EQ(l.rightMargin, QRect(785, 75, 15, 497));
    EXPECT_EQ(l.menuPane, QRect(10, 75, 255, 497));
    EXPECT_EQ(l.clientPane, QRect(265, 75, 520, 497));
    EXPECT_EQ(l.accentBar, QRect(280, 6, 515, 17));
    EXPECT_EQ(l.closeButton, QPoint(779, 7));
    EXPECT_EQ(l.sizeButton, QPoint(762, 7));
    EXPECT_EQ(l.minimiseButton, QPoint(745, 7));
    EXPECT_EQ(l.statusLamp, QRect(10, 576, 15, 15));
    EXPECT_EQ(l.statusText, QRect(30, 575, 630, 17));
    EXPECT_EQ(l.busyBar, QRect(670, 575, 100, 17));
    EXPECT_EQ(l.comSettingButton, QRect(325, 24, 125, 50));
    EXPECT_EQ(l.infoButton, QRect(455, 24, 45, 50));
}

TEST(MainFrameGeometry, ZonesUseStrictEdgesInTheirOrder) {
    const int W = 800, H = 600;
    // Right edge: W-8 < x < W-4, 30 < y < H-18.
    EXPECT_EQ(frameDragZone(793, 100, W, H), FrameDrag::Width);
    EXPECT_EQ(frameDragZone(792, 100, W, H), FrameDrag::None);
    EXPECT_EQ(frameDragZone(796, 100, W, H), FrameDrag::None);
    EXPECT_EQ(frameDragZone(793, 30, W, H), FrameDrag::None);
    // Bottom edge: 18 < x < W-6, H-8 < y < H-4.
    EXPECT_EQ(frameDragZone(100, 593, W, H), FrameDrag::Height);
    EXPECT_EQ(frameDragZone(18, 593, W, H), FrameDrag::None);
    // The right edge wins where it overlaps the corner, the bottom edge below it.
    EXPECT_EQ(frameDragZone(793, 581, W, H), FrameDrag::Width);
    EXPECT_EQ(frameDragZone(793, 585, W, H), FrameDrag::Corner);
    EXPECT_EQ(frameDragZone(790, 593, W, H), FrameDrag::Height);
    EXPECT_EQ(frameDragZone(795, 595, W, H), FrameDrag::Corner);
    EXPECT_EQ(frameDragZone(796, 595, W, H), FrameDrag::None);
    // Title: 10 < x < W-10, 4 < y < 30.
    EXPECT_EQ(frameDragZone(11, 5, W, H), FrameDrag::Move);
    EXPECT_EQ(frameDragZone(10, 5, W, H), FrameDrag::None);
    EXPECT_EQ(frameDragZone(400, 30, W, H), FrameDrag::None);
    EXPECT_EQ(frameDragZone(400, 300, W, H), FrameDrag::None);
}

TEST(MainFrameGeometry, DragStepsMoveOrStretchTheRightEdges) {
    const QRect g(100, 50, 800, 600);
    EXPECT_EQ(draggedGeometry(g, FrameDrag::Move, -20, 7), QRect(80, 57, 800, 600));
    EXPECT_EQ(draggedGeometry(g, FrameDrag::Width, 30, 9), QRect(100, 50, 830, 600));
    EXPECT_EQ(draggedGeometry(g, FrameDrag::Height, 30, -9), QRect(100, 50, 800, 591));
    EXPECT_EQ(draggedGeometry(g, FrameDrag::Corner, 5, 6), QRect(100, 50, 805, 606));
    EXPECT_EQ(draggedGeometry(g, FrameDrag::None, 5, 6), g);
}

}  // namespace
