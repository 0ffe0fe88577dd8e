#include "readings/reading_lines.h"

#include <QChart>
#include <QPainter>
#include <QValueAxis>

#include <cmath>

namespace corvane {

ReadingLines::ReadingLines(QChart* chart) : QGraphicsItem(chart), chart_(chart) {
    setZValue(100);
    setFlag(QGraphicsItem::ItemClipsToShape, false);
    QObject::connect(chart, &QChart::plotAreaChanged, chart, [this] { refresh(); });
}

void ReadingLines::setTimeRange(double from, double to) {
    from_ = from;
    to_ = to > from ? to : from + 1;
}

void ReadingLines::refresh() {
    if (chart_->plotArea() != area_) {
        prepareGeometryChange();
        area_ = chart_->plotArea();
    }
    update();
}

QRectF ReadingLines::boundingRect() const { return area_; }

void ReadingLines::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    const QRectF area = chart_->plotArea();
    if (area.isEmpty()) return;
    painter->save();
    painter->setClipRect(area);
    painter->setRenderHint(QPainter::Antialiasing, false);
    const double xScale = area.width() / (to_ - from_);
    for (const Line& line : lines_) {
        if (!line.shown || !line.axis || line.points.empty()) continue;
        const double low = line.axis->min();
        const double span = line.axis->max() - low;
        if (!(span > 0)) continue;
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
            polyline_.append(QPointF(area.left() + (p.x() - from_) * xScale, area.bottom() - (p.y() - low) * yScale));
        }
        flush();
    }
    painter->restore();
}

}  // namespace corvane
