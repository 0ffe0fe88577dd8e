// The jobs room on a main window, with the test playing the unit on a pseudo-terminal: the save
// dialogs of the unit's report and file and of the trace open in the current job's folder and
// the files saved are noted there; a folder renamed or removed outside the program is followed
// or shown as missing; the job window finds a job by its plate and lists its files.
#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <QTableWidget>

#include "jobs/jobs_room.h"
#include "jobs/jobs_window.h"
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
    EXPECT_EQ(room->jobButton().caption(), "no job");

    const std::optional<Job> job = room->createJob(vehicle(QStringLiteral("AB-123-CD"), QStringLiteral("Lee")));
    ASSERT_TRUE(job);
    EXPECT_EQ(room->jobButton().caption(), "AB-123-CD");
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
    EXPECT_EQ(room->jobButton().caption(), "gone: XY 9");
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
}
