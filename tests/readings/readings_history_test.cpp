// The history the graph draws from and the cursors measure: bounded over any length, every
// extreme seen at every span, gaps where no frame came, exact values over the raw part.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "readings/readings_history.h"

using namespace corvane;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kStart = 1765274400000;

bool shows(const std::vector<QPointF>& points, double value) {
    return std::any_of(points.begin(), points.end(), [&](const QPointF& p) { return p.y() == value; });
}
bool breaks(const std::vector<QPointF>& points, double from, double to) {
    return std::any_of(points.begin(), points.end(),
                       [&](const QPointF& p) { return std::isnan(p.y()) && p.x() >= from && p.x() <= to; });
}
}  // namespace

TEST(ReadingsHistory, AOneSampleDipIsSeenAtEverySpanOfAnHourAndOfADay) {
    // A saw-tooth of 10 s at 50 rows a second, with one row of 9.5 at a few places: early on
    // (long gone from the raw part), in the middle, and among the newest rows.
    const int rowsPerHour = 3600 * 50;
    const int dips[] = {1234, 97531, rowsPerHour - 777};
    ReadingsHistory history(1 << 16);  // a raw part of 7 minutes
    history.reset({{"Battery", "V"}, {"Coolant", "C"}});
    auto value = [&](int row) {
        return std::find(std::begin(dips), std::end(dips), row) != std::end(dips) ? 9.5 : 12.0 + (row % 500) / 250.0;
    };
    for (int row = 0; row < rowsPerHour; ++row) history.append(kStart + row * 20.0, {value(row), 90.0});
    EXPECT_EQ(history.rows(), static_cast<std::size_t>(rowsPerHour));
    EXPECT_EQ(history.firstTime(), kStart);

    const double spans[] = {30e3, 120e3, 600e3, 3600e3};
    std::vector<QPointF> drawn;
    for (int dip : dips)
        for (double span : spans) {
            // The dip a third into the view, or the whole hour.
            const double from = std::max(kStart, kStart + dip * 20.0 - span / 3);
            history.draw(0, from, from + span, 640, drawn);
            EXPECT_TRUE(shows(drawn, 9.5)) << "dip at row " << dip << ", span " << span / 1000 << " s";
            EXPECT_TRUE(shows(drawn, 12.0 + 499 / 250.0)) << "the teeth keep their tops";
            EXPECT_LE(drawn.size(), 3u * 642) << "at most about two points a pixel column";
            EXPECT_TRUE(std::is_sorted(drawn.begin(), drawn.end(),
                                       [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); }));
        }
    // The newest half minute is drawn as it came, from the row at its left edge.
    history.draw(1, history.lastTime() - 30000, history.lastTime(), 2000, drawn);
    EXPECT_EQ(drawn.size(), 1501u);

    // A day of one reading: memory stays within its bound, the early dip still shows in the
    // whole day and in a minute around it, and the measuring there says it comes from summaries.
    ReadingsHistory day;
    day.reset({{"Battery", "V"}});
    const int rowsPerDay = 24 * rowsPerHour;
    for (int row = 0; row < rowsPerDay; ++row) day.append(kStart + row * 20.0, {row == 1234 ? 9.5 : 12.0});
    EXPECT_LT(day.memoryBytes(), 40u << 20);
    EXPECT_EQ(day.heldRows(), ReadingsHistory::kRawValues / 2);
    day.draw(0, day.firstTime(), day.lastTime(), 1000, drawn);
    EXPECT_TRUE(shows(drawn, 9.5));
    EXPECT_LE(drawn.size(), 3u * 1002);
    day.draw(0, kStart, kStart + 60e3, 1000, drawn);
    EXPECT_TRUE(shows(drawn, 9.5));
    const ReadingStats early = day.stats(0, kStart + 20e3, kStart + 30e3);
    EXPECT_EQ(early.low, 9.5);
    EXPECT_FALSE(early.exact);
    EXPECT_EQ(day.at(0, kStart + 1234 * 20.0).kind, ReadingAt::Range);
}

TEST(ReadingsHistory, SilenceADisconnectAndNoNumberBreakTheLinesButJitterDoesNot) {
    ReadingsHistory history;
    history.reset({{"Speed", "rpm"}, {"Battery", "V"}});
    double t = kStart;
    auto frames = [&](int n, double every) {
        for (int i = 0; i < n; ++i, t += every) history.append(t, {800, 14});
    };
    frames(100, 20);
    t += 40;  // one frame three intervals late: no gap
    frames(100, 20);
    const double silentFrom = t;
    t += 20000;  // the unit silent for 20 s
    frames(50, 20);
    history.markGap();  // the unit went away; the first frame after it comes at once
    const double reconnect = t;
    frames(50, 20);
    history.append(t, {kNaN, std::numeric_limits<double>::infinity()});  // no numbers at all
    history.append(t + 10, {810});  // the clock never goes back; a missing value is no number
    history.append(t - 5000, {820, 13});

    std::vector<QPointF> drawn;
    history.draw(0, kStart, t, 4000, drawn);
    EXPECT_FALSE(breaks(drawn, kStart, silentFrom - 20)) << "a late frame is no gap";
    EXPECT_TRUE(breaks(drawn, silentFrom, silentFrom + 20000));
    EXPECT_TRUE(breaks(drawn, reconnect - 20, reconnect)) << "across the disconnect";
    history.draw(1, t - 100, t + 100, 100, drawn);
    ASSERT_GE(drawn.size(), 2u);
    EXPECT_TRUE(std::isnan(drawn[drawn.size() - 2].y()));
    EXPECT_EQ(drawn.back(), QPointF(t + 10, 13));

    EXPECT_EQ(history.at(0, silentFrom + 5000).kind, ReadingAt::Gap);
    const ReadingAt before = history.at(0, silentFrom - 30);
    EXPECT_EQ(before.kind, ReadingAt::Value);
    EXPECT_EQ(before.low, 800);
    EXPECT_EQ(history.at(0, kStart - 1).kind, ReadingAt::None);
    EXPECT_EQ(history.rows(), 303u) << "the gaps put in are not frames";
}

TEST(ReadingsHistory, ValuesAndStatisticsBetweenTwoMomentsAreExactOverTheRawPart) {
    ReadingsHistory history;
    history.reset({{"A", ""}, {"B", ""}});
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(-1e6, 1e6);
    std::vector<std::pair<double, double>> rows;
    double t = kStart;
    for (int i = 0; i < 20000; ++i) {
        t += 10 + random() % 30;
        const double v = i % 97 == 5 ? kNaN : value(random);
        rows.emplace_back(t, v);
        history.append(t, {v, 1e308});
    }
    for (int trial = 0; trial < 50; ++trial) {
        const double a = rows[random() % rows.size()].first + random() % 7;
        const double b = rows[random() % rows.size()].first;
        const double from = std::min(a, b), to = std::max(a, b);
        std::size_t count = 0;
        double low = 1e300, high = -1e300, sum = 0;
        for (const auto& [rt, v] : rows)
            if (rt >= from && rt <= to && !std::isnan(v)) {
                ++count;
                low = std::min(low, v);
                high = std::max(high, v);
                sum += v;
            }
        const ReadingStats s = history.stats(0, a, b);
        ASSERT_EQ(s.count, count);
        EXPECT_TRUE(s.exact);
        if (count == 0) continue;
        EXPECT_EQ(s.low, low);
        EXPECT_EQ(s.high, high);
        EXPECT_NEAR(s.mean, sum / count, 1e-6);
        // The value at a moment: the row at or before it.
        const auto it = std::upper_bound(rows.begin(), rows.end(), a,
                                         [](double x, const std::pair<double, double>& r) { return x < r.first; });
        const ReadingAt at = history.at(0, a);
        if (std::isnan(std::prev(it)->second)) {
            EXPECT_EQ(at.kind, ReadingAt::Gap);
        } else {
            EXPECT_EQ(at.kind, ReadingAt::Value);
            EXPECT_EQ(at.low, std::prev(it)->second);
        }
    }
    // The mean of huge values does not overflow.
    EXPECT_NEAR(history.stats(1, kStart, t).mean / 1e308, 1.0, 1e-12);
}
