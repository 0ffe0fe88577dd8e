#pragma once
// The lines of the readings and the cursors, drawn over the chart's plot area. The chart gives
// the axes, the legend and the layout; the lines themselves are drawn here as plain polylines,
// broken at each gap, because the chart's own line series outlines every line for mouse
// hit-testing each time its points change, which costs tens of milliseconds for a window full of
// points. A compared recording's lines are drawn first, under the history's.
#include <QGraphicsItem>
#include <QPen>
#include <QPointF>
#include <QPolygonF>

#include <vector>

class QChart;
class QValueAxis;

namespace corvane {

class ReadingLines : public QGraphicsItem {
public:
    struct Line {
        QPen pen;
        QValueAxis* axis = nullptr;  // the value axis the line is measured on
        bool shown = true;
        std::vector<QPointF> points;  // (ms since the epoch, value); NaN value: a gap
    };

    // A child of the chart, drawn above its plot area.
    explicit ReadingLines(QChart* chart);

    std::vector<Line>& lines() { return lines_; }
    const std::vector<Line>& lines() const { return lines_; }
    std::vector<Line>& comparisonLines() { return comparison_; }
    const std::vector<Line>& comparisonLines() const { return comparison_; }
    void setTimeRange(double from, double to);
    // The value cursor and cursors A and B, in ms since the epoch (NaN: not shown).
    void setCursors(double value, double a, double b);
    // The plot area moved or the lines changed: repainted at the next paint.
    void refresh();

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    void paintLines(QPainter* painter, const QRectF& area, const std::vector<Line>& lines);
    void paintCursors(QPainter* painter, const QRectF& area);
    double xOf(const QRectF& area, double time) const;

    QChart* chart_;
    std::vector<Line> lines_;
    std::vector<Line> comparison_;
    double from_ = 0;
    double to_ = 1;
    double cursor_ = 0, a_ = 0, b_ = 0;
    QRectF area_;
    QPolygonF polyline_;
};

}  // namespace corvane
