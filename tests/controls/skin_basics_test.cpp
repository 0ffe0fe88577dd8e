#include "controls/mem_dc.h"
#include "controls/palette.h"
#include "controls/plain_pane.h"
#include "controls/skin_faces.h"
#include "controls/skin_lines.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

namespace corvane {
namespace {

QImage canvas(int w = 20, int h = 20) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

bool lit(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)) != QColor(Qt::black); }

TEST(Shading, DarkenAndLightenWorkPerChannelWithTruncation) {
    EXPECT_EQ(Darken(ColourAccent, 15), QColor(217, 109, 55));
    EXPECT_EQ(Lighten(ColourAccent, 5), QColor(255, 134, 73));
    EXPECT_EQ(Darken(QColor(9, 10, 199), 10), QColor(9, 9, 180));
    EXPECT_EQ(Lighten(QColor(0, 254, 100), 2), QColor(5, 254, 103));
    EXPECT_EQ(Darken(ColourBlack, 50), ColourBlack);
    EXPECT_EQ(Lighten(ColourWhite, 50), ColourWhite);
}

TEST(SkinLines, AThinLineLeavesOutItsEndPoint) {
    QImage image = canvas();
    QPainter p(&image);
    drawSkinLine(p, {2, 3}, {8, 3}, Qt::white);
    drawSkinLine(p, {5, 10}, {5, 5}, Qt::white);
    p.end();
    EXPECT_TRUE(lit(image, 2, 3));
    EXPECT_TRUE(lit(image, 7, 3));
    EXPECT_FALSE(lit(image, 8, 3));
    EXPECT_TRUE(lit(image, 5, 10));
    EXPECT_TRUE(lit(image, 5, 6));
    EXPECT_FALSE(lit(image, 5, 5));
}

TEST(SkinLines, AThinPolylineDrawsEveryCornerButNotTheLastPoint) {
    QImage image = canvas();
    QPainter p(&image);
    drawSkinPolyline(p, {{2, 2}, {10, 2}, {10, 10}, {2, 10}}, Qt::white);
    p.end();
    EXPECT_TRUE(lit(image, 10, 2));
    EXPECT_TRUE(lit(image, 10, 10));
    EXPECT_TRUE(lit(image, 3, 10));
    EXPECT_FALSE(lit(image, 2, 10));
    EXPECT_FALSE(lit(image, 6, 6));
}

TEST(SkinLines, ADiagonalHitsEveryStepOnce) {
    QImage image = canvas();
    QPainter p(&image);
    drawSkinLine(p, {2, 2}, {12, 12}, Qt::white);
    p.end();
    for (int i = 2; i < 12; ++i) EXPECT_TRUE(lit(image, i, i)) << i;
    EXPECT_FALSE(lit(image, 12, 12));
    EXPECT_FALSE(lit(image, 3, 2));
}

TEST(SkinLines, WidePensCoverTheirWidthAroundThePathAndCloseCorners) {
    QImage image = canvas();
    QPainter p(&image);
    drawSkinPolyline(p, {{4, 4}, {4, 12}, {12, 12}}, Qt::white, 4);
    p.end();
    // Width 4 spans p - 2 .. p + 1 on both axes, end point included.
    for (int x = 2; x <= 5; ++x) EXPECT_TRUE(lit(image, x, 8)) << x;
    EXPECT_FALSE(lit(image, 1, 8));
    EXPECT_FALSE(lit(image, 6, 8));
    EXPECT_TRUE(lit(image, 13, 13));
    EXPECT_FALSE(lit(image, 14, 12));
    EXPECT_TRUE(lit(image, 2, 13));  // the corner is closed
}

TEST(SkinFaces, RaisedFaceIsLitAtTheTopRightAndShadedAtTheBottomLeft) {
    QImage image = canvas(40, 30);
    QPainter p(&image);
    drawRaisedFace(p, 0, 0, 40, 30, ColourAccent);
    p.end();
    // Outermost top line: six lightening steps of 5.
    QColor k = ColourAccent;
    for (int i = 0; i < 6; ++i) k = Lighten(k, 5);
    EXPECT_EQ(QColor(image.pixel(20, 0)), k);
    // Innermost top line: one step.
    EXPECT_EQ(QColor(image.pixel(20, 5)), Lighten(ColourAccent, 5));
    // Bottom: five darkening steps of 10 at b - 1.
    k = ColourAccent;
    for (int i = 0; i < 5; ++i) k = Darken(k, 10);
    EXPECT_EQ(QColor(image.pixel(20, 29)), k);
    EXPECT_EQ(QColor(image.pixel(20, 15)), ColourAccent);
}

TEST(SkinFaces, SunkenFaceStartsFromTheColourDarkenedBy15) {
    QImage image = canvas(40, 30);
    QPainter p(&image);
    drawSunkenFace(p, 0, 0, 40, 30, ColourAccent);
    p.end();
    const QColor d = Darken(ColourAccent, 15);
    EXPECT_EQ(QColor(image.pixel(20, 15)), d);
    EXPECT_EQ(QColor(image.pixel(20, 5)), Darken(d, 10));
    EXPECT_EQ(QColor(image.pixel(20, 25)), Lighten(d, 2));
}

TEST(MemDC, DrawsInTheTargetsCoordinatesAndCopiesOnceAtTheEnd) {
    QImage image = canvas(50, 50);
    {
        QPainter target(&image);
        target.setBackground(QColor(1, 2, 3));
        CMemDC dc(target, QRect(10, 10, 20, 20));
        dc->fillRect(QRect(12, 12, 2, 2), Qt::white);
        // Nothing reaches the target before the surface ends.
        EXPECT_EQ(QColor(image.pixel(12, 12)), QColor(Qt::black));
    }
    EXPECT_EQ(QColor(image.pixel(12, 12)), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(20, 20)), QColor(1, 2, 3));  // filled with the background colour
    EXPECT_EQ(QColor(image.pixel(9, 9)), QColor(Qt::black));  // outside the rectangle: untouched
    EXPECT_EQ(QColor(image.pixel(30, 30)), QColor(Qt::black));
}

TEST(MemDC, AnEmptyRectangleCopiesNothing) {
    QImage image = canvas();
    {
        QPainter target(&image);
        target.setBackground(Qt::white);
        CMemDC dc(target, QRect(5, 5, 0, 0));
        EXPECT_TRUE(dc.isOffScreen());
        dc->fillRect(QRect(0, 0, 20, 20), Qt::white);
    }
    EXPECT_EQ(QColor(image.pixel(5, 5)), QColor(Qt::black));
}

TEST(MemDC, WithoutARectangleItCoversTheClipBox) {
    QImage image = canvas();
    QPainter target(&image);
    target.setClipRect(QRect(4, 6, 8, 3));
    CMemDC dc(target);
    EXPECT_EQ(dc.rect(), QRect(4, 6, 8, 3));
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

class PlainPane : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override { PaintPlainPane(this); }
};

TEST(PlainPane, PaintsTheWholeWidgetInThePaneColourWithoutABackgroundErase) {
    PlainPane pane;
    NoEraseBackground(&pane);
    EXPECT_TRUE(pane.testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_TRUE(pane.testAttribute(Qt::WA_NoSystemBackground));
    pane.resize(40, 30);
    QImage image(pane.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    pane.render(&image);
    EXPECT_EQ(QColor(image.pixel(0, 0)), ColourPane);
    EXPECT_EQ(QColor(image.pixel(39, 29)), ColourPane);
}

}  // namespace
}  // namespace corvane
