// The jobs on disk: names made safe, plain files that survive being edited, renamed and written by
// two programs at once, and a metadata file that is replaced whole or not at all.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include <set>

#include "jobs/job_store.h"
#include "jobs/plain_files.h"
#include "temp_dir.h"

using namespace corvane;
using namespace corvane::test;

namespace {
QString qpath(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

Job fields(const QString& registration, const QString& customer, const QString& note = {}) {
    Job job;
    job.registration = registration;
    job.customer = customer;
    job.note = note;
    return job;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

TEST(JobStore, NamesAreMadeSafeAndJobsAreFoundByWhatTheUserRemembers) {
    TempDir dir;
    JobStore store(qpath(dir.path() / "jobs"));
    QString error;
    Job older = fields(QStringLiteral("../../etc"), QStringLiteral("a/b\x01 c"), QStringLiteral("line 1\nline\t2 \\n"));
    older.created = QDateTime(QDate(2026, 3, 1), QTime(9, 0));
    const std::optional<Job> first = store.create(older, error);
    ASSERT_TRUE(first) << error.toStdString();
    // Path characters and controls are taken out: the folder lies inside the jobs folder.
    EXPECT_EQ(QFileInfo(first->folder).absolutePath(), QDir(store.root()).absolutePath());
    EXPECT_EQ(QFileInfo(first->folder).fileName(), QStringLiteral("2026-03-01 ....etc ab c"));

    Job same = fields(QStringLiteral("AB-123 CD"), QStringLiteral("J\u00f6rg M\u00fcller"));
    same.created = QDateTime(QDate(2026, 3, 2), QTime(9, 0));
    const std::optional<Job> second = store.create(same, error);
    const std::optional<Job> third = store.create(same, error);
    ASSERT_TRUE(second && third);
    EXPECT_NE(second->folder, third->folder) << "the same vehicle on the same day gets a folder of its own";
    EXPECT_TRUE(third->folder.endsWith(QStringLiteral(" (2)")));
    ASSERT_TRUE(QDir().mkpath(store.root() + QStringLiteral("/not a job")));  // no job.txt: not listed

    // Plain, readable text; what a value holds stays on its line and comes back unchanged.
    const QString text = QString::fromUtf8(fileBytes(first->folder + QStringLiteral("/job.txt")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nregistration=../../etc\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\nnote=line 1\\nline\\t2 \\\\n\n"))) << text.toStdString();

    const std::vector<Job> jobs = store.list();
    ASSERT_EQ(jobs.size(), 3u);
    EXPECT_EQ(jobs[2].id, first->id) << "newest first";
    EXPECT_EQ(jobs[2].note, older.note);
    EXPECT_EQ(jobs[2].customer, QStringLiteral("a/b\x01 c"));
    // A plate as it is remembered: any case, blanks and dashes; the customer by part of the name.
    for (const QString& typed : {QStringLiteral("ab123cd"), QStringLiteral("b-12"), QStringLiteral("m\u00dcll")})
        EXPECT_TRUE(jobs[0].matches(typed)) << typed.toStdString();
    EXPECT_FALSE(jobs[0].matches(QStringLiteral("etc")));
    EXPECT_TRUE(jobs[0].matches(QString()));
}

TEST(JobStore, FilesKeepTheirNotesWhenTheFolderIsRenamedOutside) {
    TempDir dir;
    JobStore store(qpath(dir.path() / "jobs"));
    QString error;
    std::optional<Job> job = store.create(fields(QStringLiteral("XY 1"), QStringLiteral("Smith")), error);
    ASSERT_TRUE(job);
    const QString report = job->folder + QStringLiteral("/report.txt");
    ASSERT_TRUE(writeFileAtomically(report, "A: B\r\n", error));
    ASSERT_TRUE(store.note(*job, {QDateTime::currentDateTime(), SavedFile::Report, report, {}}, error));
    ASSERT_TRUE(store.note(*job,
                           {QDateTime::currentDateTime(), SavedFile::UnitFile, QStringLiteral("/elsewhere/LOG.CSV"),
                            QStringLiteral("tab\there")},
                           error));
    ASSERT_TRUE(writeFileAtomically(job->folder + QStringLiteral("/photo.jpg"), "jpeg", error));
    // A note of this program's later version, and a line cut short by a crash: both passed over,
    // and the next note is not swallowed by the cut line.
    ASSERT_TRUE(
        appendLine(job->folder + QStringLiteral("/saved-files.txt"), "2026-01-01T00:00:00Z\tnew-kind\tx", error));
    {
        QFile journal(job->folder + QStringLiteral("/saved-files.txt"));
        ASSERT_TRUE(journal.open(QIODevice::Append));
        journal.write("2026-01-01T00:00:");
    }
    const QString picture = job->folder + QStringLiteral("/graph.png");
    ASSERT_TRUE(writeFileAtomically(picture, "png", error));
    ASSERT_TRUE(store.note(
        *job, {QDateTime::currentDateTime(), SavedFile::Picture, picture, QStringLiteral("Live data")}, error));

    const QString moved = store.root() + QStringLiteral("/renamed by hand");
    ASSERT_TRUE(QDir().rename(job->folder, moved));
    EXPECT_FALSE(store.read(job->folder));
    const std::optional<Job> found = store.locate(job->id);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->folder, moved);

    std::vector<JobFile> files = store.files(*found);
    std::map<QString, JobFile> byName;
    for (const JobFile& f : files) byName[f.name] = f;
    ASSERT_EQ(byName.size(), 4u) << "report, picture, the unit's file elsewhere and the photo put in by hand";
    EXPECT_EQ(byName[QStringLiteral("report.txt")].kind, SavedFile::Report);
    EXPECT_EQ(byName[QStringLiteral("report.txt")].size, 6) << "found in the folder's new place";
    EXPECT_EQ(byName[QStringLiteral("graph.png")].detail, QStringLiteral("Live data"))
        << fileBytes(moved + QStringLiteral("/saved-files.txt")).toStdString();
    EXPECT_EQ(byName[QStringLiteral("/elsewhere/LOG.CSV")].size, -1) << "shown as missing";
    EXPECT_EQ(byName[QStringLiteral("/elsewhere/LOG.CSV")].detail, QStringLiteral("tab\there"));
    EXPECT_FALSE(byName[QStringLiteral("photo.jpg")].kind);

    // The folder removed: nothing is noted (and nothing made again), the reason is given.
    ASSERT_TRUE(QDir(moved).removeRecursively());
    EXPECT_FALSE(store.locate(job->id));
    EXPECT_FALSE(
        store.note(*found, {QDateTime::currentDateTime(), SavedFile::Trace, moved + QStringLiteral("/t"), {}}, error));
    EXPECT_TRUE(error.contains(QStringLiteral("is not there any more")));
    EXPECT_FALSE(QFileInfo::exists(moved));
    Job gone = *found;
    EXPECT_FALSE(store.update(
        gone, [](Job& j) { j.note = QStringLiteral("x"); }, error));
    EXPECT_TRUE(store.files(gone).empty());
}

TEST(JobStore, MetadataIsReplacedWholeOrNotAtAll) {
    TempDir dir;
    JobStore store(qpath(dir.path() / "jobs"));
    QString error;
    std::optional<Job> job =
        store.create(fields(QStringLiteral("KL 7"), QStringLiteral("Lee"), QStringLiteral("old")), error);
    ASSERT_TRUE(job);
    // Lines another version wrote are kept through a change.
    {
        QFile f(job->folder + QStringLiteral("/job.txt"));
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write("mileage=123456\n");
    }
    ASSERT_TRUE(store.update(
        *job, [](Job& j) { j.note = QStringLiteral("new"); }, error))
        << error.toStdString();
    const QByteArray before = fileBytes(job->folder + QStringLiteral("/job.txt"));
    EXPECT_TRUE(before.contains("\nmileage=123456\n"));

    // A disk that takes no more (here: a file size limit) in the middle of the write.
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previous = ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = static_cast<rlim_t>(before.size() + 100);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = store.update(
        *job, [](Job& j) { j.note = QString(5000, QLatin1Char('n')); }, error);
    ::setrlimit(RLIMIT_FSIZE, &old);
    ::signal(SIGXFSZ, previous);

    EXPECT_FALSE(written);
    EXPECT_TRUE(error.contains(QStringLiteral("job.txt"))) << error.toStdString();
    EXPECT_EQ(fileBytes(job->folder + QStringLiteral("/job.txt")), before) << "the old file, whole";
    EXPECT_EQ(QDir(job->folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("job.txt")})
        << "no temporary file or lock left behind";
    EXPECT_EQ(store.read(job->folder)->note, QStringLiteral("new"));
}

TEST(JobStore, TwoProgramsWritingTheSameJobKeepEachOthersWork) {
    TempDir dir;
    const QString root = qpath(dir.path() / "jobs");
    QString error;
    const std::optional<Job> job = JobStore(root).create(fields(QStringLiteral("MN 42"), QStringLiteral("Kim")), error);
    ASSERT_TRUE(job);
    constexpr int kEntries = 300, kChanges = 25;
    // Two processes, as two programs on two ports: each notes its files and changes its own field.
    std::vector<pid_t> children;
    for (const char who : {'A', 'B'}) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            JobStore store(root);
            Job mine = *job;
            QString e;
            bool ok = true;
            for (int i = 0; i < kEntries; ++i) {
                const QString name = QStringLiteral("%1-%2.csv").arg(who).arg(i);
                ok = ok && store.note(mine,
                                      {QDateTime::currentDateTime(), SavedFile::Recording,
                                       mine.folder + QLatin1Char('/') + name, QString(200, QLatin1Char(who))},
                                      e);
                if (i % (kEntries / kChanges) == 0)
                    ok = ok && store.update(
                                   mine,
                                   [who, i](Job& j) {
                                       (who == 'A' ? j.customer : j.note) = QStringLiteral("%1 %2").arg(who).arg(i);
                                   },
                                   e);
            }
            ::_exit(ok ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    JobStore store(root);
    std::set<QString> names;
    for (const JobEntry& e : store.entries(*job)) {
        names.insert(e.file);
        EXPECT_EQ(e.detail, QString(200, e.file[0])) << "a line mixed with another";
    }
    EXPECT_EQ(names.size(), 2u * kEntries);
    const std::optional<Job> now = store.read(job->folder);
    ASSERT_TRUE(now);
    EXPECT_EQ(now->customer, QStringLiteral("A %1").arg(kEntries - kEntries / kChanges));
    EXPECT_EQ(now->note, QStringLiteral("B %1").arg(kEntries - kEntries / kChanges));
}
