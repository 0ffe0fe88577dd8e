// The workshop's jobs as they pile up over the years: thousands of job folders, each with its
// job.txt and a few files noted, and one job with a thousand files.
//
//   jobs_bench [--jobs N]      (default 5000; best on the offscreen platform)
//
// 1. Reading the jobs folder (every job.txt), as the job window does when it opens.
// 2. The job window opened on a main window: made, filled and painted; opened again (read anew).
// 3. A key typed in its find field: the list narrowed and painted.
// 4. The files of a job with 1000 files noted.
// The folder is written once and read warm (the page cache holds it, as after the first opening).
// Prints Markdown table rows.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "jobs/jobs_room.h"
#include "jobs/jobs_window.h"
#include "sample_stats.h"
#include "screens/corvane_new_dlg.h"
#include "unit_side.h"

using namespace corvane;
using namespace corvane::bench;

namespace {
constexpr int kRuns = 7;
constexpr int kFilesOfOneJob = 1000;

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "jobs_bench: %s\n", what.c_str());
    std::exit(1);
}

// N jobs as the program writes them: job.txt and saved-files.txt with five notes each.
void writeJobs(const QString& root, int count) {
    QDir().mkpath(root);
    for (int i = 0; i < count; ++i) {
        const std::string folder = QStringLiteral("%1/2026-%2-%3 HB-%4 Customer %5")
                                       .arg(root)
                                       .arg(i % 12 + 1, 2, 10, QLatin1Char('0'))
                                       .arg(i % 28 + 1, 2, 10, QLatin1Char('0'))
                                       .arg(i, 5, 10, QLatin1Char('0'))
                                       .arg(i)
                                       .toStdString();
        QDir().mkpath(QString::fromStdString(folder));
        std::ofstream(folder + "/job.txt") << "# Corvane workshop job.\nid=job-" << i << "\ncreated=2026-"
                                           << (i % 12 + 1 < 10 ? "0" : "") << i % 12 + 1 << "-15T10:00:00Z\n"
                                           << "registration=HB-" << i << "\nvin=WVWZZZ1JZXW" << 100000 + i
                                           << "\ncustomer=Customer " << i << "\nnote=Brakes, oil service\n";
        std::ofstream notes(folder + "/saved-files.txt");
        for (int f = 0; f < 5; ++f) notes << "2026-01-15T10:0" << f << ":00.000Z\treport\treport-" << f << ".txt\t\n";
    }
}

// Wall clock and CPU time of the user-interface thread, which is what keeps the window from
// answering; on a loaded machine the wall clock includes the time other processes took.
struct Timed {
    Samples wall, cpu;
    template <typename F>
    void measure(F f) {
        const double cpu0 = threadCpuSeconds();
        const auto t0 = Clock::now();
        f();
        wall.add(microsecondsBetween(t0, Clock::now()));
        cpu.add((threadCpuSeconds() - cpu0) * 1e6);
    }
};

void row(const char* what, const Timed& t, const char* note = "") {
    std::printf("| %s | %.1f ms | %.1f ms | %.1f ms | %s |\n", what, t.wall.median() / 1000,
                t.wall.quantile(1.0) / 1000, t.cpu.median() / 1000, note);
}
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int jobs = 5000;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--jobs") == 0) jobs = std::atoi(argv[i + 1]);
    QTemporaryDir dir;
    UnitSide unit;  // silent: the main window's link waits in its read
    if (!dir.isValid() || !unit.ok()) fail("no temporary folder or pseudo-terminal");
    const QString root = dir.filePath(QStringLiteral("jobs"));
    writeJobs(root, jobs);

    JobStore store(root);
    Timed list;
    std::size_t listed = 0;
    for (int r = 0; r < kRuns; ++r) list.measure([&] { listed = store.list().size(); });
    if (listed != static_cast<std::size_t>(jobs)) fail("not every job was read");

    const std::string config = dir.filePath(QStringLiteral("corvane.cfg")).toStdString();
    std::ofstream(config, std::ios::binary) << "COM01,2";
    MainWindowOptions o;
    o.portPath = unit.path();
    o.configPath = config;
    CCorvaneNewDlg window(std::move(o));
    window.OnInitDialog();
    window.show();
    JobsRoom room(window, nullptr, root, dir.path());

    Timed first, again, key;
    QImage picture(960, 600, QImage::Format_ARGB32_Premultiplied);
    const auto openAndPaint = [&] {
        room.openJobWindow();
        room.jobWindow()->render(&picture);
    };
    for (int r = 0; r < kRuns; ++r) {
        delete room.jobWindow();
        QCoreApplication::processEvents();
        first.measure(openAndPaint);
        again.measure(openAndPaint);
        // A plate typed key by key, then taken back.
        QLineEdit* find = room.jobWindow()->filterEdit();
        for (const char* typed : {"h", "hb", "hb-", "hb-4", "hb-42", ""})
            key.measure([&] {
                find->setText(QString::fromLatin1(typed));
                room.jobWindow()->render(&picture);
            });
    }

    const std::optional<Job> big = store.read(store.list().front().folder);
    QString error;
    for (int f = 0; f < kFilesOfOneJob; ++f)
        if (!store.note(*big,
                        {QDateTime::currentDateTime(), SavedFile::Recording,
                         big->folder + QStringLiteral("/rec-%1.csv").arg(f), QStringLiteral("Live data")},
                        error))
            fail(error.toStdString());
    Timed files;
    for (int r = 0; r < kRuns; ++r)
        files.measure([&] {
            if (store.files(*big).size() < static_cast<std::size_t>(kFilesOfOneJob)) fail("files missing");
        });

    std::printf("| figure (%d jobs) | median | slowest of %d | CPU, median | note |\n|---|---|---|---|---|\n", jobs,
                kRuns);
    row("reading the jobs folder (every job.txt)", list);
    row("job window opened: made, filled, painted", first, "includes reading the folder");
    row("job window opened again", again, "the folder read anew");
    row("a key typed in the find field: list narrowed and painted", key);
    row("the files of a job with 1000 files noted", files);
    return 0;
}
