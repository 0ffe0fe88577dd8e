#pragma once
// The square where a pane's two scroll bars meet: a black field with a light top and right edge
// and a dark left and bottom edge.
#include <QColor>
#include <QPainter>
#include <QRect>

namespace corvane {

// Draws the corner through its own off-screen surface; `corner` in the painter's coordinates.
void paintScrollCorner(QPainter& target, const QRect& corner, const QColor& fill);

}  // namespace corvane
