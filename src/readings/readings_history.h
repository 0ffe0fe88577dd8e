#pragma once
// The readings of one page over time, as the graph draws them and the cursors measure them: one
// row per values frame, with its time (milliseconds since the epoch) and one number per
// caption/value box (NaN: the box showed no number). Memory is bounded however long it runs, and
// no extreme is ever lost:
// - the newest rows are kept as they came (the raw part, a ring);
// - every row also goes into summaries of 8, 64, 512, ... rows (the levels): per reading the
//   least and the greatest value, which came first, the mean, and whether a gap fell in it. A
//   summary is made once, when its rows are complete, and never thinned again. Each level is a
//   ring as well, the coarser ones reaching further back.
// A span is drawn from the coarsest summaries that are still finer than half a pixel column, so
// every column shows the true least and greatest value in it, whatever the span.
// A row without a number in any reading is a gap, which breaks every line: one goes in when no
// values frame came for longer than a few of the usual intervals, and markGap() puts one in when
// the unit goes away.
#include <QPointF>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace corvane {

struct ReadingColumn {
    QString caption;
    QString unit;  // may be empty
    bool operator==(const ReadingColumn&) const = default;
    // "Caption [unit]", or the caption alone without a unit.
    QString title() const;
};

// One reading over a stretch of rows.
struct ReadingSummary {
    static constexpr std::uint8_t kGap = 1;       // a row without a number fell in the stretch
    static constexpr std::uint8_t kLowFirst = 2;  // the least value came before the greatest
    double low = 0;
    double high = 0;
    double mean = 0;
    std::uint32_t count = 0;  // rows with a number
    std::uint8_t flags = 0;

    static ReadingSummary ofValue(double value);
    // `later` follows this stretch in time.
    void merge(const ReadingSummary& later);
    bool gap() const { return flags & kGap; }
    bool lowFirst() const { return flags & kLowFirst; }
};

// A reading at one moment: the value of the last row at or before it.
struct ReadingAt {
    enum Kind { None, Gap, Value, Range };
    Kind kind = None;  // None: before the first row; Range: only a summary reaches back there
    double low = 0;    // the value; for a Range, the least and greatest of its rows
    double high = 0;
    double time = 0;  // of the row (of the summary's first row for a Range)
};

// One reading between two moments.
struct ReadingStats {
    std::size_t count = 0;  // rows with a number
    double low = 0;
    double high = 0;
    double mean = 0;
    // False when summaries at the ends reach beyond the moments (rows older than the raw part).
    bool exact = true;
};

class ReadingsHistory {
public:
    // The raw part holds about this many values (rows x readings); each level holds a quarter as
    // many summaries as the raw part holds rows.
    static constexpr std::size_t kRawValues = std::size_t{1} << 20;
    static constexpr std::size_t kFactor = 8;  // rows of a level-1 summary; each level 8 times the one below
    static constexpr int kLevels = 8;
    // A gap goes in when no row came for this many usual intervals, and never for less than
    // kMinGapMs.
    static constexpr double kGapIntervals = 4;
    static constexpr double kMinGapMs = 500;

    explicit ReadingsHistory(std::size_t rawValues = kRawValues);

    // Forgets all rows and starts over with these columns.
    void reset(std::vector<ReadingColumn> columns);
    const std::vector<ReadingColumn>& columns() const { return columns_; }
    // One value per column (NaN or an infinity: no number); extra values are ignored, missing
    // ones are gaps. A time before the last is taken as the last.
    void append(double time, const std::vector<double>& values);
    // Breaks every line after the last row (the unit went away).
    void markGap();

    std::size_t size() const { return columns_.size(); }
    bool empty() const { return rows_ == 0; }
    // Values frames appended (gaps put in are not counted).
    std::size_t rows() const { return rows_; }
    // The oldest time still held and the newest.
    double firstTime() const;
    double lastTime() const { return last_; }

    // The points of reading `column` to draw over [from, to] on `pixels` columns, with the
    // point before and after the span so the line reaches the edges; a NaN value is a gap.
    // Where more rows fall in than about two a pixel column, each column gives its least and
    // greatest value (in the order they came) and its first gap.
    void draw(std::size_t column, double from, double to, std::size_t pixels, std::vector<QPointF>& out) const;
    ReadingAt at(std::size_t column, double time) const;
    ReadingStats stats(std::size_t column, double from, double to) const;

    // The rows held as they came (the raw part), oldest first; gaps put in are rows without
    // numbers.
    std::size_t heldRows() const;
    double heldRowTime(std::size_t i) const;
    double heldValue(std::size_t i, std::size_t column) const;
    // Whether every row since the first is still held as it came.
    bool holdsEverything() const { return heldRows() == stored_; }

    // Bytes the rows and summaries take (for the benchmark).
    std::size_t memoryBytes() const;

private:
    struct Level {
        std::size_t rows = 0;                                // rows of one summary
        std::vector<double> begin;                           // time of each summary's first row (ring)
        std::vector<double> end;                             // and of its last
        std::vector<std::vector<ReadingSummary>> summaries;  // per column (ring)
        std::size_t done = 0;                                // summaries completed since the start
        std::vector<ReadingSummary> partial;                 // per column, of the summary being filled
        double partialBegin = 0;
        std::size_t partialParts = 0;  // rows (level 1) or summaries of the level below in it
    };
    // A stretch of stored rows: one raw row (level 0) or one summary.
    struct Piece {
        int level = 0;
        std::size_t index = 0;  // row, or summary number
        std::size_t firstRow = 0;
        std::size_t endRow = 0;
    };

    // One row; `values` (one per column) null for a gap.
    void store(double time, const double* values);
    void completeSummary(std::size_t level);
    double intervalMedian() const;

    std::size_t firstRawRow() const { return stored_ - std::min(stored_, rawCapacity_); }
    std::size_t firstSummary(const Level& level) const { return level.done - std::min(level.done, summaryCapacity_); }
    double rowTime(std::size_t row) const { return times_[row % rawCapacity_]; }
    double rawValue(std::size_t row, std::size_t column) const { return values_[column][row % rawCapacity_]; }
    // The raw row at or before `time`, else the finest summary that holds `time`; false before
    // everything held.
    bool locate(double time, Piece& out) const;
    std::size_t oldestRow() const;
    // The first row of the piece holding `time` (the oldest held before everything), and the
    // first row after it.
    std::size_t rowAtOrBefore(double time) const;
    std::size_t rowAfter(double time) const;
    // The piece that starts the walk at `row`: the coarsest summary up to level `cap` that starts
    // there and ends by `limit`, else the raw row, else the finest summary holding the row.
    bool piece(std::size_t row, int cap, std::size_t limit, Piece& out) const;
    ReadingSummary summaryOf(const Piece& p, std::size_t column) const;
    double pieceBegin(const Piece& p) const;
    double pieceEnd(const Piece& p) const;

    std::size_t rawValueBudget_;
    std::vector<ReadingColumn> columns_;
    std::size_t rawCapacity_ = 0;
    std::size_t summaryCapacity_ = 0;
    std::vector<double> times_;                // raw part: time of each row (ring)
    std::vector<std::vector<double>> values_;  // raw part: per column (ring)
    std::vector<Level> levels_;                // levels_[0] is level 1
    std::size_t stored_ = 0;                   // rows stored, gaps put in included
    std::size_t rows_ = 0;
    double last_ = 0;
    bool lastIsGap_ = true;
    double lastFrame_ = 0;
    std::vector<double> intervals_;  // the latest intervals between frames (ring)
    std::size_t intervalCount_ = 0;
    bool intervalBroken_ = false;  // a gap was marked since the last frame
    std::vector<double> scratch_;
};

}  // namespace corvane
