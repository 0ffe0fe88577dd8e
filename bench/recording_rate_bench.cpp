// Every values frame a row: the real main window (in this process, offscreen) with its link on a
// pseudo-terminal, the graph window open and a recording running, while a unit sends a page of
// sixteen readings at a fixed rate and busy processes keep every core loaded.
//
//   recording_rate_bench [SECONDS] [RATE...]     default 10 s at 50, 200 and 1000 frames a second
//
// For each rate: the values frames the unit sent, the rows the recording holds, the history
// points the graph holds, and how late a 50 ms timer of the window fired (the longest the window
// kept a user waiting). Prints a Markdown table.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "command_payloads.h"
#include "menu_stream_builder.h"
#include "readings/readings_room.h"
#include "sample_stats.h"
#include "bench_window.h"
#include "unit_side.h"

using namespace corvane;
using namespace corvane::bench;
using unitsim::MenuStreamBuilder;
using Bytes = std::vector<std::uint8_t>;

namespace {
constexpr std::uint16_t kPage = 0x0101;
constexpr int kReadings = 16;

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "recording_rate_bench: %s\n", what.c_str());
    std::exit(1);
}

MenuStreamBuilder readingsMenu() {
    static const char* const units[] = {"rpm", "C", "V", "%", "km/h", "kPa"};
    MenuStreamBuilder m;
    m.item("Live", kPage, 1);
    m.page(kPage, 0);
    for (int i = 0; i < kReadings; ++i) {
        const auto line = static_cast<std::uint8_t>(1 + (i / 2) * 6), col = static_cast<std::uint8_t>(1 + (i % 2) * 60);
        m.control({static_cast<std::uint8_t>(i + 1),
                   's',
                   col,
                   line,
                   static_cast<std::uint8_t>(col + 55),
                   static_cast<std::uint8_t>(line + 5),
                   "Reading " + std::to_string(i) + "|" + units[i % 6],
                   {},
                   0});
    }
    return m;
}

// Busy processes, one per core, at the window's own priority.
class CpuHog {
public:
    CpuHog() {
        const long cores = std::max(1L, sysconf(_SC_NPROCESSORS_ONLN));
        for (long i = 0; i < cores; ++i) {
            const pid_t pid = fork();
            if (pid == 0) {
                // Ended with the benchmark, also when it stops early through fail().
                ::prctl(PR_SET_PDEATHSIG, SIGKILL);
                if (::getppid() == 1) _exit(0);
                volatile unsigned long spin = 0;
                for (;;) spin = spin + 1;
            }
            if (pid > 0) pids_.push_back(pid);
        }
    }
    ~CpuHog() {
        for (pid_t pid : pids_) kill(pid, SIGKILL);
        for (pid_t pid : pids_) waitpid(pid, nullptr, 0);
    }
    std::size_t count() const { return pids_.size(); }

private:
    std::vector<pid_t> pids_;
};

struct Row {
    int rate = 0;
    std::uint64_t sent = 0, rows = 0, points = 0;
    double seconds = 0, worstLatenessMs = 0, p99LatenessMs = 0;
};

class RecordingRateBench {
public:
    RecordingRateBench() {
        if (!dir_.isValid() || !unit_.ok()) fail("no temporary folder or pseudo-terminal");
        window_ = openBenchWindow(dir_, unit_.path(), 1280, 800);
        if (!window_->link().isOpen()) fail("the window's link did not open " + unit_.path());
        room_ = std::make_unique<ReadingsRoom>(*window_);
        exchange(Frame{'H', 1, {128}});
        exchange(Frame{'S', 1, {}});
        for (const Frame& f : readingsMenu().frames(200)) exchange(f);
        exchange(Frame{'J', 1, {kPage >> 8, kPage & 0xFF}});
        room_->openGraph();
        // The window counts the unit as connected once its supervision has seen the exchanges.
        QElapsedTimer t;
        t.start();
        while (!window_->connected() && t.elapsed() < 30000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (!window_->connected()) fail("the window did not see the unit connected");
    }

    Row run(int rate, int seconds) {
        Row row{rate};
        const QString path = dir_.filePath(QStringLiteral("rate-%1.csv").arg(rate));
        if (!room_->startRecording(path)) fail("the recording did not start");
        const std::size_t pointsBefore = room_->history().rows();
        std::atomic<bool> stop{false}, stopped{false};
        std::atomic<std::uint64_t> sent{0};
        std::thread unitThread([&] {
            const auto period = std::chrono::nanoseconds(1'000'000'000 / rate);
            auto due = std::chrono::steady_clock::now();
            for (std::uint64_t n = 0; !stop; ++n) {
                std::vector<std::string> values(kReadings);
                for (int r = 0; r < kReadings; ++r) values[r] = std::to_string((n * 7 + r * 13) % 1000) + ".5";
                const Frame d{'D', 1, unitsim::valuesPayload(1, values)};
                if (!unit_.write(encodeFrame(d.letter, d.sub, d.data))) break;
                ++sent;
                unit_.reply();
                due += period;
                std::this_thread::sleep_until(due);
                // A unit that falls behind its rate sends the next frame at once, never two at once.
                if (std::chrono::steady_clock::now() > due + period) due = std::chrono::steady_clock::now();
            }
            stopped = true;
        });
        Samples lateness;
        QElapsedTimer since;
        since.start();
        QTimer probe;
        probe.setInterval(50);
        QObject::connect(&probe, &QTimer::timeout, [&] {
            const double late = static_cast<double>(since.nsecsElapsed()) * 1e-6 - 50;
            lateness.add(late);
            row.worstLatenessMs = std::max(row.worstLatenessMs, late);
            since.restart();
        });
        probe.start();
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < seconds * 1000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        stop = true;
        while (!stopped) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        unitThread.join();
        row.seconds = static_cast<double>(clock.elapsed()) / 1000;
        probe.stop();
        settle();
        room_->stopRecording();
        row.sent = sent.load();
        row.rows = dataRows(path);
        row.points = room_->history().rows() - pointsBefore;
        row.p99LatenessMs = lateness.p99();
        return row;
    }

private:
    void exchange(const Frame& f) {
        if (!exchangeWhileTurning(unit_, f)) fail(std::string("no reply to '") + static_cast<char>(f.letter) + "'");
    }
    void settle() {
        QElapsedTimer t;
        t.start();
        while (window_->linkBridge().waitingCount() != 0 && t.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::processEvents();
    }
    static std::uint64_t dataRows(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) fail("the recording cannot be read");
        std::uint64_t lines = 0;
        while (!file.atEnd()) lines += file.readLine().endsWith('\n');
        return lines > 0 ? lines - 1 : 0;  // the header
    }

    QTemporaryDir dir_;
    UnitSide unit_;
    std::unique_ptr<BenchWindow> window_;
    std::unique_ptr<ReadingsRoom> room_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    std::vector<int> rates;
    for (int i = 2; i < argc; ++i) rates.push_back(std::max(1, std::atoi(argv[i])));
    if (rates.empty()) rates = {50, 200, 1000};
    std::printf("Machine: %s; Qt platform %s; %d s per rate\n\n", machineDescription().c_str(),
                QGuiApplication::platformName().toUtf8().constData(), seconds);
    RecordingRateBench bench;
    const CpuHog hog;
    std::printf("%zu busy processes at the window's priority\n\n", hog.count());
    std::printf(
        "| rate asked | values frames sent (per second) | rows recorded | graph points | rows / frames | "
        "window timer lateness: 99th percentile, worst |\n|---|---|---|---|---|---|\n");
    for (int rate : rates) {
        const Row r = bench.run(rate, seconds);
        std::printf("| %d/s | %llu (%.0f/s) | %llu | %llu | %.2f%% | %.1f ms, %.1f ms |\n", r.rate,
                    static_cast<unsigned long long>(r.sent), static_cast<double>(r.sent) / r.seconds,
                    static_cast<unsigned long long>(r.rows), static_cast<unsigned long long>(r.points),
                    r.sent ? 100.0 * static_cast<double>(r.rows) / static_cast<double>(r.sent) : 0.0, r.p99LatenessMs,
                    r.worstLatenessMs);
        std::fflush(stdout);
    }
    return 0;
}
