#pragma once
// The shaded faces of the skin's buttons: a raised face lit from the top right, a sunken face
// shaded the other way. Each edge is six (top, left) or five (bottom, right) 1-pixel lines whose
// colour is shaded a step further for every line outward.
#include <QColor>
#include <QPainter>

namespace corvane {

// Both take the rectangle as left, top and exclusive right and bottom.
void drawRaisedFace(QPainter& painter, int l, int t, int r, int b, const QColor& base);
void drawSunkenFace(QPainter& painter, int l, int t, int r, int b, const QColor& base);

}  // namespace corvane
