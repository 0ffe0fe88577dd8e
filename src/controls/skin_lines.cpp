#include "controls/skin_lines.h"

#include <cstdlib>

namespace corvane {

namespace {

void stamp(QPainter& painter, int x, int y, const QColor& colour, int width) {
    const int offset = width / 2;
    painter.fillRect(QRect(x - (width > 1 ? offset : 0), y - (width > 1 ? offset : 0), width, width), colour);
}

}  // namespace

void drawSkinLine(QPainter& painter, QPoint from, QPoint to, const QColor& colour, int width) {
    if (width < 1) width = 1;
    const bool includeEnd = width > 1;
    if (from == to) {
        if (includeEnd) stamp(painter, from.x(), from.y(), colour, width);
        return;
    }
    // Straight lines as one fill each.
    if (from.y() == to.y() || from.x() == to.x()) {
        const int offset = width > 1 ? width / 2 : 0;
        if (from.y() == to.y()) {
            const int step = to.x() > from.x() ? 1 : -1;
            const int last = includeEnd ? to.x() : to.x() - step;
            const int x0 = std::min(from.x(), last), x1 = std::max(from.x(), last);
            painter.fillRect(QRect(x0 - offset, from.y() - offset, x1 - x0 + width, width), colour);
        } else {
            const int step = to.y() > from.y() ? 1 : -1;
            const int last = includeEnd ? to.y() : to.y() - step;
            const int y0 = std::min(from.y(), last), y1 = std::max(from.y(), last);
            painter.fillRect(QRect(from.x() - offset, y0 - offset, width, y1 - y0 + width), colour);
        }
        return;
    }
    // Bresenham for slanted lines.
    const int dx = std::abs(to.x() - from.x()), dy = -std::abs(to.y() - from.y());
    const int sx = from.x() < to.x() ? 1 : -1, sy = from.y() < to.y() ? 1 : -1;
    int err = dx + dy;
    int x = from.x(), y = from.y();
    for (;;) {
        const bool atEnd = x == to.x() && y == to.y();
        if (atEnd && !includeEnd) break;
        stamp(painter, x, y, colour, width);
        if (atEnd) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void drawSkinPolyline(QPainter& painter, std::initializer_list<QPoint> points, const QColor& colour, int width) {
    if (points.size() < 2) return;
    const QPoint* previous = points.begin();
    for (const QPoint* p = previous + 1; p != points.end(); ++p) {
        drawSkinLine(painter, *previous, *p, colour, width);
        previous = p;
    }
}

void fillSkinRect(QPainter& painter, const QRect& rect, const QColor& colour) {
    if (rect.width() <= 0 || rect.height() <= 0) return;
    painter.fillRect(rect, colour);
}

}  // namespace corvane
