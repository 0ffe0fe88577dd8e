#pragma once
// The readings of one page over time, as the graph draws them: one series of (time, value)
// points per caption/value box, a NaN value marking a gap (the box showed no number). Memory
// stays bounded however long it runs: the newest points are kept as they came, older ones are
// thinned to the least and greatest value of each group, so a short dip or peak stays visible.
#include <QPointF>
#include <QString>

#include <cstddef>
#include <vector>

namespace corvane {

struct ReadingColumn {
    QString caption;
    QString unit;  // may be empty
    bool operator==(const ReadingColumn&) const = default;
    // "Caption [unit]", or the caption alone without a unit.
    QString title() const;
};

class ReadingSeries {
public:
    // Beyond kCapacity points the oldest are thinned until kKeptWhole newest points remain whole.
    static constexpr std::size_t kCapacity = 16384;
    static constexpr std::size_t kKeptWhole = 8192;

    // Times must not go back; a time before the last is taken as the last.
    void append(double time, double value);
    const std::vector<QPointF>& points() const { return points_; }

    // The points of [from, to] with the one before and after (so lines reach the edges), at
    // most about 2 * buckets of them: where more fall in, each bucket gives its least and
    // greatest value, and a gap in a bucket stays a gap.
    void visible(double from, double to, std::size_t buckets, std::vector<QPointF>& out) const;

private:
    void thin();

    std::vector<QPointF> points_;
};

class ReadingsHistory {
public:
    // Forgets all points and starts over with these columns.
    void reset(std::vector<ReadingColumn> columns);
    const std::vector<ReadingColumn>& columns() const { return columns_; }
    // One value per column (NaN for none); extra values are ignored, missing ones are gaps.
    void append(double time, const std::vector<double>& values);

    std::size_t size() const { return series_.size(); }
    const ReadingSeries& series(std::size_t i) const { return series_[i]; }
    bool empty() const { return rows_ == 0; }
    std::size_t rows() const { return rows_; }
    double firstTime() const { return first_; }
    double lastTime() const { return last_; }

private:
    std::vector<ReadingColumn> columns_;
    std::vector<ReadingSeries> series_;
    std::size_t rows_ = 0;
    double first_ = 0;
    double last_ = 0;
};

}  // namespace corvane
