// The history the graph draws from stays bounded over a long run and keeps what matters on a
// graph: short dips, gaps, and at most two points per pixel column when drawn.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "readings/readings_history.h"

using namespace corvane;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
}

TEST(ReadingsHistory, AnHourAtFiftyPerSecondStaysBoundedAndKeepsADipAndAGap) {
    ReadingsHistory history;
    history.reset({{"Battery", "V"}, {"Coolant", "C"}});
    const int rows = 3600 * 50;
    for (int i = 0; i < rows; ++i) {
        const double t = i * 20.0;
        const double battery = i == 1000 ? 9.5 : 14.0;  // one 20 ms dip early on
        const double coolant = (i >= 2000 && i < 2010) ? kNaN : 90.0;
        history.append(t, {battery, coolant});
    }
    EXPECT_EQ(history.rows(), static_cast<std::size_t>(rows));
    for (std::size_t s = 0; s < history.size(); ++s)
        EXPECT_LE(history.series(s).points().size(), ReadingSeries::kCapacity);

    const auto& battery = history.series(0).points();
    EXPECT_TRUE(std::any_of(battery.begin(), battery.end(), [](const QPointF& p) { return p.y() == 9.5; }))
        << "the dip survives thinning";
    const auto& coolant = history.series(1).points();
    EXPECT_EQ(std::count_if(coolant.begin(), coolant.end(), [](const QPointF& p) { return std::isnan(p.y()); }), 1)
        << "the dropout stays one gap";
    EXPECT_TRUE(std::is_sorted(coolant.begin(), coolant.end(),
                               [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); }));

    // Drawn over the whole hour at 400 columns: bounded, the dip and the gap still there.
    std::vector<QPointF> shown;
    history.series(0).visible(history.firstTime(), history.lastTime(), 400, shown);
    EXPECT_LE(shown.size(), 3u * 400 + 3);
    EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [](const QPointF& p) { return p.y() == 9.5; }));
    history.series(1).visible(history.firstTime(), history.lastTime(), 400, shown);
    EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [](const QPointF& p) { return std::isnan(p.y()); }));

    // The last half minute is drawn as it came, with one point beyond each edge.
    history.series(0).visible(history.lastTime() - 30000, history.lastTime(), 2000, shown);
    EXPECT_EQ(shown.size(), 1501u + 1);
}

TEST(ReadingsHistory, TimeNeverGoesBackAndMissingValuesAreGaps) {
    ReadingsHistory history;
    history.reset({{"A", ""}, {"B", ""}});
    history.append(1000, {1, 2});
    history.append(900, {3});  // the clock was set back; B has no value
    const auto& a = history.series(0).points();
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a[1], QPointF(1000, 3));
    ASSERT_EQ(history.series(1).points().size(), 2u);
    EXPECT_TRUE(std::isnan(history.series(1).points()[1].y()));
}
