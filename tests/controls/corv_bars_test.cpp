#include "controls/corv_progress.h"
#include "controls/corv_work_bar.h"
#include "controls/palette.h"
#include "widget_test_support.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using namespace test;

TEST(CCorvProgress, BarWidthIsTheShareOfTheInnerWidth) {
    QWidget parent;
    auto* progress = new CCorvProgress;
    ASSERT_TRUE(progress->Create(0, 0, 106, 20, &parent));
    progress->SetRange(0, 1000);
    progress->SetPos(500);
    EXPECT_EQ(progress->barWidth(), 50);
    const QImage image = render(*progress);
    EXPECT_EQ(pixel(image, 3, 2), ColourAccent);
    EXPECT_EQ(pixel(image, 52, 17), ColourAccent);
    EXPECT_EQ(pixel(image, 53, 10), ColourBlack);
    EXPECT_EQ(pixel(image, 2, 10), ColourBlack);
    EXPECT_EQ(pixel(image, 50, 0), ColourEdgeLight);
    EXPECT_EQ(pixel(image, 105, 10), ColourEdgeLight);
    EXPECT_EQ(pixel(image, 50, 19), ColourEdgeDark);
    EXPECT_EQ(pixel(image, 0, 10), ColourEdgeDark);
}

TEST(CCorvProgress, PositionIsClampedToTheRange) {
    QWidget parent;
    auto* progress = new CCorvProgress;
    ASSERT_TRUE(progress->Create(0, 0, 106, 20, &parent));
    progress->SetRange(0, 1000);
    progress->SetPos(1500);
    EXPECT_EQ(progress->position(), 1000);
    EXPECT_EQ(progress->barWidth(), 100);
    progress->SetPos(-5);
    EXPECT_EQ(progress->position(), 0);
    EXPECT_EQ(pixel(render(*progress), 3, 10), ColourBlack);
}

TEST(CCorvProgress, AnEmptyRangeShowsAnEmptyFrame) {
    QWidget parent;
    auto* progress = new CCorvProgress;
    ASSERT_TRUE(progress->Create(0, 0, 106, 20, &parent));
    progress->SetRange(0, 0);
    progress->SetPos(0);
    EXPECT_EQ(progress->barWidth(), 0);
    EXPECT_EQ(pixel(render(*progress), 3, 10), ColourBlack);
}

using Spans = std::vector<std::pair<int, int>>;
Spans spans(int position, int width) {
    Spans out;
    for (const auto& s : CCorvWorkBar::blockSpans(position, width)) out.push_back({s.left, s.right});
    return out;
}

TEST(CCorvWorkBar, BlocksAreClippedAtBothEnds) {
    EXPECT_EQ(spans(-40, 98), Spans{});
    EXPECT_EQ(spans(-10, 98), (Spans{{6, 18}, {22, 34}}));
    EXPECT_EQ(spans(0, 98), (Spans{{4, 12}, {16, 28}, {32, 44}}));
    EXPECT_EQ(spans(60, 98), (Spans{{60, 72}, {76, 88}, {92, 93}}));
    EXPECT_EQ(spans(70, 98), (Spans{{70, 82}, {86, 94}}));
    EXPECT_EQ(spans(80, 98), (Spans{{80, 92}}));  // block 2 is cut and starts past the end
    EXPECT_EQ(spans(90, 98), (Spans{{90, 94}}));
}

TEST(CCorvWorkBar, BlocksRunAndWrapAfterPassingTheInnerWidth) {
    QWidget parent;
    auto* bar = new CCorvWorkBar;
    ASSERT_TRUE(bar->Create(0, 0, 100, 17, &parent));
    render(*bar);  // the first drawing learns the inner width, 98
    for (int i = 0; i < 13; ++i) bar->advance();
    EXPECT_EQ(bar->blockPosition(), 90);
    bar->advance();
    EXPECT_EQ(bar->blockPosition(), -40);
}

TEST(CCorvWorkBar, DrawsTheBlocksOnceAndAnEmptyFrameAtAnUnchangedPosition) {
    QWidget parent;
    auto* bar = new CCorvWorkBar;
    ASSERT_TRUE(bar->Create(0, 0, 100, 17, &parent));
    for (int i = 0; i < 4; ++i) bar->advance();  // position 0
    QImage image = render(*bar);
    EXPECT_EQ(pixel(image, 4, 4), ColourAccent);
    EXPECT_EQ(pixel(image, 11, 12), ColourAccent);
    EXPECT_EQ(pixel(image, 12, 8), ColourBlack);
    EXPECT_EQ(pixel(image, 4, 3), ColourBlack);
    EXPECT_EQ(pixel(image, 4, 13), ColourBlack);
    EXPECT_EQ(pixel(image, 99, 8), ColourEdgeLight);
    image = render(*bar);
    EXPECT_EQ(pixel(image, 4, 4), ColourBlack);
}

TEST(CCorvWorkBar, StartAndStopKeepThePosition) {
    QWidget parent;
    auto* bar = new CCorvWorkBar;
    ASSERT_TRUE(bar->Create(0, 0, 100, 17, &parent));
    bar->Start();
    EXPECT_TRUE(bar->isRunning());
    bar->advance();
    bar->Stop();
    EXPECT_FALSE(bar->isRunning());
    bar->Start();
    EXPECT_EQ(bar->blockPosition(), -30);
    bar->Stop();
}

}  // namespace
}  // namespace corvane
