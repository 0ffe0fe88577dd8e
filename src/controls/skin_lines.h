#pragma once
// Pixel-exact drawing of the skin's lines and fills, in the target's integer coordinates.
//
// A 1-pixel line covers the points from its start up to, but not including, its end point; a
// polyline therefore draws each corner once and leaves its last point out. A wider pen of
// width w puts a w x w square on every point of the path, end point included, spanning
// p - w/2 .. p - w/2 + w - 1 on both axes, so that the corners of a wide polyline are closed.
// Antialiasing plays no part: every covered pixel gets the full colour.
#include <QColor>
#include <QPainter>
#include <QPoint>
#include <QRect>

#include <initializer_list>

namespace corvane {

// The rectangle with left, top and exclusive right and bottom edges.
constexpr QRect rectLTRB(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}

void drawSkinLine(QPainter& painter, QPoint from, QPoint to, const QColor& colour, int width = 1);
void drawSkinPolyline(QPainter& painter, std::initializer_list<QPoint> points, const QColor& colour, int width = 1);
// Fills a rectangle (exclusive right and bottom); an empty rectangle fills nothing.
void fillSkinRect(QPainter& painter, const QRect& rect, const QColor& colour);

}  // namespace corvane
