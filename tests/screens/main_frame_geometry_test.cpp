// Which edge or band of the main window a press grabs.
#include <gtest/gtest.h>

#include "screens/main_frame_geometry.h"

using namespace corvane;

namespace {

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

}  // namespace
