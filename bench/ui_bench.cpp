// The window figures. Two ways to run it:
//
//   ui_bench                     in this process, best on the offscreen platform: building the
//                                menu view for 199 entries, opening a page of 200 controls,
//                                painting the main window at 1920 x 1080, and the hand-over
//                                of a sent notification to the event loop.
//   ui_bench --program CORVANE   the real program on an X display (a virtual screen will do),
//                                with this process as the unit on a pseudo-terminal: time from
//                                start to the first painted window, CPU on a silent line and
//                                while the busy bar runs, resident memory once every page of
//                                the demo's menu has been shown.
//
// Prints Markdown table rows.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "demo_menu.h"
#include "forms/menu_wnd.h"
#include "menu_stream_builder.h"
#include "sample_stats.h"
#include "bench_window.h"
#include "shell/link_window_bridge.h"
#include "unit_side.h"

using namespace corvane;
using namespace corvane::bench;
using unitsim::MenuStreamBuilder;
using Bytes = std::vector<std::uint8_t>;

namespace {

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "ui_bench: %s\n", what.c_str());
    std::exit(1);
}

// Turns the event loop for the given time.
void runEvents(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

template <typename Predicate>
bool runEventsUntil(Predicate done, int milliseconds) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > milliseconds) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

void row(const char* what, const Samples& s) {
    std::printf("| %s | %.2f ms | %.2f ms |\n", what, s.median() / 1000, s.p99() / 1000);
}

// ---- in this process ----------------------------------------------------------------------

// 199 entries, the most the view holds besides its root: 19 groups of 9 leaves and a twentieth
// group with the 8 leaves left. Every group is opened, so every button is placed and painted.
void fillMenuView(CMenuWnd& pane) {
    int left = 199;
    for (int g = 0; left > 0; ++g) {
        const int group = pane.insertBranch("Group " + std::to_string(g + 1), 0);
        --left;
        for (int i = 0; i < (g < 19 ? 9 : left) && left > 0; ++i, --left)
            pane.insertLeaf("Function " + std::to_string(g + 1) + "." + std::to_string(i + 1), 100 + g * 16 + i, group,
                            157, 32, 32);
        pane.view().toggle(group);
    }
}

Samples menuViewBuild(int runs) {
    Samples s;
    QImage picture(300, 1000, QImage::Format_ARGB32_Premultiplied);
    for (int r = 0; r < runs; ++r) {
        QWidget parent;
        parent.resize(300, 1000);
        CMenuWnd pane(&parent);
        pane.setGeometry(0, 0, 300, 1000);
        parent.show();
        QCoreApplication::processEvents();
        const auto t0 = Clock::now();
        fillMenuView(pane);
        pane.render(&picture);
        s.add(microsecondsBetween(t0, Clock::now()));
        if (pane.view().entryCount() != 200) fail("the menu view did not take 199 entries");
    }
    return s;
}

// A page of 200 controls of every kind that a page can hold, plus an empty page to switch to.
MenuStreamBuilder bigPageMenu(std::uint16_t bigPage, std::uint16_t emptyPage) {
    MenuStreamBuilder m;
    m.item("Everything", bigPage, 1).item("Nothing", emptyPage, 2);
    m.page(bigPage, 0);
    const char kinds[] = {'b', 't', 'e', 'c', 's', 'p', 'l', 'x'};
    for (int i = 0; i < 200; ++i) {
        const char type = kinds[i % 8];
        const auto col = static_cast<std::uint8_t>(1 + (i % 5) * 40), line = static_cast<std::uint8_t>(1 + (i / 5) * 6);
        std::string text = type == 'c'   ? "Choice|one|two|three"
                           : type == 's' ? "Caption|value"
                                         : "Control " + std::to_string(i);
        unitsim::ControlElement c{
            static_cast<std::uint8_t>(i + 1),    type, col,          line, static_cast<std::uint8_t>(col + 38),
            static_cast<std::uint8_t>(line + 5), text, std::nullopt, 0};
        if (type == 'b') c.code = 0x020100u + static_cast<std::uint32_t>(i % 200 + 1);
        m.control(c);
    }
    m.page(emptyPage, 0);
    return m;
}

struct WindowUnderTest {
    QTemporaryDir dir;
    UnitSide unit;  // stays silent: the window's link blocks in its read
    std::unique_ptr<BenchWindow> window;

    WindowUnderTest() {
        if (!dir.isValid() || !unit.ok()) fail("no temporary folder or pseudo-terminal");
        window = openBenchWindow(dir, unit.path(), 1920, 1080);
        if (!window->link().isOpen()) fail("the window's link did not open " + unit.path());
        QCoreApplication::processEvents();
    }
};

Samples pageOpen(WindowUnderTest& w, int runs) {
    constexpr std::uint16_t kBig = 0x0101, kEmpty = 0x0102;
    const MenuStreamBuilder menu = bigPageMenu(kBig, kEmpty);
    if (!menu.problems().empty()) fail("menu: " + menu.problems().front());
    {
        auto records = w.window->link().lockRecords();
        MenuRecord& record = w.window->link().menuRecord();
        record.append(menu.bytes().data(), menu.bytes().size());
        record.parse();
        if (record.pageCount() != 2) fail("the page menu did not parse");
    }
    w.window->pageChoices().buildOutline();
    Samples s;
    QImage picture(w.window->clientWindow().size(), QImage::Format_ARGB32_Premultiplied);
    for (int r = 0; r < runs; ++r) {
        w.window->pageChoices().selectPage(kEmpty);
        QCoreApplication::processEvents();
        const auto t0 = Clock::now();
        w.window->pageChoices().selectPage(kBig);
        w.window->clientWindow().render(&picture);
        s.add(microsecondsBetween(t0, Clock::now()));
    }
    return s;
}

Samples mainWindowPaint(WindowUnderTest& w, int runs) {
    if (w.window->size() != QSize(1920, 1080)) fail("the main window is not 1920 x 1080");
    QImage picture(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    Samples s;
    for (int r = 0; r < runs; ++r) {
        const auto t0 = Clock::now();
        w.window->render(&picture);
        s.add(microsecondsBetween(t0, Clock::now()));
    }
    return s;
}

// The hand-over of a sent notification ('E', 'R', 'Y', ...) as the receive worker sees it: from
// giving the message to the bridge until the user-interface thread, waiting in its event loop,
// has handled it and the worker runs again.
Samples sentHandOver(int runs) {
    LinkWindowBridge bridge([](const LinkNotification&) {});  // takes the notification, does nothing
    QEventLoop loop;
    Samples s;
    std::thread worker([&] {
        for (int i = 0; i < runs; ++i) {
            auto reply = std::make_shared<SentMessageReply>();
            const auto t0 = Clock::now();
            bridge.sendNotification(LinkTransferIn{}, reply);
            if (!reply->wait()) fail("a sent notification was not handled");
            s.add(microsecondsBetween(t0, Clock::now()));
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    return s;
}

int inProcess() {
    std::printf("Machine: %s; Qt platform %s\n\n", machineDescription().c_str(),
                QGuiApplication::platformName().toUtf8().constData());
    std::printf("| figure | median | 99th percentile |\n|---|---|---|\n");
    row("menu view built for 199 entries, every group open, and painted", menuViewBuild(40));
    WindowUnderTest w;
    row("page of 200 controls opened on the form and painted", pageOpen(w, 40));
    row("main window painted at 1920 x 1080 (menu and the 200-control page shown)", mainWindowPaint(w, 60));
    const Samples handOver = sentHandOver(20000);
    std::printf(
        "| sent notification handed to the window's event loop and handled (worker to worker) | %.1f µs | %.1f µs |\n",
        handOver.median(), handOver.p99());
    return 0;
}

// ---- the real program ---------------------------------------------------------------------

// CPU seconds of a process, summed over its threads from the scheduler's own accounting.
double processRunSeconds(qint64 pid) {
    double total = 0;
    QDir tasks(QString("/proc/%1/task").arg(pid));
    for (const QString& t : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        std::ifstream task(tasks.filePath(t + "/schedstat").toStdString());
        double run = 0;
        task >> run;
        total += run;
    }
    return total * 1e-9;
}

double cpuPercentOver(qint64 pid, int milliseconds) {
    const double c0 = processRunSeconds(pid);
    QElapsedTimer t;
    t.start();
    runEvents(milliseconds);
    return 100.0 * (processRunSeconds(pid) - c0) / (static_cast<double>(t.nsecsElapsed()) * 1e-9);
}

// A small square of the screen where the maximised window's title band will be drawn.
QImage titleBandPatch() {
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, 200, 4, 8, 8)
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

struct RunningProgram {
    QTemporaryDir dir;
    QProcess process;
    double firstPaintMs = 0;

    RunningProgram(const QString& program, const std::string& port) {
        const QImage before = titleBandPatch();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", dir.path());
        env.insert("QT_QPA_PLATFORM", "xcb");
        std::ofstream(dir.filePath("corvane.cfg").toStdString(), std::ios::binary) << "COM01,0";
        process.setProcessEnvironment(env);
        process.setProgram(program);
        process.setArguments({"--port", QString::fromStdString(port)});
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer t;
        t.start();
        process.start();
        if (!process.waitForStarted(5000)) fail("cannot start " + program.toStdString());
        while (titleBandPatch() == before) {
            if (t.elapsed() > 20000) fail("the program's window was not painted within 20 s");
            if (process.state() != QProcess::Running) fail("the program ended before it painted");
        }
        firstPaintMs = static_cast<double>(t.nsecsElapsed()) * 1e-6;
    }
    ~RunningProgram() {
        process.terminate();
        if (!process.waitForFinished(5000)) process.kill();
        process.waitForFinished(2000);
    }
    qint64 pid() const { return process.processId(); }
};

// One exchange as the unit; the program runs in its own process, so this may block.
std::optional<Frame> exchange(UnitSide& unit, char letter, std::uint8_t sub, const Bytes& data = {}) {
    auto f = unit.exchange(encodeFrame(static_cast<std::uint8_t>(letter), sub, data));
    if (!f) fail(std::string("the program did not answer '") + letter + "'");
    return f;
}

// The status reply carries the page's code once the program has opened the page (and is busy).
void expectPageCode(UnitSide& unit, std::uint16_t pageId) {
    const auto a = exchange(unit, 'S', 1);
    const std::uint32_t code = unitsim::demo::pageCode(pageId);
    if (a->letter != 'A' || a->data.size() < 3 || a->data[0] != (code >> 16) || a->data[1] != ((code >> 8) & 0xFF) ||
        a->data[2] != (code & 0xFF))
        fail("page " + std::to_string(pageId) + " was not opened");
}

Bytes pageIdBytes(std::uint16_t id) {
    return {static_cast<std::uint8_t>(id >> 8), static_cast<std::uint8_t>(id & 0xFF)};
}

int realProgram(const QString& program) {
    std::printf("Machine: %s\n\n", machineDescription().c_str());
    std::printf("| figure | value | goal |\n|---|---|---|\n");

    Samples firstPaint;
    for (int i = 0; i < 5; ++i) {
        UnitSide silent;
        RunningProgram p(program, silent.path());
        firstPaint.add(p.firstPaintMs * 1000);
        runEvents(300);
    }
    std::printf("| start to first painted window (5 starts) | median %.0f ms, slowest %.0f ms | < 500 ms |\n",
                firstPaint.median() / 1000, firstPaint.quantile(1.0) / 1000);

    UnitSide unit;
    RunningProgram p(program, unit.path());
    // The unit attaches, sends the demo's menu, then falls silent.
    exchange(unit, 'H', 1, Bytes{128});
    exchange(unit, 'S', 1);
    const MenuStreamBuilder menu = unitsim::demo::buildDemoMenu();
    for (const Frame& f : menu.frames(200)) exchange(unit, static_cast<char>(f.letter), f.sub, f.data);
    runEvents(2000);
    std::printf("| CPU on a silent line (menu shown, 10 s) | %.3f%% of a core | < 0.5%% |\n",
                cpuPercentOver(p.pid(), 10000));

    // Every page of the menu, opened by the unit; each page code is read and acknowledged, so
    // the program leaves its busy state before the next page.
    std::vector<std::uint16_t> pages;
    {
        MenuRecord record;
        record.append(menu.bytes().data(), menu.bytes().size());
        record.parse();
        for (std::size_t i = 0; i < record.pageCount(); ++i)
            pages.push_back(static_cast<std::uint16_t>(record.page(i).pageId));
    }
    for (std::uint16_t id : pages) {
        exchange(unit, 'J', 1, pageIdBytes(id));
        runEvents(100);  // the program opens the page and hands its code over
        expectPageCode(unit, id);
        exchange(unit, 'Y', 1);
        runEvents(200);
    }
    runEvents(1000);
    std::printf("| resident memory after all %zu pages of the demo's menu were shown | %.1f MB | < 80 MB |\n",
                pages.size(), residentMegabytes(static_cast<int>(p.pid())));

    // A page whose code is handed to the unit makes the program busy; the unit never takes it.
    exchange(unit, 'J', 1, pageIdBytes(pages.front()));
    runEvents(100);
    expectPageCode(unit, pages.front());
    runEvents(1000);
    std::printf("| CPU while the busy bar runs (10 s) | %.3f%% of a core | < 2%% |\n", cpuPercentOver(p.pid(), 10000));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--program") == 0) return realProgram(QString::fromLocal8Bit(argv[2]));
    if (argc != 1) {
        std::fprintf(stderr, "Usage: ui_bench | ui_bench --program PATH-TO-CORVANE\n");
        return 2;
    }
    return inProcess();
}
