#include "readings/reading_lines.h"

#include <QChart>
#include <QPainter>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace corvane {

namespace {
const QColor kCursorColour(200, 200, 200);
const QColor kMarkColour(255, 255, 255);
}  // namespace

ReadingLines::ReadingLines(QChart* chart) : QGraphicsItem(chart), chart_(chart) {
    setZValue(100);
    setFlag(QGraphicsItem::ItemClipsToShape, false);
    cursor_ = a_ = b_ = std::numeric_limits<double>::quiet_NaN();
    QObject::connect(chart, &QChart::plotAreaChanged, chart, [this] { refresh(); });
}

void ReadingLines::setTimeRange(double from, double to) {
    from_ = from;
    to_ = to > from ? to : from + 1;
}

void ReadingLines::setCursors(double value, double a, double b) {
    cursor_ = value;
    a_ = a;
    b_ = b;
    update();
}

void ReadingLines::refresh() {
    if (chart_->plotArea() != area_) {
        prepareGeometryChange();
        area_ = chart_->plotArea();
    }
    update();
}

QRectF ReadingLines::boundingRect() const { return area_; }

double ReadingLines::xOf(const QRectF& area, double time) const {
    return area.left() + (time - from_) * (area.width() / (to_ - from_));
}

void ReadingLines::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    const QRectF area = chart_->plotArea();
    if (area.isEmpty()) return;
    painter->save();
    painter->setClipRect(area);
    painter->setRenderHint(QPainter::Antialiasing, false);
    paintLines(painter, area, comparison_);
    paintLines(painter, area, lines_);
    paintCursors(painter, area);
    painter->restore();
}

void ReadingLines::paintLines(QPainter* painter, const QRectF& area, const std::vector<Line>& lines) {
    for (const Line& line : lines) {
        if (!line.shown || !line.axis || line.points.empty()) continue;
        const double low = line.axis->min();
        const double span = line.axis->max() - low;
        if (!(span > 0) || !std::isfinite(span)) continue;
        const double yScale = area.height() / span;
        painter->setPen(line.pen);
        polyline_.clear();
        auto flush = [&] {
            // A reading alone between two gaps is still seen, as a dot.
            if (polyline_.size() > 1)
                painter->drawPolyline(polyline_);
            else if (polyline_.size() == 1)
                painter->drawPoint(polyline_.front());
            polyline_.clear();
        };
        for (const QPointF& p : line.points) {
            if (std::isnan(p.y())) {
                flush();
                continue;
            }
            // Far outside the axis a value is drawn just outside it: the arithmetic stays finite.
            const double y = std::clamp(p.y(), low - span, low + 2 * span);
            polyline_.append(QPointF(xOf(area, p.x()), area.bottom() - (y - low) * yScale));
        }
        flush();
    }
}

void ReadingLines::paintCursors(QPainter* painter, const QRectF& area) {
    auto visible = [&](double t) { return !std::isnan(t) && t >= from_ && t <= to_; };
    if (visible(a_) && visible(b_)) {
        const double left = xOf(area, std::min(a_, b_)), right = xOf(area, std::max(a_, b_));
        painter->fillRect(QRectF(left, area.top(), right - left, area.height()), QColor(255, 255, 255, 28));
    }
    if (visible(cursor_)) {
        QPen pen(kCursorColour, 1, Qt::DashLine);
        painter->setPen(pen);
        const double x = xOf(area, cursor_);
        painter->drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    }
    const QFontMetrics metrics(painter->font());
    for (const auto& [time, name] : {std::pair{a_, QStringLiteral("A")}, std::pair{b_, QStringLiteral("B")}}) {
        if (!visible(time)) continue;
        const double x = xOf(area, time);
        painter->setPen(QPen(kMarkColour, 1));
        painter->drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        const QRectF tag(x + 1, area.top(), metrics.horizontalAdvance(name) + 6, metrics.height() + 2);
        painter->fillRect(tag, kMarkColour);
        painter->setPen(Qt::black);
        painter->drawText(tag, Qt::AlignCenter, name);
    }
}

}  // namespace corvane
