// The skin's fonts: a given height is the cell height, a given width the average character
// width, and the text the controls draw keeps within that cell.
#include "controls/button_types.h"
#include "controls/corv_button.h"
#include "controls/corv_show_box.h"
#include "controls/corv_static.h"
#include "controls/palette.h"
#include "controls/skin_font.h"
#include "widget_test_support.h"

#include <QFontMetricsF>

#include <cstdlib>

#include <gtest/gtest.h>

namespace corvane {
namespace {

using namespace test;

struct GivenFont {
    const char* family;
    int height;
    int width;
};

// Every font the skin and the page fields are given.
constexpr GivenFont kGiven[] = {{"Arial", 16, 8},  {"Arial", 22, 10}, {"Arial", 22, 12},
                                {"Arial", 18, 12}, {"Tahoma", 12, 7}, {"MS sans serif", 10, 6}};

TEST(SkinFont, TheHeightIsTheCellAndTheWidthTheAverageCharacter) {
    for (const GivenFont& d : kGiven) {
        const QFont font = skinFont(QString::fromLatin1(d.family), d.height, d.width);
        const QFontMetricsF metrics(font);
        EXPECT_NEAR(metrics.ascent() + metrics.descent(), d.height, 0.8) << d.family << " " << d.height;
        EXPECT_LT(font.pixelSize(), d.height) << "the em is smaller than the cell";
        // The widths of a whole sentence follow the stretch the width asks for.
        const QString sample = QStringLiteral("The quick brown fox jumps over the lazy dog 0123456789");
        QFont natural(font);
        natural.setStretch(QFont::Unstretched);
        const qreal ratio = metrics.horizontalAdvance(sample) / QFontMetricsF(natural).horizontalAdvance(sample);
        EXPECT_NEAR(ratio * QFontMetricsF(natural).averageCharWidth(), d.width, 0.6) << d.family << " " << d.height;
    }
}

TEST(SkinFont, NegativeHeightsAreEmHeightsAndZeroKeepsTheDefault) {
    EXPECT_EQ(skinFont(QStringLiteral("Arial"), -20).pixelSize(), 20);
    const QFont plain(QStringLiteral("Arial"));
    EXPECT_EQ(skinFont(QStringLiteral("Arial"), 0).pointSizeF(), plain.pointSizeF());
    EXPECT_EQ(skinFont(QStringLiteral("Arial"), 10, 0, 600).weight(), QFont::DemiBold);
}

// Rows that hold text: pixels clearly apart from the back colour, so that the faint edge of a
// smoothed glyph does not count.
std::pair<int, int> inkRows(const QImage& image, const QColor& back, const QRect& within) {
    auto strong = [&](const QColor& c) {
        return std::abs(c.red() - back.red()) + std::abs(c.green() - back.green()) + std::abs(c.blue() - back.blue()) >=
               3 * 40;
    };
    int top = -1, bottom = -1;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            if (strong(pixel(image, x, y))) {
                if (top < 0) top = y;
                bottom = y;
                break;
            }
    return {top, bottom};
}

TEST(SkinFont, StaticTextKeepsAccentsAndDescendersInItsSixteenPixelCell) {
    QWidget parent;
    auto* label = new CCorvStatic;
    ASSERT_TRUE(label->Create("\xC9jgy|", 0, 0, 200, 40, &parent, 1000));
    label->SetColours(ColourPanel, ColourEdgeLight);
    const auto [top, bottom] = inkRows(render(*label), ColourPanel, QRect(0, 0, 200, 40));
    EXPECT_GE(top, 0);
    EXPECT_LE(bottom, 15) << "the letters reach below the 16-pixel cell";
    EXPECT_GE(bottom, 13) << "the letters are smaller than the cell";
}

TEST(SkinFont, ShowBoxValueStandsInATwentyTwoPixelCell) {
    QWidget parent;
    auto* box = new CCorvShowBox;
    ASSERT_TRUE(box->Create(0, 0, 200, 60, &parent, 5));
    box->setCaption("");
    box->setValue("\xC9jgy|");
    // The value stands on the bottom edge; its cell is the 22 rows above it.
    const auto [top, bottom] = inkRows(render(*box), ColourBlack, QRect(100, 1, 97, 58));
    EXPECT_GE(top, 60 - 22 - 1) << "the value is taller than its cell";
    EXPECT_LE(top, 60 - 22 + 3);
    EXPECT_GE(bottom, 55);
}

TEST(SkinFont, ButtonCaptionOfHeightTenIsTenPixelsFromAccentToDescender) {
    QWidget parent;
    parent.resize(200, 100);
    auto* button = new CCorvButton;
    // No face in the normal state: only the caption is drawn on the back colour.
    ASSERT_TRUE(button->Create("\xC9jgy|", ButtonStyle::BareNormal, 0, 0, 120, 40, &parent, 1));
    button->SetBackColour(ColourPanel);
    button->SetCaptionFont(QStringLiteral("MS sans serif"), 10);
    const auto [top, bottom] = inkRows(render(*button), ColourPanel, QRect(8, 8, 104, 24));
    ASSERT_GE(top, 0);
    // Whole pixels: the nearest em size may give a cell a fraction of a pixel taller.
    EXPECT_LE(bottom - top + 1, 11);
    EXPECT_GE(bottom - top + 1, 8);
}

}  // namespace
}  // namespace corvane
