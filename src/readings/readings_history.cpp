#include "readings/readings_history.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace corvane {

namespace {
constexpr double kGap = std::numeric_limits<double>::quiet_NaN();

// Gathers the points of one group and gives back its least and greatest value and its first
// gap, in time order.
class GroupSummary {
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
        if (high_ && (!low_ || high_->x() != low_->x())) found[n++] = *high_;
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

bool earlier(const QPointF& p, double time) { return p.x() < time; }
}  // namespace

QString ReadingColumn::title() const { return unit.isEmpty() ? caption : QStringLiteral("%1 [%2]").arg(caption, unit); }

void ReadingSeries::append(double time, double value) {
    if (!points_.empty()) {
        time = std::max(time, points_.back().x());
        // One gap point ends a line; more add nothing.
        if (std::isnan(value) && std::isnan(points_.back().y())) return;
    } else if (std::isnan(value)) {
        return;
    }
    points_.emplace_back(time, value);
    if (points_.size() > kCapacity) thin();
}

void ReadingSeries::thin() {
    const std::size_t old = points_.size() - kKeptWhole;
    std::vector<QPointF> thinned;
    thinned.reserve(old / 2 + kKeptWhole + 4);
    GroupSummary group;
    for (std::size_t i = 0; i < old; ++i) {
        group.add(points_[i]);
        if (i % 4 == 3) group.flush(thinned);
    }
    group.flush(thinned);
    thinned.insert(thinned.end(), points_.begin() + static_cast<std::ptrdiff_t>(old), points_.end());
    points_.swap(thinned);
}

void ReadingSeries::visible(double from, double to, std::size_t buckets, std::vector<QPointF>& out) const {
    out.clear();
    if (points_.empty() || buckets == 0 || !(to > from)) return;
    auto begin = std::lower_bound(points_.begin(), points_.end(), from, earlier);
    if (begin != points_.begin()) --begin;
    auto end = std::lower_bound(begin, points_.end(), to, earlier);
    if (end != points_.end()) ++end;
    const auto count = static_cast<std::size_t>(end - begin);
    if (count <= 2 * buckets) {
        out.assign(begin, end);
        return;
    }
    out.reserve(3 * buckets + 3);
    const double width = (to - from) / static_cast<double>(buckets);
    GroupSummary group;
    long current = -1;
    for (auto it = begin; it != end; ++it) {
        const long bucket =
            std::clamp(static_cast<long>(std::floor((it->x() - from) / width)), -1L, static_cast<long>(buckets));
        if (bucket != current) {
            group.flush(out);
            current = bucket;
        }
        group.add(*it);
    }
    group.flush(out);
}

void ReadingsHistory::reset(std::vector<ReadingColumn> columns) {
    columns_ = std::move(columns);
    series_.assign(columns_.size(), ReadingSeries());
    rows_ = 0;
    first_ = last_ = 0;
}

void ReadingsHistory::append(double time, const std::vector<double>& values) {
    if (rows_ == 0) first_ = time;
    last_ = std::max(time, rows_ == 0 ? time : last_);
    ++rows_;
    for (std::size_t i = 0; i < series_.size(); ++i) series_[i].append(last_, i < values.size() ? values[i] : kGap);
}

}  // namespace corvane
