// The graph of the readings and the recording under the heaviest load named for them: sixteen
// readings at 50 updates a second for a simulated hour and a simulated day, with the graph
// window open.
//
//   readings_bench [--live SECONDS] [--hours N]      (best on the offscreen platform)
//
// 1. The hour: 180000 rows of 16 values (six units, a dropout now and then) go into the history
//    the graph draws from and into a CSV recording, as the readings room does with each values
//    notification; once a simulated minute the graph is redrawn and painted. Gives the cost of a
//    row, of a redraw as the history grows, the memory after the hour and the CSV bytes a row.
// 2. After the hour: a redraw and paint of the full window for each time span, a zoom step, and
//    the cursors' table with A and B over the whole hour.
// 3. The day: the history goes on without the CSV file to N hours (default 24); the same figures.
// 4. The hour's recording read back as `corvane --plot` reads it.
// 5. Live: rows at 50 a second from a timer for SECONDS (default 20) with the graph's own 100 ms
//    redraw timer painting, and the process's CPU share over that time.
//
// Prints Markdown table rows.
#include <QApplication>
#include <QChartView>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <functional>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "readings/graph_window.h"
#include "readings/reading_number.h"
#include "readings/readings_csv.h"
#include "readings/readings_history.h"
#include "readings/readings_recorder.h"
#include "readings/recording_viewer.h"
#include "sample_stats.h"

using namespace corvane;
using namespace corvane::bench;

namespace {
constexpr int kReadings = 16;
constexpr int kRatePerSecond = 50;
constexpr int kRowsPerHour = 3600 * kRatePerSecond;
constexpr qint64 kStartMs = 1765274400000;
const char* const kUnits[] = {"rpm", "C", "V", "%", "km/h", "kPa"};

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "readings_bench: %s\n", what.c_str());
    std::exit(1);
}

// A row of values as a unit sends them: one decimal, every 997th value of reading 3 a dropout.
std::vector<std::string> rowValues(int row) {
    std::vector<std::string> values(kReadings);
    char text[32];
    for (int r = 0; r < kReadings; ++r) {
        if (r == 3 && row % 997 < 5) {
            values[r] = "---";
            continue;
        }
        const double base = 10.0 * (r + 1);
        const double v = base + base * 0.3 * std::sin(row * 0.002 * (r + 1)) + (row * 7919 % 13) * 0.1;
        std::snprintf(text, sizeof text, "%.1f", v * (r == 0 ? 40 : 1));
        values[r] = text;
    }
    return values;
}

std::vector<double> numbers(const std::vector<std::string>& values) {
    std::vector<double> out;
    for (const auto& v : values) out.push_back(readingNumber(v).value_or(std::numeric_limits<double>::quiet_NaN()));
    return out;
}

void paint(CReadingsGraph& graph) {
    graph.historyGrew();
    graph.redraw();
    QCoreApplication::processEvents();
    graph.view()->viewport()->repaint();
}

// CPU time of this thread, not the wall clock: the figures stay put on a machine shared with
// other work.
double millisecondsOf(const std::function<void()>& work) {
    const double start = threadCpuSeconds();
    work();
    return (threadCpuSeconds() - start) * 1000.0;
}
}  // namespace

// Redraw and paint for each span, a zoom step in the middle and the cursors' table over it all.
void spanFigures(CReadingsGraph& graph, const ReadingsHistory& history, const char* when) {
    const char* spanNames[] = {"30 s", "2 min", "10 min", "everything"};
    for (int span = CReadingsGraph::Span30s; span <= CReadingsGraph::SpanAll; ++span) {
        graph.setSpan(static_cast<CReadingsGraph::Span>(span));
        Samples samples;
        for (int i = 0; i < 20; ++i) samples.add(1000.0 * millisecondsOf([&] { paint(graph); }));
        std::printf("| redraw and paint after %s, %s span, CPU median | %.1f ms |\n", when, spanNames[span],
                    samples.median() / 1000.0);
    }
    const double middle = history.firstTime() / 2 + history.lastTime() / 2;
    Samples zoom;
    for (int i = 0; i < 10; ++i) {
        zoom.add(1000.0 * millisecondsOf([&] {
                     graph.zoom(0.8, middle);
                     QCoreApplication::processEvents();
                     graph.view()->viewport()->repaint();
                 }));
    }
    std::printf("| one wheel notch of zoom from everything, drawn, after %s, CPU median | %.1f ms |\n", when,
                zoom.median() / 1000.0);
    Samples cursors;
    for (int i = 0; i < 10; ++i)
        cursors.add(1000.0 * millisecondsOf([&] {
                        graph.placeCursorA(history.firstTime() + i);
                        graph.placeCursorB(history.lastTime() - i);
                    }));
    std::printf("| cursors A and B over all of it: the table of 16 readings, CPU median | %.2f ms |\n",
                cursors.median() / 1000.0);
    graph.clearCursors();
    graph.setFollowing(true);
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    double liveSeconds = 20;
    int hours = 24;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--live") == 0) liveSeconds = std::atof(argv[i + 1]);
        if (std::strcmp(argv[i], "--hours") == 0) hours = std::max(1, std::atoi(argv[i + 1]));
    }

    std::vector<ReadingColumn> columns;
    for (int r = 0; r < kReadings; ++r)
        columns.push_back({QStringLiteral("Reading %1").arg(r + 1), QString::fromLatin1(kUnits[r % 6])});
    ReadingsHistory history;
    history.reset(columns);
    CReadingsGraph graph(history, {});
    graph.resize(1280, 720);
    graph.show();
    QCoreApplication::processEvents();
    const double rssStart = residentMegabytes();

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hour.csv"));
    ReadingsRecorder recorder;
    if (!recorder.start(path, columns)) fail(recorder.errorText().toStdString());

    // 1. The simulated hour.
    double rowMs = 0;
    Samples redrawUs;
    const double cpuBefore = processCpuSeconds();
    auto rowTime = [](int row) { return kStartMs + static_cast<qint64>(row) * (1000 / kRatePerSecond); };
    for (int row = 0; row < kRowsPerHour; ++row) {
        const qint64 time = rowTime(row);
        const std::vector<std::string> values = rowValues(row);
        rowMs += millisecondsOf([&] {
            history.append(static_cast<double>(time), numbers(values));
            if (!recorder.write(QDateTime::fromMSecsSinceEpoch(time), values)) fail(recorder.errorText().toStdString());
        });
        if (row % (60 * kRatePerSecond) == 0) redrawUs.add(1000.0 * millisecondsOf([&] { paint(graph); }));
    }
    const double hourCpu = processCpuSeconds() - cpuBefore;
    paint(graph);
    recorder.stop();
    const double headerBytes = static_cast<double>(csvHeader(columns).size());
    const double bytesPerRow = (static_cast<double>(QFileInfo(path).size()) - headerBytes) / kRowsPerHour;

    std::printf("| figure | value |\n|---|---|\n");
    std::printf("| rows in the hour (16 readings, 50 a second) | %d |\n", kRowsPerHour);
    std::printf("| one row: history and CSV write, CPU mean | %.1f µs |\n", 1000.0 * rowMs / kRowsPerHour);
    std::printf("| CPU of the whole simulated hour, rows and one redraw a minute | %.1f s |\n", hourCpu);
    std::printf("| redraw and paint during the hour (2 min span), CPU median / worst | %.1f / %.1f ms |\n",
                redrawUs.median() / 1000.0, redrawUs.quantile(1.0) / 1000.0);
    std::printf("| history after the hour: rows held as they came / memory of rows and summaries | %zu / %.1f MiB |\n",
                history.heldRows(), history.memoryBytes() / 1048576.0);
    std::printf("| resident memory after the hour, graph open (at the start: %.1f MiB) | %.1f MiB |\n", rssStart,
                residentMegabytes());
    std::printf("| CSV bytes a row (16 values like 1234.5) | %.1f |\n", bytesPerRow);

    // 2. After the hour.
    spanFigures(graph, history, "the hour");

    // 3. The day, without the CSV file.
    const int rowsInAll = hours * kRowsPerHour;
    double dayRowMs = 0;
    for (int row = kRowsPerHour; row < rowsInAll; ++row) {
        const std::vector<std::string> values = rowValues(row);
        const std::vector<double> n = numbers(values);
        dayRowMs += millisecondsOf([&] { history.append(static_cast<double>(rowTime(row)), n); });
    }
    paint(graph);
    std::printf("| one row into the history alone (hours 2 to %d), CPU mean | %.2f µs |\n", hours,
                1000.0 * dayRowMs / (rowsInAll - kRowsPerHour));
    std::printf("| history after %d h: rows held as they came / memory of rows and summaries | %zu / %.1f MiB |\n",
                hours, history.heldRows(), history.memoryBytes() / 1048576.0);
    std::printf("| resident memory after %d h, graph open | %.1f MiB |\n", hours, residentMegabytes());
    const std::string when = std::to_string(hours) + " h";
    spanFigures(graph, history, when.c_str());

    // 4. The hour's recording read back.
    {
        ReadingsHistory back;
        const double start = threadCpuSeconds();
        const RecordingReader::Result result = loadRecording(path, back);
        const double seconds = threadCpuSeconds() - start;
        if (!result.faults.empty()) fail(result.faults.front().toStdString());
        std::printf("| --plot of the hour's recording (%.1f MiB, %zu rows): read, CPU | %.2f s (%.0f MiB/s) |\n",
                    QFileInfo(path).size() / 1048576.0, back.rows(), seconds,
                    QFileInfo(path).size() / 1048576.0 / seconds);
    }

    // 5. Live: 50 rows a second from a timer, the graph redrawing on its own timer.
    graph.setSpan(CReadingsGraph::Span2min);
    if (!recorder.start(dir.filePath(QStringLiteral("live.csv")), columns)) fail(recorder.errorText().toStdString());
    int row = rowsInAll;
    QElapsedTimer wall;
    QTimer feed;
    feed.setTimerType(Qt::PreciseTimer);
    qint64 lastTick = 0, longestGap = 0;
    QObject::connect(&feed, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, wall.elapsed() - lastTick);
        lastTick = wall.elapsed();
        // Rows due by the wall clock: a late tick catches up, as notifications queued meanwhile would.
        const qint64 due = static_cast<qint64>(wall.elapsed()) * kRatePerSecond / 1000;
        while (row - rowsInAll < due) {
            const qint64 time = rowTime(row);
            const std::vector<std::string> values = rowValues(row);
            history.append(static_cast<double>(time), numbers(values));
            recorder.write(QDateTime::fromMSecsSinceEpoch(time), values);
            graph.historyGrew();
            ++row;
        }
    });
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(liveSeconds * 1000), &loop, &QEventLoop::quit);
    const double liveCpuBefore = processCpuSeconds();
    wall.start();
    feed.start(1000 / kRatePerSecond);
    loop.exec();
    const double liveCpu = processCpuSeconds() - liveCpuBefore;
    const double seconds = wall.elapsed() / 1000.0;
    std::printf("| live for %.0f s: longest wait of a row (the event loop busy), 20 ms timer | %lld ms |\n", seconds,
                static_cast<long long>(longestGap));
    std::printf("| live for %.0f s: CPU of the process with the graph open (one core = 100%%) | %.1f%% |\n", seconds,
                100.0 * liveCpu / seconds);
    return 0;
}
