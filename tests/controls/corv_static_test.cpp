#include "controls/corv_static.h"
#include "controls/palette.h"
#include "widget_test_support.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using namespace test;

// Columns and rows that hold text pixels (anything not the back colour).
struct Ink {
    int minX = 1 << 20, maxX = -1, minY = 1 << 20, maxY = -1, count = 0;
};

Ink inkOf(const QImage& image, const QColor& back) {
    Ink ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (pixel(image, x, y) != back) {
                ++ink.count;
                ink.minX = std::min(ink.minX, x);
                ink.maxX = std::max(ink.maxX, x);
                ink.minY = std::min(ink.minY, y);
                ink.maxY = std::max(ink.maxY, y);
            }
    return ink;
}

struct StaticFixture : ::testing::Test {
    QWidget parent;
    CCorvStatic* label = new CCorvStatic;
    void make(const std::string& text, int width = 400, int height = 60) {
        ASSERT_TRUE(label->Create(text, 0, 0, width, height, &parent, 1000));
        label->SetColours(ColourPanel, ColourEdgeLight);
    }
};

TEST_F(StaticFixture, AnEmptyTextPaintsOnlyTheBackColour) {
    make("");
    EXPECT_EQ(inkOf(render(*label), ColourPanel).count, 0);
}

TEST_F(StaticFixture, ALineBreakStartsASecondLineAtTheLeftEdge) {
    make("Line");
    const Ink one = inkOf(render(*label), ColourPanel);
    label->setText("Line\r\nLine");
    const Ink two = inkOf(render(*label), ColourPanel);
    EXPECT_EQ(two.minX, one.minX);
    EXPECT_EQ(two.maxX, one.maxX);
    EXPECT_GT(two.maxY, one.maxY + 10);
}

TEST_F(StaticFixture, LongTextIsCutAtTheRightEdgeNotWrapped) {
    make(std::string(150, 'W'), 100, 60);
    const Ink ink = inkOf(render(*label), ColourPanel);
    EXPECT_EQ(ink.maxX, 99);
    EXPECT_LT(ink.maxY, 20);  // a single line
}

TEST_F(StaticFixture, OnlyTheFirst198CharactersAreShown) {
    make(std::string(198, '.'), 2000, 30);
    const Ink full = inkOf(render(*label), ColourPanel);
    label->setText(std::string(198, '.') + std::string(52, 'W'));
    const Ink longer = inkOf(render(*label), ColourPanel);
    EXPECT_EQ(longer.maxX, full.maxX);
}

TEST_F(StaticFixture, AnAmpersandUnderlinesTheNextCharacterAndTwoShowOne) {
    make("AB");
    const Ink plain = inkOf(render(*label), ColourPanel);
    label->setText("A&B");
    const Ink underlined = inkOf(render(*label), ColourPanel);
    EXPECT_EQ(underlined.minX, plain.minX);
    EXPECT_GE(underlined.maxX, plain.maxX - 1);
    EXPECT_LE(underlined.maxX, plain.maxX + 1);
    EXPECT_GT(underlined.maxY, plain.maxY);  // the underline below the B
    label->setText("A&&B");
    const Ink ampersand = inkOf(render(*label), ColourPanel);
    EXPECT_GT(ampersand.maxX, plain.maxX + 5);
}

TEST_F(StaticFixture, TextIsDecodedAsWindows1252) {
    make("\xE9");
    const Ink accented = inkOf(render(*label), ColourPanel);
    label->setText("e");
    const Ink plain = inkOf(render(*label), ColourPanel);
    EXPECT_LT(accented.minY, plain.minY);  // the accent sits above the letter
}

}  // namespace
}  // namespace corvane
