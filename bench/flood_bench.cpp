// A unit that repeats one command as fast as the pseudo-terminal carries it (a firmware fault,
// a stuck key): for each command letter, 10 s of that letter against the real main window (in
// this process, offscreen), then its resident memory and how soon the window answers.
//
//   flood_bench [SECONDS]     default 10 s per letter
//
// Prints a Markdown table: exchanges answered, the notifications folded, the window's worst
// lateness during the flood (a 50 ms timer), the time until the window has handled everything
// the flood left waiting and then answers a posted event, and resident memory after.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <atomic>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "command_payloads.h"
#include "menu_stream_builder.h"
#include "sample_stats.h"
#include "bench_window.h"
#include "unit_side.h"

using namespace corvane;
using namespace corvane::bench;
using unitsim::MenuStreamBuilder;
using Bytes = std::vector<std::uint8_t>;

namespace {

constexpr std::uint16_t kPageA = 0x0101, kPageB = 0x0102;
constexpr int kControls = 50;

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "flood_bench: %s\n", what.c_str());
    std::exit(1);
}

// Two pages of 50 controls of every kind; page A's ids 1 to 50.
MenuStreamBuilder floodMenu() {
    MenuStreamBuilder m;
    m.item("Page A", kPageA, 1).item("Page B", kPageB, 2);
    const char kinds[] = {'l', 't', 'p', 's', 'e', 'c', 'b', 'x'};
    for (std::uint16_t page : {kPageA, kPageB}) {
        m.page(page, 0);
        for (int i = 0; i < kControls; ++i) {
            const char type = kinds[i % 8];
            const auto col = static_cast<std::uint8_t>(1 + (i % 5) * 40),
                       line = static_cast<std::uint8_t>(1 + (i / 5) * 6);
            unitsim::ControlElement c{static_cast<std::uint8_t>(i + 1),
                                      type,
                                      col,
                                      line,
                                      static_cast<std::uint8_t>(col + 38),
                                      static_cast<std::uint8_t>(line + 5),
                                      type == 'c' ? "Choice|one|two" : "Control " + std::to_string(i),
                                      type == 'b' ? std::optional<std::uint32_t>(0x020100u + i) : std::nullopt,
                                      0};
            m.control(c);
        }
    }
    return m;
}

Frame frame(char letter, std::uint8_t sub, Bytes data = {}) {
    return Frame{static_cast<std::uint8_t>(letter), sub, std::move(data)};
}

// The frames one flood cycles through, by letter.
std::vector<Frame> floodFrames(char letter, const MenuStreamBuilder& menu) {
    std::vector<std::string> lines, values;
    for (int i = 0; i < 20; ++i) lines.push_back("P0" + std::to_string(100 + i) + " line " + std::to_string(i));
    for (int i = 0; i < kControls; ++i) values.push_back(std::to_string(i * 7));
    switch (letter) {
        case 'B': return {frame('B', 1, unitsim::boxPayload('t', "Please wait"))};
        case 'C': return menu.frames(200);
        case 'D': return {frame('D', 1, unitsim::valuesPayload(1, values))};
        case 'E': return {frame('E', 2, Bytes(200, 'e')), frame('E', 0, Bytes(200, 'f'))};
        case 'J': return {frame('J', 1, {kPageA >> 8, kPageA & 0xFF}), frame('J', 1, {kPageB >> 8, kPageB & 0xFF})};
        case 'L': {
            std::vector<Frame> f = unitsim::listFrames(1, lines);
            for (const Frame& w : unitsim::listFrames(0, {"window line"})) f.push_back(w);
            return f;
        }
        case 'N': return {frame('N', 1, Bytes{'A', '.', 'T', 'X', 'T', '|', '9', '^'})};
        case 'P':
            return {frame('P', 1, unitsim::progressPayload(3, 100, 40)),
                    frame('P', 1, unitsim::progressPayload(11, 100, 60))};
        case 'R': return {frame('R', 1, {1, 50})};
        case 'T': return unitsim::textFrames(2, "Text for control two");
        case 'W': return {frame('W', 0, Bytes{'x', 'y'})};  // never completed: no save dialog
        case 'X': return {frame('X', 1)};
        default: return {frame(letter, 1)};
    }
}

struct Row {
    char letter;
    std::uint64_t exchanges = 0, stalls = 0, folded = 0;
    double worstLatenessMs = 0, settleMs = 0, rssMb = 0;
};

class FloodBench {
public:
    FloodBench() {
        if (!dir_.isValid() || !unit_.ok()) fail("no temporary folder or pseudo-terminal");
        window_ = openBenchWindow(dir_, unit_.path(), 1280, 800);
        if (!window_->link().isOpen()) fail("the window's link did not open " + unit_.path());
        exchange(frame('H', 1, {128}));
        exchange(frame('S', 1));
    }

    // Sends the menu and opens page A, as a unit does before its floods.
    void prepare() {
        for (const Frame& f : menu_.frames(200)) exchange(f);
        exchange(frame('S', 1));
        exchange(frame('J', 1, {kPageA >> 8, kPageA & 0xFF}));
        settle(20000);
    }

    Row flood(char letter, int seconds) {
        Row row{letter};
        const std::vector<Frame> frames = floodFrames(letter, menu_);
        const std::uint64_t foldedBefore = bridgeFolded();
        std::atomic<bool> stop{false}, stopped{false};
        std::thread unitThread([&] {
            for (std::size_t i = 0; !stop; i = (i + 1) % frames.size()) {
                const Frame& f = frames[i];
                if (unit_.exchange(encodeFrame(f.letter, f.sub, f.data)))
                    ++row.exchanges;
                else
                    ++row.stalls;
            }
            stopped = true;
        });
        // A timer that should fire every 50 ms: how late it fires is how long the window
        // keeps the user waiting.
        QElapsedTimer since;
        since.start();
        QTimer probe;
        probe.setInterval(50);
        QObject::connect(&probe, &QTimer::timeout, [&] {
            const double late = static_cast<double>(since.nsecsElapsed()) * 1e-6 - 50;
            row.worstLatenessMs = std::max(row.worstLatenessMs, late);
            since.restart();
        });
        probe.start();
        QElapsedTimer run;
        run.start();
        while (run.elapsed() < seconds * 1000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        stop = true;
        // The unit stops; the window's answer is measured from here.
        QElapsedTimer answer;
        answer.start();
        while (!stopped) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        unitThread.join();
        probe.stop();
        settle(60000);
        row.settleMs = static_cast<double>(answer.nsecsElapsed()) * 1e-6;
        row.folded = bridgeFolded() - foldedBefore;
        // Let deferred deletions run, then read the memory.
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
        row.rssMb = residentMegabytes();
        return row;
    }

private:
    // One exchange as the unit, while the window's event loop turns.
    void exchange(const Frame& f) {
        if (!exchangeWhileTurning(unit_, f)) fail(std::string("no reply to '") + static_cast<char>(f.letter) + "'");
    }
    std::uint64_t bridgeFolded() { return window_->linkBridge().foldedCount(); }
    // Until nothing the link announced waits and a posted event is handled.
    void settle(int milliseconds) {
        QElapsedTimer t;
        t.start();
        bool answered = false;
        while (t.elapsed() < milliseconds) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            if (window_->linkBridge().waitingCount() != 0) continue;
            QTimer::singleShot(0, [&] { answered = true; });
            while (!answered && t.elapsed() < milliseconds) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            return;
        }
        fail("the window did not settle");
    }

    QTemporaryDir dir_;
    UnitSide unit_;
    std::unique_ptr<BenchWindow> window_;
    const MenuStreamBuilder menu_ = floodMenu();
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    std::printf("Machine: %s; Qt platform %s; %d s per letter\n\n", machineDescription().c_str(),
                QGuiApplication::platformName().toUtf8().constData(), seconds);
    FloodBench bench;
    bench.prepare();
    std::printf("resident memory before the floods: %.1f MB\n\n", residentMegabytes());
    std::printf(
        "| letter | exchanges | replies later than 2 s | notifications folded | worst lateness during the flood | "
        "window answers after the flood | resident memory after |\n|---|---|---|---|---|---|---|\n");
    for (char letter : std::string("SHJCDLTPBXEFGNRWYZ")) {
        const Row r = bench.flood(letter, seconds);
        std::printf("| '%c' | %llu | %llu | %llu | %.0f ms | %.0f ms | %.1f MB |\n", r.letter,
                    static_cast<unsigned long long>(r.exchanges), static_cast<unsigned long long>(r.stalls),
                    static_cast<unsigned long long>(r.folded), r.worstLatenessMs, r.settleMs, r.rssMb);
        std::fflush(stdout);
        // A flood of menus or boxes leaves the window elsewhere: the next one starts on page A.
        bench.prepare();
    }
    return 0;
}
