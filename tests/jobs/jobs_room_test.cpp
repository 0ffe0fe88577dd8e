// The jobs room on a main window, with the test playing the unit on a pseudo-terminal: the save
// dialogs of the unit's report and file and of the trace open in the current job's folder and
// the files saved are noted there; a folder renamed or removed outside the program is followed
// or shown as missing; the job window finds a job by its plate and lists its files; the band's
// button and line cover nothing; a report from a graph takes its span and picture.
#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <QTableWidget>

#include "jobs/customer_report_dialog.h"
#include "jobs/job_band_label.h"
#include "jobs/jobs_room.h"
#include "jobs/jobs_window.h"
#include "jobs/plain_files.h"
#include "readings/graph_window.h"
#include "live_page_fixture.h"
#include "shell/com_setting.h"

using namespace corvane;
using namespace corvane::test;
using unitsim::MenuStreamBuilder;

namespace {
constexpr std::uint16_t kPage = 0x0106;

QString qpath(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

Job vehicle(const QString& registration, const QString& customer) {
    Job job;
    job.registration = registration;
    job.customer = customer;
    return job;
}

std::vector<SavedFile> kinds(const std::vector<JobEntry>& entries) {
    std::vector<SavedFile> out;
    for (const JobEntry& e : entries) out.push_back(e.kind.value_or(SavedFile::CustomerReport));
    return out;
}
}  // namespace

class JobsRoomTest : public LivePageTest {
protected:
    void SetUp() override {
        LivePageTest::SetUp();
        room = std::make_unique<JobsRoom>(*window, nullptr, qpath(data.path() / "jobs"), qpath(data.path()));
    }
    void TearDown() override {
        room.reset();
        LivePageTest::TearDown();
    }

    void openReportPage() {
        MenuStreamBuilder m;
        m.item("Report", kPage, 1);
        m.page(kPage, 0);
        m.control(control(1, 't', 1, "Speed 812"));
        openPage(m, kPage);
    }
    // The unit asks for a report of its text control; the reply comes once the dialog is done.
    void askReport() {
        asUnit(
            [&] {
                unit.send('W', 1, Bytes{1, 254});
                return unit.reply(std::chrono::milliseconds(20000));
            },
            22000);
    }
    // The unit sends a file and asks the PC to save it.
    void sendUnitFile(const std::string& name) {
        const Bytes file(300, 0x41);
        asUnit([&] {
            unit.exchange('N', 1, unitsim::fileHeaderPayload(name, file.size()));
            for (const Frame& f : unitsim::fileDataFrames(file, 200)) unit.exchange('E', f.sub, f.data);
            return unit.exchange('B', 1, unitsim::boxPayload('s', "(*.*)|*.*|"));
        });
    }

    TempDir data;
    TempDir elsewhere;
    std::unique_ptr<JobsRoom> room;
};

TEST_F(JobsRoomTest, SavesOpenInTheCurrentJobsFolderAndAreNotedThere) {
    handshake();
    openReportPage();
    QString dialogFolder;
    FileDialogDriver driver(window->fileDialogs(), [&](QFileDialog& d) {
        dialogFolder = d.directory().absolutePath();
        return chooseFile(d, qpath(elsewhere.path() / "before.txt"));
    });
    // Without a job, saving is as before.
    askReport();
    EXPECT_EQ(dialogFolder, QDir::homePath());
    EXPECT_EQ(room->bandText(), QString());

    const std::optional<Job> job = room->createJob(vehicle(QStringLiteral("AB-123-CD"), QStringLiteral("Lee")));
    ASSERT_TRUE(job);
    EXPECT_EQ(room->bandText(), QStringLiteral("Job: AB-123-CD, Lee"));
    // The dialog opens in the job's folder though the last file went elsewhere; the user keeps
    // the name proposed.
    driver.setAction([&](QFileDialog& d) {
        dialogFolder = d.directory().absolutePath();
        return chooseFile(d, d.selectedFiles().value(0));
    });
    askReport();
    EXPECT_EQ(dialogFolder, job->folder);
    sendUnitFile("LOG0001.CSV");
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(job->folder + "/LOG0001.CSV"); }, 10000));
    EXPECT_EQ(dialogFolder, job->folder);

    // The trace's dialog is proposed the job's folder too.
    sandbox.prompts().traceFile = job->folder + QStringLiteral("/Verbose.txt");
    QTimer::singleShot(0, window.get(), [&] {
        if (CComSetting* dialog = window->comSetting()) {
            dialog->verboseAction()->trigger();
            dialog->done(IDCANCEL);
        }
    });
    window->OnCommand(IDC_MAIN_COM_SETTING);
    EXPECT_EQ(sandbox.prompts().traceFolder, job->folder);

    ASSERT_TRUE(QTest::qWaitFor([&] { return room->store().entries(*job).size() == 3; }, 5000));
    const std::vector<JobEntry> entries = room->store().entries(*job);
    EXPECT_EQ(kinds(entries), (std::vector{SavedFile::Report, SavedFile::UnitFile, SavedFile::Trace}));
    EXPECT_EQ(entries[0].file, QStringLiteral("report.txt")) << "noted relative to the job's folder";
    EXPECT_EQ(entries[1].detail, QStringLiteral("LOG0001.CSV")) << "the unit's name for it";
}

TEST_F(JobsRoomTest, AFolderRenamedOutsideIsFollowedAndOneRemovedIsNeverMadeAgain) {
    handshake();
    openReportPage();
    std::optional<Job> job = room->createJob(vehicle(QStringLiteral("XY 9"), QStringLiteral("Kim")));
    ASSERT_TRUE(job);
    const QString moved = room->store().root() + QStringLiteral("/Kim's car");
    ASSERT_TRUE(QDir().rename(job->folder, moved));
    EXPECT_EQ(window->fileDialogs().saveFolder(), moved);
    EXPECT_EQ(room->currentJob()->folder, moved);

    ASSERT_TRUE(QDir(moved).removeRecursively());
    QString dialogFolder;
    FileDialogDriver driver(window->fileDialogs(), [&](QFileDialog& d) {
        dialogFolder = d.directory().absolutePath();
        return chooseFile(d, qpath(elsewhere.path() / "report.txt"));
    });
    askReport();
    EXPECT_EQ(dialogFolder, QDir::homePath()) << "saved where the user chooses";
    EXPECT_TRUE(QFileInfo::exists(qpath(elsewhere.path() / "report.txt")));
    EXPECT_FALSE(QFileInfo::exists(moved));
    EXPECT_NE(window->statusText().find("is not there any more"), std::string::npos) << window->statusText();
    EXPECT_EQ(room->bandText(), QStringLiteral("Job: XY 9, Kim - its folder is gone"));
    room->openJobWindow();
    ASSERT_NE(room->jobWindow(), nullptr);
    EXPECT_EQ(room->jobWindow()->model().rowCount(), 0);
}

TEST_F(JobsRoomTest, TheJobWindowFindsAJobByItsPlateAndListsItsFiles) {
    for (const auto& [plate, customer] :
         {std::pair{"KL-77", "Smith"}, std::pair{"AB 123 CD", "Lee"}, std::pair{"ZZ-1", "Abbott"}}) {
        QString error;
        ASSERT_TRUE(room->store().create(vehicle(QString::fromLatin1(plate), QString::fromLatin1(customer)), error));
    }
    room->openJobWindow();
    CJobsWindow& jobs = *room->jobWindow();
    EXPECT_EQ(jobs.model().rowCount(), 3);
    QTest::keyClicks(jobs.filterEdit(), QStringLiteral("ab-123"));
    ASSERT_EQ(jobs.model().rowCount(), 1);
    QTest::keyClick(jobs.filterEdit(), Qt::Key_Return);
    ASSERT_TRUE(room->currentJob());
    EXPECT_EQ(room->currentJob()->registration, QStringLiteral("AB 123 CD"));

    // A file saved now shows in the list with its kind; another put in by hand as a file.
    const Job job = *room->currentJob();
    QFile(job.folder + QStringLiteral("/graph.png")).open(QIODevice::WriteOnly);
    QFile(job.folder + QStringLiteral("/photo.jpg")).open(QIODevice::WriteOnly);
    window->fileDialogs().noteSaved(job.folder + QStringLiteral("/graph.png"), SavedFile::Picture,
                                    QStringLiteral("Live data, 10:00 to 10:01"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return jobs.filesTable()->rowCount() == 2; }, 5000));
    QStringList shown;
    for (int r = 0; r < 2; ++r)
        shown << jobs.filesTable()->item(r, 0)->text() + ": " + jobs.filesTable()->item(r, 1)->text();
    shown.sort();
    EXPECT_EQ(shown, (QStringList{QStringLiteral("graph.png: Graph picture"), QStringLiteral("photo.jpg: Picture")}));

    // A recording opens in a graph window of its own, over the whole recording.
    QString error;
    const QString recording = job.folder + QStringLiteral("/run.csv");
    ASSERT_TRUE(writeFileAtomically(recording,
                                    "time,Battery [V]\r\n2026-12-09T10:00:00.000+01:00,12\r\n"
                                    "2026-12-09T10:00:01.000+01:00,13\r\n",
                                    error));
    window->fileDialogs().noteSaved(recording, SavedFile::Recording, QStringLiteral("Live data"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return jobs.filesTable()->rowCount() == 3; }, 5000));
    for (int r = 0; r < 3; ++r)
        if (jobs.filesTable()->item(r, 0)->text() == QStringLiteral("run.csv")) jobs.filesTable()->setCurrentCell(r, 0);
    jobs.openChosenFile();
    ASSERT_EQ(room->recordingGraphs().size(), 1u);
    CReadingsGraph& graph = *room->recordingGraphs().front();
    EXPECT_EQ(graph.windowTitle(), QStringLiteral("run.csv"));
    EXPECT_EQ(graph.span(), CReadingsGraph::SpanAll);
    graph.close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return room->recordingGraphs().empty(); }, 5000)) << "gone with its window";
}

TEST_F(JobsRoomTest, TheBandsButtonAndLineCoverNothingTheWindowPlaces) {
    room->createJob(vehicle(QStringLiteral("AB-123-CD"), QStringLiteral("A customer with a long name")));
    for (const int width : {MainFrame::kMinimumWidth, 640, 900, 1280}) {
        window->resize(width, 600);
        QCoreApplication::processEvents();
        const MainFrameLayout l = mainFrameLayout(window->width(), window->height());
        const QSize caption(MainFrame::kCaptionButtonSize, MainFrame::kCaptionButtonSize);
        // Beside what the window places: the graph button and the recording's mark.
        const std::vector<QRect> taken{l.titleImage,
                                       l.accentBar,
                                       l.comSettingButton,
                                       l.infoButton,
                                       QRect(l.closeButton, caption),
                                       QRect(l.sizeButton, caption),
                                       QRect(l.minimiseButton, caption),
                                       l.menuPane,
                                       l.clientPane,
                                       l.statusBand,
                                       l.rightMargin,
                                       QRect(505, 24, 45, 50),
                                       QRect(610, 28, width, 20)};
        const QWidget* label = window->findChild<CJobBandLabel*>();
        for (const QWidget* w : {static_cast<const QWidget*>(&room->jobButton()), label}) {
            ASSERT_NE(w, nullptr);
            if (!w->isVisible()) continue;
            EXPECT_TRUE(l.titleBand.contains(w->geometry())) << width;
            for (const QRect& r : taken)
                EXPECT_FALSE(w->geometry().intersects(r)) << width << " " << w->metaObject()->className();
        }
    }
}

TEST_F(JobsRoomTest, AReportFromAGraphTakesItsSpanAndPictureAndIsNotedInItsJob) {
    QString error;
    std::optional<Job> job = room->store().create(vehicle(QStringLiteral("KL 1"), QStringLiteral("Ng")), error);
    ASSERT_TRUE(job);
    const QString report = job->folder + QStringLiteral("/report.txt");
    ASSERT_TRUE(writeFileAtomically(report, "Battery: 12.1\r\n", error));
    ASSERT_TRUE(room->store().note(*job, {QDateTime::currentDateTime(), SavedFile::Report, report, {}}, error));
    const QString recording = job->folder + QStringLiteral("/run.csv");
    ASSERT_TRUE(writeFileAtomically(recording,
                                    "time,Battery [V]\r\n2026-12-09T10:00:00.000+01:00,12\r\n"
                                    "2026-12-09T10:00:01.000+01:00,13\r\n2026-12-09T10:00:02.000+01:00,11\r\n",
                                    error));
    ASSERT_TRUE(room->store().note(*job, {QDateTime::currentDateTime(), SavedFile::Recording, recording, {}}, error));

    ReadingsHistory live;
    live.reset({{QStringLiteral("Battery"), QStringLiteral("V")}});
    for (int i = 0; i < 10; ++i) live.append(1000.0 * i, {10.0 + i});
    GraphForReport offer{&live,
                         2000,
                         4000,
                         QStringLiteral("Live data"),
                         QImage(40, 30, QImage::Format_RGB32),
                         QStringLiteral("Live data, 10:00 to 10:01")};
    // Not the current job: the report still goes to and is noted in its own job.
    CustomerReportDialog dialog(*room, *job, offer);
    std::optional<CustomerReport> composed = dialog.compose();
    ASSERT_TRUE(composed);
    ASSERT_EQ(composed->reports.size(), 1u);
    EXPECT_EQ(composed->reports[0].text, QStringLiteral("Battery: 12.1\n"));
    ASSERT_EQ(composed->pictures.size(), 1u);
    EXPECT_EQ(composed->pictures[0].caption, QStringLiteral("Live data, 10:00 to 10:01"));
    ASSERT_TRUE(composed->readings);
    EXPECT_EQ(composed->readings->rows[0].least, 12) << "the graph's span, 2 s to 4 s";
    EXPECT_EQ(composed->readings->rows[0].greatest, 14);

    dialog.readingsBox()->setCurrentIndex(2);  // the recording, whole
    composed = dialog.compose();
    ASSERT_TRUE(composed && composed->readings);
    EXPECT_EQ(composed->readings->rows[0].count, 3u);
    EXPECT_EQ(composed->readings->rows[0].least, 11);

    ASSERT_TRUE(dialog.writePdf(job->folder + QStringLiteral("/customer.pdf"), error)) << error.toStdString();
    EXPECT_FALSE(room->currentJob());
    const std::vector<JobEntry> entries = room->store().entries(*job);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[2].kind, SavedFile::CustomerReport);
    EXPECT_EQ(entries[2].file, QStringLiteral("customer.pdf"));
}
