#include "controls/corv_show_box.h"
#include "controls/palette.h"
#include "widget_test_support.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

namespace corvane {
namespace {

using namespace test;

// Ten pixels per character, so that widths are easy to reason about.
int tenEach(const QString& text) { return static_cast<int>(text.size()) * 10; }

TEST(CaptionSplit, ACaptionExactlyAsWideAsTheWrapWidthStaysOnLineOne) {
    const auto split = CCorvShowBox::splitCaption(QStringLiteral("0123456789"), 100, tenEach);
    EXPECT_EQ(split.line1, QStringLiteral("0123456789"));
    EXPECT_TRUE(split.line2.isEmpty());
}

TEST(CaptionSplit, SplitsAtTheRightmostSpaceWhoseFirstPartIsNarrower) {
    // "Engine speed now" with wrap 100: "Engine speed" is 120 wide, "Engine" 60.
    auto split = CCorvShowBox::splitCaption(QStringLiteral("Engine speed now"), 100, tenEach);
    EXPECT_EQ(split.line1, QStringLiteral("Engine"));
    EXPECT_EQ(split.line2, QStringLiteral("speed now"));
    // The first part must be strictly narrower: "Coolant tm" at exactly 100 does not qualify.
    split = CCorvShowBox::splitCaption(QStringLiteral("Coolant te mperature"), 100, tenEach);
    EXPECT_EQ(split.line1, QStringLiteral("Coolant"));
    EXPECT_EQ(split.line2, QStringLiteral("te mperature"));
}

TEST(CaptionSplit, WithoutAUsableSpaceTheWholeCaptionGoesToLineTwo) {
    auto split = CCorvShowBox::splitCaption(QStringLiteral("Manifoldpressure"), 100, tenEach);
    EXPECT_TRUE(split.line1.isEmpty());
    EXPECT_EQ(split.line2, QStringLiteral("Manifoldpressure"));
    split = CCorvShowBox::splitCaption(QStringLiteral(" Manifoldpressure"), 100, tenEach);  // space at 0
    EXPECT_TRUE(split.line1.isEmpty());
}

struct ShowBoxFixture : ::testing::Test {
    QWidget parent;
    CCorvShowBox* box = new CCorvShowBox;
    void SetUp() override { ASSERT_TRUE(box->Create(0, 0, 200, 50, &parent, 5)); }
};

TEST_F(ShowBoxFixture, ANewBoxShowsItsPlaceholders) {
    EXPECT_EQ(box->caption(), "Caption");
    EXPECT_EQ(box->value(), "Value");
    const QImage image = render(*box);
    EXPECT_EQ(box->captionLine1(), QStringLiteral("Caption"));
    EXPECT_EQ(pixel(image, 100, 0), ColourEdgeLight);
    EXPECT_EQ(pixel(image, 199, 25), ColourEdgeLight);
    EXPECT_EQ(pixel(image, 100, 49), ColourEdgeDark);
    EXPECT_EQ(pixel(image, 0, 25), ColourEdgeDark);
}

TEST_F(ShowBoxFixture, ALongCaptionWrapsAtHalfTheWidthWithTheBoxsFont) {
    const QFontMetrics metrics(box->captionFont());
    std::string caption = "Intake air temperature sensor";
    render(*box);
    box->setCaption(caption);
    EXPECT_EQ(box->captionLine1(), QStringLiteral("Caption"));  // not shown before a repaint
    render(*box);
    EXPECT_FALSE(box->captionLine1().isEmpty());
    EXPECT_FALSE(box->captionLine2().isEmpty());
    EXPECT_LT(metrics.horizontalAdvance(box->captionLine1()), 100);
    EXPECT_EQ(box->captionLine1() + " " + box->captionLine2(), QString::fromStdString(caption));
}

// Bounds of everything drawn inside the frame.
QRect inkInside(const QImage& image) {
    QRect ink;
    for (int y = 1; y < image.height() - 1; ++y)
        for (int x = 1; x < image.width() - 1; ++x)
            if (pixel(image, x, y) != ColourBlack) ink |= QRect(x, y, 1, 1);
    return ink;
}

TEST_F(ShowBoxFixture, CaptionSitsAtTheUpperLeftAndTheValueAtTheLowerRight) {
    // The caption keeps clear of the frame line above it, which has the caption's colour: a
    // "T" touching it would read as an "l".
    box->setCaption("Two");
    box->setValue("");
    const QRect caption = inkInside(render(*box));
    EXPECT_GE(caption.top(), 2);
    EXPECT_LT(caption.left(), 6);
    EXPECT_LT(caption.right(), 60);
    EXPECT_LT(caption.bottom(), 20);

    box->setCaption("");
    box->setValue("8888");
    const QImage image = render(*box);
    const QRect value = inkInside(image);
    EXPECT_GT(value.left(), 100);
    EXPECT_GT(value.right(), 185);
    EXPECT_GT(value.bottom(), 40);
    bool white = false;
    for (int x = value.left(); x <= value.right(); ++x)
        for (int y = value.top(); y <= value.bottom(); ++y) white |= pixel(image, x, y) == ColourWhite;
    EXPECT_TRUE(white);
}

TEST_F(ShowBoxFixture, ASecondCaptionLineStandsAtTheLowerLeft) {
    box->setCaption("Manifoldabsolutepressure");
    box->setValue("");
    const QRect caption = inkInside(render(*box));
    EXPECT_TRUE(box->captionLine1().isEmpty());
    EXPECT_GT(caption.bottom(), 35);
    EXPECT_LT(caption.left(), 6);
}

TEST_F(ShowBoxFixture, CaptionAndValueComeBackAsTheSameBytes) {
    const std::string caption(
        "Temp \xB0"
        "C",
        7);
    box->setCaption(caption);
    box->setValue("\x80 12,5");
    EXPECT_EQ(box->caption(), caption);
    EXPECT_EQ(box->value(), "\x80 12,5");
    box->setCaption(std::string(250, 'x'));
    EXPECT_EQ(box->caption().size(), 199u);
}

}  // namespace
}  // namespace corvane
