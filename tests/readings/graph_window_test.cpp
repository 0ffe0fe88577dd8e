// The graph window as an instrument: axes that any finite values can be drawn on without the
// chart stepping for ever, the cursors' table with a second recording lined up, what the mouse
// and the keys do to the time axis, Pause in every span, and where the window opens.
#include <QChartView>
#include <QTableWidget>
#include <QTest>
#include <QValueAxis>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "readings/axis_range.h"
#include "readings/graph_placement.h"
#include "readings/graph_window.h"

using namespace corvane;

namespace {
constexpr double kStart = 1765274400000;  // 2025-12-09 10:00:00 UTC
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

QString cell(const Readout& r, std::size_t row, QString ReadoutRow::*field) { return r.rows.at(row).*field; }
}  // namespace

TEST(GraphWindow, AnyFiniteValuesAreDrawnOnAxesOfAFewTicks) {
    const double ulp20 = std::nextafter(1e20, kInf) - 1e20;  // 16384
    const std::pair<double, double> cases[] = {
        {1e20, 1e20 + ulp20},
        {1, std::nextafter(1.0, 2.0)},
        {5e-324, 1e-323},
        {-DBL_MAX, DBL_MAX},
        {0, 0},
        {-1e-300, 1e-300},
        {1e15, 1e15 + 1},
        {-5, 7},
        {DBL_MAX, DBL_MAX},
        {-3e-280, -1e-280},
    };
    for (const auto& [low, high] : cases) {
        const AxisRange r = valueAxisRange(low, high);
        const double magnitude = std::max(std::abs(r.low), std::abs(r.high));
        EXPECT_TRUE(std::isfinite(r.low) && std::isfinite(r.high) && std::isfinite(r.high - r.low)) << low;
        EXPECT_LE(r.low, std::max(low, -1e307));
        EXPECT_GE(r.high, std::min(high, 1e307));
        const double ticks = (r.high - r.low) / r.step;
        EXPECT_TRUE(ticks >= 2 && ticks <= 12) << low << " " << high << ": " << ticks << " ticks";
        // Each tick moves the label value by many units in its last place.
        EXPECT_GT(r.step, magnitude * 1e-14) << low << " " << high;
    }

    // The same values live: drawing and painting ends, and no value beyond reach is drawn.
    ReadingsHistory history;
    history.reset({{"Huge", "a"}, {"Extreme", "b"}, {"Broken", "c"}, {"Tiny", "d"}});
    for (int i = 0; i < 40; ++i)
        history.append(kStart + 100 * i, {i % 2 ? 1e20 : 1e20 + ulp20, i % 2 ? DBL_MAX : -DBL_MAX, i % 2 ? kInf : kNaN,
                                          i % 2 ? 5e-324 : 1e-323});
    CReadingsGraph graph(history, {});
    graph.resize(900, 600);
    graph.show();
    graph.redraw();
    EXPECT_FALSE(graph.grab().isNull());
    for (const char* unit : {"a", "b", "d"}) {
        QValueAxis* axis = graph.axisOfUnit(QString::fromLatin1(unit));
        ASSERT_TRUE(axis);
        EXPECT_TRUE(std::isfinite(axis->max() - axis->min()) && axis->max() > axis->min()) << unit;
        EXPECT_LE((axis->max() - axis->min()) / axis->tickInterval(), 12) << unit;
    }
    EXPECT_EQ(graph.drawnPoints(0).size(), 40u);
    EXPECT_TRUE(graph.drawnPoints(2).empty()) << "infinities and NaN are gaps";
}

TEST(GraphWindow, CursorsMeasureBothRecordingsAndLineThemUp) {
    // A: a ramp (its row number) and a battery that dips once, a row every 100 ms. B: the same
    // ramp plus 1000, a day later.
    ReadingsHistory a, b;
    a.reset({{"Ramp", ""}, {"Battery", "V"}});
    b.reset({{"Ramp", ""}});
    for (int i = 0; i <= 600; ++i) {
        a.append(kStart + 100 * i, {double(i), i == 150 ? 9.0 : 12.0});
        b.append(kStart + 86400e3 + 100 * i, {i + 1000.0});
    }
    CReadingsGraph graph(a, {});
    graph.setComparison(&b, QStringLiteral("b.csv"));
    graph.resize(1000, 600);
    graph.show();
    graph.setSpan(CReadingsGraph::SpanAll);
    graph.redraw();
    EXPECT_EQ(graph.comparisonOffset(), -86400e3) << "lined up at their starts";
    ASSERT_FALSE(graph.drawnComparisonPoints(0).empty());
    EXPECT_EQ(graph.drawnComparisonPoints(0).front(), QPointF(kStart, 1000));

    graph.placeCursorA(kStart + 10050);
    graph.placeCursorB(kStart + 20000);
    graph.setValueCursor(kStart + 15000);
    Readout r = graph.readout();
    ASSERT_EQ(r.rows.size(), 3u);
    EXPECT_EQ(r.between, QStringLiteral("9.950 s"));
    // Between A and B: the rows from 10.1 s to 20 s; at A: the row at 10 s.
    const QString ramp[] = {"Ramp", "150", "100", "200", "100", "101", "200", "150.5"};
    const QString battery[] = {"Battery [V]", "9", "12", "12", "0", "9", "12", "11.97"};
    QString ReadoutRow::*fields[] = {&ReadoutRow::name,     &ReadoutRow::atCursor, &ReadoutRow::atA,
                                     &ReadoutRow::atB,      &ReadoutRow::change,   &ReadoutRow::least,
                                     &ReadoutRow::greatest, &ReadoutRow::mean};
    for (int f = 0; f < 8; ++f) {
        EXPECT_EQ(cell(r, 0, fields[f]), ramp[f]) << f;
        EXPECT_EQ(cell(r, 1, fields[f]), battery[f]) << f;
    }
    EXPECT_EQ(cell(r, 2, &ReadoutRow::name), QStringLiteral("Ramp (b.csv)"));
    EXPECT_EQ(cell(r, 2, &ReadoutRow::atB), QStringLiteral("1200"));
    // The table shows it, and the clipboard's text is the table.
    EXPECT_EQ(graph.readoutTable()->item(1, 5)->text(), QStringLiteral("9"));
    EXPECT_TRUE(r.text().contains(QStringLiteral("Battery [V]\t9\t12\t12\t0\t9\t12\t11.97\n")));

    // B's moment under cursor B goes under cursor A.
    ASSERT_TRUE(graph.alignComparisonAtCursors());
    r = graph.readout();
    EXPECT_EQ(cell(r, 2, &ReadoutRow::atA), QStringLiteral("1200"));
    EXPECT_EQ(graph.cursorB(), graph.cursorA());
    graph.clearCursors();
    EXPECT_FALSE(graph.alignComparisonAtCursors()) << "nothing to line up without both cursors";
}

TEST(GraphWindow, WheelDragAndKeysMoveTheTimeAxisAndPauseHoldsEverySpan) {
    ReadingsHistory history;
    history.reset({{"Speed", "km/h"}});
    auto grow = [&](int from, int to) {
        for (int i = from; i < to; ++i) history.append(kStart + 100 * i, {double(i % 50)});
    };
    grow(0, 12000);  // 20 minutes
    CReadingsGraph graph(history, {});
    graph.resize(1000, 600);
    graph.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&graph));
    graph.setSpan(CReadingsGraph::Span2min);
    QWidget* plot = graph.view()->viewport();
    const double x = plot->width() / 2.0;
    const double under = graph.timeAtViewX(x);
    ASSERT_FALSE(std::isnan(under));

    // One notch in: four fifths of the span, the time under the pointer stays under it.
    QWheelEvent wheel(QPointF(x, 100), plot->mapToGlobal(QPointF(x, 100)), {}, QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(plot, &wheel);
    EXPECT_FALSE(graph.following());
    EXPECT_NEAR(graph.shownTo() - graph.shownFrom(), 96e3, 1);
    EXPECT_NEAR(graph.timeAtViewX(x), under, 100);

    // A drag of 100 pixels to the right shows earlier readings by as much time.
    const double from = graph.shownFrom(), perPixel = (graph.shownTo() - graph.shownFrom()) / 100;
    const double pixelsMs = graph.timeAtViewX(x + 100) - graph.timeAtViewX(x);
    QTest::mousePress(plot, Qt::LeftButton, {}, QPoint(int(x), 100));
    QTest::mouseMove(plot, QPoint(int(x) + 50, 100));
    QTest::mouseMove(plot, QPoint(int(x) + 100, 100));
    QTest::mouseRelease(plot, Qt::LeftButton, {}, QPoint(int(x) + 100, 100));
    EXPECT_NEAR(graph.shownFrom(), from - pixelsMs, perPixel);
    EXPECT_TRUE(std::isnan(graph.cursorA())) << "a drag places no cursor";
    // A click places A, Shift+click B.
    QTest::mouseClick(plot, Qt::LeftButton, {}, QPoint(int(x), 100));
    EXPECT_NEAR(graph.cursorA(), graph.timeAtViewX(x), 1);
    QTest::mouseClick(plot, Qt::LeftButton, Qt::ShiftModifier, QPoint(int(x) + 10, 100));
    EXPECT_GT(graph.cursorB(), graph.cursorA());

    // Keys: the value cursor a pixel at a time, zoom around it, everything, the newest.
    graph.view()->setFocus();
    graph.setValueCursor(graph.timeAtViewX(x));
    const double cursor = graph.valueCursor(), span = graph.shownTo() - graph.shownFrom();
    QTest::keyClick(graph.view(), Qt::Key_Right);
    EXPECT_NEAR(graph.valueCursor() - cursor, graph.timeAtViewX(x + 1) - graph.timeAtViewX(x), span / 1e4);
    QTest::keyClick(graph.view(), Qt::Key_Plus);
    EXPECT_NEAR(graph.shownTo() - graph.shownFrom(), span / 2, 1);
    QTest::keyClick(graph.view(), Qt::Key_A);
    EXPECT_EQ(graph.cursorA(), graph.valueCursor());
    QTest::keyClick(graph.view(), Qt::Key_Delete);
    EXPECT_TRUE(std::isnan(graph.cursorA()) && std::isnan(graph.cursorB()));
    QTest::keyClick(graph.view(), Qt::Key_End);
    EXPECT_TRUE(graph.following());

    // Paused, the view stays in every span while rows go on coming.
    for (CReadingsGraph::Span s : {CReadingsGraph::Span30s, CReadingsGraph::SpanAll}) {
        graph.setSpan(s);
        graph.setFollowing(true);
        graph.redraw();
        QTest::keyClick(graph.view(), Qt::Key_Space);
        const double shownTo = graph.shownTo(), shownFrom = graph.shownFrom();
        grow(static_cast<int>(history.rows()), static_cast<int>(history.rows()) + 600);
        graph.historyGrew();
        graph.redraw();
        EXPECT_EQ(graph.shownTo(), shownTo) << s;
        EXPECT_EQ(graph.shownFrom(), shownFrom) << s;
    }
    const auto [title, range] = graph.pictureCaption();
    EXPECT_EQ(range, QDateTime::fromMSecsSinceEpoch(qint64(graph.shownFrom())).toString("yyyy-MM-dd  HH:mm:ss") +
                         QDateTime::fromMSecsSinceEpoch(qint64(graph.shownTo())).toString(" 'to' HH:mm:ss"));

    QTest::keyClick(graph.view(), Qt::Key_Escape);
    EXPECT_FALSE(graph.isVisible()) << "Escape closes the window";
}

TEST(GraphWindow, OpensOnTheMainWindowsScreenBelowItsTitleBandAndNoLarger) {
    const QSize wanted(960, 600), least(520, 240);
    // A screen of 1280 x 800; at a scale of 2 one of 640 x 400; a main window off to the right.
    struct Case {
        QRect main, screen;
    } cases[] = {
        {{0, 0, 1280, 800}, {0, 0, 1280, 800}},
        {{0, 0, 640, 400}, {0, 0, 640, 400}},
        {{1500, 100, 800, 600}, {1280, 0, 1920, 1080}},
        {{100, -50, 800, 300}, {0, 0, 1280, 800}},
    };
    for (const Case& c : cases) {
        const QRect r = graphPlacement(c.main, 75, c.screen, wanted, least);
        EXPECT_TRUE(c.screen.contains(r)) << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
        EXPECT_GE(r.top(), std::max(c.screen.top(), c.main.top() + 75)) << "below the main window's title band";
        EXPECT_GE(r.height(), std::min(least.height(), c.screen.height() - 75));
        EXPECT_LE(r.width(), wanted.width());
    }
}
