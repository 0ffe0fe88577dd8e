#include "readings/readings_history.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace corvane {

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::size_t kIntervalsKept = 15;

template <typename T>
void put(std::vector<T>& ring, std::size_t capacity, std::size_t index, const T& value) {
    // The ring grows as it fills, so a short history takes little memory.
    if (ring.size() < capacity)
        ring.push_back(value);
    else
        ring[index % capacity] = value;
}

// The least and greatest point of one pixel column and its first gap, given in time order.
class ColumnSummary {
public:
    void add(const QPointF& p) {
        if (std::isnan(p.y())) {
            if (!gap_) gap_ = p;
            return;
        }
        if (!low_ || p.y() < low_->y()) low_ = p;
        if (!high_ || p.y() > high_->y()) high_ = p;
    }
    void flush(std::vector<QPointF>& out) {
        QPointF found[3];
        int n = 0;
        if (low_) found[n++] = *low_;
        if (high_ && (!low_ || high_->x() != low_->x() || high_->y() != low_->y())) found[n++] = *high_;
        if (gap_) found[n++] = *gap_;
        std::sort(found, found + n, [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
        out.insert(out.end(), found, found + n);
        low_.reset();
        high_.reset();
        gap_.reset();
    }

private:
    std::optional<QPointF> low_, high_, gap_;
};
}  // namespace

QString ReadingColumn::title() const { return unit.isEmpty() ? caption : QStringLiteral("%1 [%2]").arg(caption, unit); }

ReadingSummary ReadingSummary::ofValue(double value) {
    ReadingSummary s;
    if (std::isnan(value)) {
        s.flags = kGap;
        return s;
    }
    s.low = s.high = s.mean = value;
    s.count = 1;
    s.flags = kLowFirst;
    return s;
}

void ReadingSummary::merge(const ReadingSummary& later) {
    flags |= later.flags & kGap;
    if (later.count == 0) return;
    if (count == 0) {
        low = later.low;
        high = later.high;
        mean = later.mean;
        count = later.count;
        flags = static_cast<std::uint8_t>((flags & kGap) | (later.flags & kLowFirst));
        return;
    }
    const bool lowLater = later.low < low;
    const bool highLater = later.high > high;
    bool lowFirst = this->lowFirst();
    if (lowLater && highLater)
        lowFirst = later.lowFirst();
    else if (lowLater)
        lowFirst = false;
    else if (highLater)
        lowFirst = true;
    if (lowLater) low = later.low;
    if (highLater) high = later.high;
    // Weighted by shares, so that no sum of large values overflows.
    const double total = static_cast<double>(count) + later.count;
    mean = mean * (count / total) + later.mean * (later.count / total);
    count += later.count;
    flags = static_cast<std::uint8_t>((flags & kGap) | (lowFirst ? kLowFirst : 0));
}

ReadingsHistory::ReadingsHistory(std::size_t rawValues) : rawValueBudget_(std::max<std::size_t>(rawValues, 64)) {
    reset({});
}

void ReadingsHistory::reset(std::vector<ReadingColumn> columns) {
    columns_ = std::move(columns);
    const std::size_t n = columns_.size();
    rawCapacity_ = std::max<std::size_t>(64, rawValueBudget_ / (n + 1)) / kFactor * kFactor;
    summaryCapacity_ = std::max<std::size_t>(16, rawCapacity_ / 4);
    times_.clear();
    times_.shrink_to_fit();
    values_.assign(n, {});
    levels_.assign(kLevels, Level());
    std::size_t rows = 1;
    for (Level& level : levels_) {
        rows *= kFactor;
        level.rows = rows;
        level.summaries.assign(n, {});
        level.partial.assign(n, ReadingSummary());
    }
    stored_ = rows_ = 0;
    last_ = 0;
    lastIsGap_ = true;
    intervals_.clear();
    intervalCount_ = 0;
    lastFrame_ = 0;
    intervalBroken_ = false;
    scratch_.assign(n, kNaN);
}

double ReadingsHistory::intervalMedian() const {
    double kept[kIntervalsKept];
    const std::size_t n = std::min(intervals_.size(), kIntervalsKept);
    std::copy_n(intervals_.begin(), n, kept);
    std::nth_element(kept, kept + n / 2, kept + n);
    return kept[n / 2];
}

void ReadingsHistory::append(double time, const std::vector<double>& values) {
    if (!std::isfinite(time)) return;
    if (stored_ > 0) time = std::max(time, last_);
    bool any = false;
    for (std::size_t c = 0; c < scratch_.size(); ++c) {
        const double v = c < values.size() && std::isfinite(values[c]) ? values[c] : kNaN;
        scratch_[c] = v;
        any = any || !std::isnan(v);
    }
    if (rows_ > 0 && !intervalBroken_) {
        const double interval = time - lastFrame_;
        const double usual = intervals_.empty() ? 0 : intervalMedian();
        if (!intervals_.empty() && interval > std::max(kGapIntervals * usual, kMinGapMs)) {
            // The unit fell silent: the lines break where the next frame was due.
            if (!lastIsGap_) store(std::min(last_ + usual, time), nullptr);
        } else {
            put(intervals_, kIntervalsKept, intervalCount_++, interval);
        }
    }
    store(time, scratch_.data());
    lastIsGap_ = !any;
    intervalBroken_ = false;
    lastFrame_ = time;
    ++rows_;
}

void ReadingsHistory::markGap() {
    intervalBroken_ = true;
    if (stored_ == 0 || lastIsGap_) return;
    store(last_, nullptr);
    lastIsGap_ = true;
}

void ReadingsHistory::store(double time, const double* values) {
    const std::size_t row = stored_;
    put(times_, rawCapacity_, row, time);
    Level& first = levels_.front();
    if (first.partialParts == 0) first.partialBegin = time;
    for (std::size_t c = 0; c < columns_.size(); ++c) {
        const double v = values ? values[c] : kNaN;
        put(values_[c], rawCapacity_, row, v);
        const ReadingSummary s = ReadingSummary::ofValue(v);
        if (first.partialParts == 0)
            first.partial[c] = s;
        else
            first.partial[c].merge(s);
    }
    ++stored_;
    last_ = time;
    if (++first.partialParts == kFactor) completeSummary(0);
}

void ReadingsHistory::completeSummary(std::size_t index) {
    Level& level = levels_[index];
    const std::size_t at = level.done++;
    put(level.begin, summaryCapacity_, at, level.partialBegin);
    put(level.end, summaryCapacity_, at, last_);
    for (std::size_t c = 0; c < level.partial.size(); ++c)
        put(level.summaries[c], summaryCapacity_, at, level.partial[c]);
    level.partialParts = 0;
    if (index + 1 >= levels_.size()) return;
    Level& up = levels_[index + 1];
    if (up.partialParts == 0) {
        up.partialBegin = level.partialBegin;
        up.partial = level.partial;
    } else {
        for (std::size_t c = 0; c < level.partial.size(); ++c) up.partial[c].merge(level.partial[c]);
    }
    if (++up.partialParts == kFactor) completeSummary(index + 1);
}

double ReadingsHistory::firstTime() const {
    if (stored_ == 0) return 0;
    double first = rowTime(firstRawRow());
    for (const Level& level : levels_)
        if (level.done > 0) first = std::min(first, level.begin[firstSummary(level) % summaryCapacity_]);
    return first;
}

std::size_t ReadingsHistory::oldestRow() const {
    std::size_t oldest = firstRawRow();
    for (const Level& level : levels_)
        if (level.done > 0) oldest = std::min(oldest, firstSummary(level) * level.rows);
    return oldest;
}

bool ReadingsHistory::locate(double time, Piece& out) const {
    if (stored_ == 0) return false;
    const std::size_t rawFirst = firstRawRow();
    if (time >= rowTime(rawFirst)) {
        std::size_t low = rawFirst, high = stored_;  // the answer is in [low, high)
        while (high - low > 1) {
            const std::size_t mid = low + (high - low) / 2;
            (rowTime(mid) <= time ? low : high) = mid;
        }
        out = {0, low, low, low + 1};
        return true;
    }
    for (std::size_t i = 0; i < levels_.size(); ++i) {
        const Level& level = levels_[i];
        const std::size_t first = firstSummary(level);
        if (level.done == first || time < level.begin[first % summaryCapacity_]) continue;
        std::size_t low = first, high = level.done;
        while (high - low > 1) {
            const std::size_t mid = low + (high - low) / 2;
            (level.begin[mid % summaryCapacity_] <= time ? low : high) = mid;
        }
        out = {static_cast<int>(i + 1), low, low * level.rows, (low + 1) * level.rows};
        return true;
    }
    return false;
}

std::size_t ReadingsHistory::rowAtOrBefore(double time) const {
    Piece p;
    return locate(time, p) ? p.firstRow : oldestRow();
}

std::size_t ReadingsHistory::rowAfter(double time) const {
    if (stored_ == 0 || time >= last_) return stored_;
    Piece p;
    return locate(time, p) ? p.endRow : oldestRow();
}

bool ReadingsHistory::piece(std::size_t row, int cap, std::size_t limit, Piece& out) const {
    for (int k = cap; k >= 1; --k) {
        const Level& level = levels_[static_cast<std::size_t>(k - 1)];
        if (row % level.rows != 0 || row + level.rows > limit) continue;
        const std::size_t j = row / level.rows;
        if (j >= firstSummary(level) && j < level.done) {
            out = {k, j, row, row + level.rows};
            return true;
        }
    }
    if (row >= firstRawRow() && row < stored_) {
        out = {0, row, row, row + 1};
        return true;
    }
    for (std::size_t i = 0; i < levels_.size(); ++i) {
        const Level& level = levels_[i];
        const std::size_t j = row / level.rows;
        if (j >= firstSummary(level) && j < level.done) {
            out = {static_cast<int>(i + 1), j, j * level.rows, (j + 1) * level.rows};
            return true;
        }
    }
    return false;
}

ReadingSummary ReadingsHistory::summaryOf(const Piece& p, std::size_t column) const {
    if (p.level == 0) return ReadingSummary::ofValue(rawValue(p.index, column));
    return levels_[static_cast<std::size_t>(p.level - 1)].summaries[column][p.index % summaryCapacity_];
}

double ReadingsHistory::pieceBegin(const Piece& p) const {
    if (p.level == 0) return rowTime(p.index);
    return levels_[static_cast<std::size_t>(p.level - 1)].begin[p.index % summaryCapacity_];
}

double ReadingsHistory::pieceEnd(const Piece& p) const {
    if (p.level == 0) return rowTime(p.index);
    return levels_[static_cast<std::size_t>(p.level - 1)].end[p.index % summaryCapacity_];
}

void ReadingsHistory::draw(std::size_t column, double from, double to, std::size_t pixels,
                           std::vector<QPointF>& out) const {
    out.clear();
    if (column >= columns_.size() || stored_ == 0 || pixels == 0 || !(to > from)) return;
    const std::size_t begin = rowAtOrBefore(from);
    const std::size_t end = std::min(stored_, rowAfter(to) + 1);
    if (begin >= end) return;
    const std::size_t rows = end - begin;
    // Summaries of at most half a pixel column's rows: each column still gets its true extremes.
    int cap = 0;
    while (cap < kLevels && levels_[static_cast<std::size_t>(cap)].rows * 2 * pixels <= rows) ++cap;
    const bool direct = rows <= 2 * pixels;
    const double width = (to - from) / static_cast<double>(pixels);
    ColumnSummary summary;
    long current = std::numeric_limits<long>::min();
    auto point = [&](double t, double v) {
        if (direct) {
            // One gap point ends a line; more add nothing.
            if (!(std::isnan(v) && !out.empty() && std::isnan(out.back().y()))) out.emplace_back(t, v);
            return;
        }
        const long c = std::clamp(static_cast<long>(std::floor((t - from) / width)), -1L, static_cast<long>(pixels));
        if (c != current) {
            summary.flush(out);
            current = c;
        }
        summary.add(QPointF(t, v));
    };
    Piece p;
    for (std::size_t row = begin; row < end;) {
        if (!piece(row, cap, end, p)) break;
        const ReadingSummary s = summaryOf(p, column);
        const double t0 = pieceBegin(p), t1 = pieceEnd(p);
        if (s.count == 0) {
            point(t0, kNaN);
        } else {
            point(t0, s.lowFirst() ? s.low : s.high);
            if (s.gap()) point(t0 + (t1 - t0) / 2, kNaN);
            if (p.level > 0) point(t1, s.lowFirst() ? s.high : s.low);
        }
        row = p.endRow;
    }
    if (!direct) summary.flush(out);
    // A line begins with its first number.
    const auto number = std::find_if(out.begin(), out.end(), [](const QPointF& q) { return !std::isnan(q.y()); });
    out.erase(out.begin(), number);
}

ReadingAt ReadingsHistory::at(std::size_t column, double time) const {
    Piece p;
    if (column >= columns_.size() || !locate(time, p)) return {};
    const ReadingSummary s = summaryOf(p, column);
    ReadingAt a;
    a.time = pieceBegin(p);
    if (s.count == 0) {
        a.kind = ReadingAt::Gap;
        return a;
    }
    a.kind = p.level == 0 ? ReadingAt::Value : ReadingAt::Range;
    a.low = s.low;
    a.high = s.high;
    return a;
}

ReadingStats ReadingsHistory::stats(std::size_t column, double from, double to) const {
    ReadingStats r;
    if (column >= columns_.size() || stored_ == 0) return r;
    if (from > to) std::swap(from, to);
    Piece p;
    std::size_t row = oldestRow();
    if (locate(from, p)) row = p.level == 0 && rowTime(p.index) < from ? p.endRow : p.firstRow;
    const std::size_t end = rowAfter(to);
    ReadingSummary all;
    for (; row < end; row = p.endRow) {
        if (!piece(row, kLevels, end, p)) break;
        if (pieceBegin(p) < from || pieceEnd(p) > to) r.exact = false;
        all.merge(summaryOf(p, column));
    }
    r.count = all.count;
    if (all.count > 0) {
        r.low = all.low;
        r.high = all.high;
        r.mean = all.mean;
    }
    return r;
}

std::size_t ReadingsHistory::heldRows() const { return std::min(stored_, rawCapacity_); }

double ReadingsHistory::heldRowTime(std::size_t i) const { return rowTime(firstRawRow() + i); }

double ReadingsHistory::heldValue(std::size_t i, std::size_t column) const {
    return rawValue(firstRawRow() + i, column);
}

std::size_t ReadingsHistory::memoryBytes() const {
    std::size_t bytes = times_.capacity() * sizeof(double);
    for (const auto& v : values_) bytes += v.capacity() * sizeof(double);
    for (const Level& level : levels_) {
        bytes += (level.begin.capacity() + level.end.capacity()) * sizeof(double);
        for (const auto& s : level.summaries) bytes += s.capacity() * sizeof(ReadingSummary);
        bytes += level.partial.capacity() * sizeof(ReadingSummary);
    }
    return bytes;
}

}  // namespace corvane
