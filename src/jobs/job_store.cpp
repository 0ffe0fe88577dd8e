#include "jobs/job_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QUuid>

#include <algorithm>
#include <map>

#include "jobs/plain_files.h"
#include "screens/transfer_files.h"

namespace corvane {

namespace {
constexpr const char* kHeading =
    "# Corvane workshop job. One \"key=value\" a line, UTF-8; \\\\ \\n \\r \\t stand for a backslash, "
    "line ends and a tab.";
constexpr const char* kLockFile = ".lock";
constexpr int kLockWaitMs = 5000;
constexpr int kStaleLockMs = 30000;
constexpr qsizetype kNameCharacters = 100;
constexpr qsizetype kDetailCharacters = 1000;
constexpr int kMostSameNames = 1000;

// The word is the file format of saved-files.txt and never translated; the title is what the
// job window shows.
struct KindWord {
    SavedFile kind;
    const char* word;
    const char* title;
};
constexpr KindWord kKinds[] = {
    {SavedFile::Report, "report", QT_TRANSLATE_NOOP("corvane::JobStore", "Page report")},
    {SavedFile::Recording, "recording", QT_TRANSLATE_NOOP("corvane::JobStore", "Recording")},
    {SavedFile::Picture, "picture", QT_TRANSLATE_NOOP("corvane::JobStore", "Graph picture")},
    {SavedFile::HeldReadings, "held-readings", QT_TRANSLATE_NOOP("corvane::JobStore", "Held readings")},
    {SavedFile::Trace, "trace", QT_TRANSLATE_NOOP("corvane::JobStore", "Link trace")},
    {SavedFile::UnitFile, "unit-file", QT_TRANSLATE_NOOP("corvane::JobStore", "File from the unit")},
    {SavedFile::CustomerReport, "customer-report", QT_TRANSLATE_NOOP("corvane::JobStore", "Customer report")},
};

// Letters and digits only, case folded: "AB-123 cd" and "ab123CD" are the same plate.
QString folded(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text)
        if (c.isLetterOrNumber()) out += c.toCaseFolded();
    return out;
}

QString isoTime(const QDateTime& time) {
    return time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

QByteArray metadataText(const Job& job) {
    QString text = QString::fromLatin1(kHeading) + QLatin1Char('\n');
    const auto line = [&text](const char* key, const QString& value) {
        text += QLatin1String(key) + QLatin1Char('=') + escapeField(value) + QLatin1Char('\n');
    };
    line("id", job.id);
    line("created", job.created.isValid() ? isoTime(job.created) : QString());
    line("registration", job.registration);
    line("vin", job.vin);
    line("customer", job.customer);
    line("note", job.note);
    for (const QString& other : job.otherLines) text += other + QLatin1Char('\n');
    return text.toUtf8();
}

std::optional<Job> parseMetadata(const QByteArray& bytes, const QString& folder) {
    if (bytes.isEmpty()) return std::nullopt;
    Job job;
    job.folder = folder;
    bool any = false;
    for (QString line : QString::fromUtf8(bytes).split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        const QString key = eq < 0 ? QString() : line.left(eq).trimmed();
        const QString value = eq < 0 ? QString() : unescapeField(line.mid(eq + 1));
        any = true;
        if (key == QLatin1String("id"))
            job.id = value;
        else if (key == QLatin1String("created"))
            job.created = QDateTime::fromString(value, Qt::ISODateWithMs);
        else if (key == QLatin1String("registration"))
            job.registration = value;
        else if (key == QLatin1String("vin"))
            job.vin = value;
        else if (key == QLatin1String("customer"))
            job.customer = value;
        else if (key == QLatin1String("note"))
            job.note = value;
        else
            job.otherLines << line;
    }
    if (!any) return std::nullopt;
    // A job written by hand may leave these out.
    if (job.id.isEmpty()) job.id = QFileInfo(folder).fileName();
    if (!job.created.isValid()) job.created = QFileInfo(folder).lastModified();
    return job;
}

QString metadataPath(const QString& folder) { return folder + QLatin1Char('/') + QLatin1String(JobStore::kJobFile); }
QString journalPath(const QString& folder) { return folder + QLatin1Char('/') + QLatin1String(JobStore::kSavedFiles); }

bool newestFirst(const Job& a, const Job& b) {
    if (a.created != b.created) return a.created > b.created;
    return a.folder > b.folder;
}
}  // namespace

QString Job::label() const {
    for (const QString* text : {&registration, &vin, &customer})
        if (!text->trimmed().isEmpty()) return text->trimmed();
    return QCoreApplication::translate("corvane::JobStore", "Job of %1")
        .arg(created.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
}

bool Job::matches(const QString& text) const {
    const QString wanted = folded(text);
    if (wanted.isEmpty()) return true;
    return folded(registration).contains(wanted) || folded(vin).contains(wanted) || folded(customer).contains(wanted);
}

QString savedFileWord(SavedFile kind) {
    for (const KindWord& k : kKinds)
        if (k.kind == kind) return QString::fromLatin1(k.word);
    return QStringLiteral("file");
}

std::optional<SavedFile> savedFileFromWord(const QString& word) {
    for (const KindWord& k : kKinds)
        if (word == QLatin1String(k.word)) return k.kind;
    return std::nullopt;
}

QString savedFileTitle(std::optional<SavedFile> kind, const QString& path) {
    if (kind)
        for (const KindWord& k : kKinds)
            if (k.kind == *kind) return QCoreApplication::translate("corvane::JobStore", k.title);
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf")) return QCoreApplication::translate("corvane::JobStore", "PDF document");
    if (suffix == QLatin1String("png") || suffix == QLatin1String("jpg"))
        return QCoreApplication::translate("corvane::JobStore", "Picture");
    if (suffix == QLatin1String("csv")) return QCoreApplication::translate("corvane::JobStore", "CSV file");
    if (suffix == QLatin1String("txt")) return QCoreApplication::translate("corvane::JobStore", "Text");
    return QCoreApplication::translate("corvane::JobStore", "File");
}

JobStore::JobStore(QString root) : root_(std::move(root)) {}

QString JobStore::defaultRoot() {
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    // XDG_DATA_HOME counts only as an absolute path; a relative one is passed over, as other programs do.
    if (data.isEmpty() || QDir::isRelativePath(data)) data = QDir::homePath() + QStringLiteral("/.local/share");
    return data + QStringLiteral("/corvane/jobs");
}

std::vector<Job> JobStore::list() const {
    std::vector<Job> jobs;
    const QDir root(root_);
    // Unsorted: the jobs are sorted by date below, and sorting thousands of names by the locale
    // would take longer than reading them.
    const QStringList folders = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
    jobs.reserve(static_cast<std::size_t>(folders.size()));
    for (const QString& name : folders)
        if (std::optional<Job> job = read(root_ + QLatin1Char('/') + name)) jobs.push_back(std::move(*job));
    std::sort(jobs.begin(), jobs.end(), newestFirst);
    return jobs;
}

std::optional<Job> JobStore::read(const QString& folder) const {
    return parseMetadata(readSmallFile(metadataPath(folder)), folder);
}

std::optional<Job> JobStore::locate(const QString& id) const {
    for (Job& job : list())
        if (job.id == id) return std::move(job);
    return std::nullopt;
}

QString JobStore::folderName(const Job& job) {
    QStringList parts{job.created.date().toString(QStringLiteral("yyyy-MM-dd"))};
    const QString vehicle = job.registration.trimmed().isEmpty() ? job.vin.trimmed() : job.registration.trimmed();
    for (const QString& part : {vehicle, job.customer.trimmed()})
        if (!part.isEmpty()) parts << part.left(kNameCharacters).simplified();
    return safePlainName(parts.join(QLatin1Char(' ')), QStringLiteral("job"));
}

std::optional<Job> JobStore::create(const Job& wanted, QString& error) {
    Job job = wanted;
    if (!job.created.isValid()) job.created = QDateTime::currentDateTime();
    job.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    if (!QDir().mkpath(root_)) {
        error = QCoreApplication::translate("corvane::JobStore", "Cannot make the jobs folder %1.").arg(root_);
        return std::nullopt;
    }
    const QString base = folderName(job);
    QDir root(root_);
    // mkdir fails on a name that is taken, so two programs making the same job at once get a
    // folder each.
    for (int n = 1; n <= kMostSameNames && job.folder.isEmpty(); ++n) {
        const QString name = n == 1 ? base : QStringLiteral("%1 (%2)").arg(base).arg(n);
        if (root.mkdir(name))
            job.folder = root.absoluteFilePath(name);
        else if (!root.exists(name))
            break;
    }
    if (job.folder.isEmpty()) {
        error = QCoreApplication::translate("corvane::JobStore", "Cannot make a folder for the job in %1.").arg(root_);
        return std::nullopt;
    }
    if (!writeFileAtomically(metadataPath(job.folder), metadataText(job), error)) {
        root.rmdir(job.folder);
        error = QCoreApplication::translate("corvane::JobStore", "Cannot write %1: %2")
                    .arg(metadataPath(job.folder), error);
        return std::nullopt;
    }
    return job;
}

bool JobStore::update(Job& job, const std::function<void(Job&)>& change, QString& error) {
    if (!QFileInfo(job.folder).isDir()) {
        error = QCoreApplication::translate("corvane::JobStore", "The job's folder %1 is not there any more.")
                    .arg(job.folder);
        return false;
    }
    QLockFile lock(job.folder + QLatin1Char('/') + QLatin1String(kLockFile));
    lock.setStaleLockTime(kStaleLockMs);
    if (!lock.tryLock(kLockWaitMs)) {
        error = QCoreApplication::translate("corvane::JobStore",
                                            "The job %1 is being changed by another program; try again.")
                    .arg(job.label());
        return false;
    }
    Job now = read(job.folder).value_or(job);
    now.id = job.id;
    change(now);
    if (!writeFileAtomically(metadataPath(job.folder), metadataText(now), error)) {
        error = QCoreApplication::translate("corvane::JobStore", "Cannot write %1: %2")
                    .arg(metadataPath(job.folder), error);
        return false;
    }
    job = std::move(now);
    return true;
}

bool JobStore::note(const Job& job, const JobEntry& entry, QString& error) const {
    if (!QFileInfo(job.folder).isDir()) {
        error = QCoreApplication::translate("corvane::JobStore", "The job's folder %1 is not there any more.")
                    .arg(job.folder);
        return false;
    }
    QString file = entry.file;
    const QString inside = QDir(job.folder).absolutePath() + QLatin1Char('/');
    if (file.startsWith(inside)) file = file.mid(inside.size());
    const QStringList fields{isoTime(entry.time.isValid() ? entry.time : QDateTime::currentDateTime()),
                             entry.kind ? savedFileWord(*entry.kind) : QStringLiteral("file"), escapeField(file),
                             escapeField(entry.detail.left(kDetailCharacters))};
    if (!appendLine(journalPath(job.folder), fields.join(QLatin1Char('\t')).toUtf8(), error)) {
        error = QCoreApplication::translate("corvane::JobStore", "Cannot note the file in %1: %2")
                    .arg(journalPath(job.folder), error);
        return false;
    }
    return true;
}

std::vector<JobEntry> JobStore::entries(const Job& job) const {
    std::vector<JobEntry> out;
    const QByteArray bytes = readSmallFile(journalPath(job.folder), qint64{64} << 20);
    for (const QByteArray& raw : bytes.split('\n')) {
        const QStringList fields = QString::fromUtf8(raw).split(QLatin1Char('\t'));
        // A line cut short by a crash, or one written by hand, is passed over.
        if (fields.size() != 4) continue;
        JobEntry entry;
        entry.time = QDateTime::fromString(fields[0], Qt::ISODateWithMs);
        entry.kind = savedFileFromWord(fields[1]);
        entry.file = unescapeField(fields[2]);
        entry.detail = unescapeField(fields[3]);
        if (!entry.time.isValid() || entry.file.isEmpty()) continue;
        out.push_back(std::move(entry));
    }
    return out;
}

std::vector<JobFile> JobStore::files(const Job& job) const {
    const QDir folder(job.folder);
    std::map<QString, JobFile> byPath;
    for (const JobEntry& entry : entries(job)) {
        JobFile f;
        f.path = QDir::isAbsolutePath(entry.file) ? entry.file : folder.absoluteFilePath(entry.file);
        f.name = entry.file;
        f.kind = entry.kind;
        f.detail = entry.detail;
        f.time = entry.time;
        byPath[QDir::cleanPath(f.path)] = f;  // the latest note of a file counts
    }
    for (const QFileInfo& info : folder.entryInfoList(QDir::Files | QDir::NoDotAndDotDot)) {
        const QString name = info.fileName();
        if (name == QLatin1String(kJobFile) || name == QLatin1String(kSavedFiles)) continue;
        const QString path = QDir::cleanPath(info.absoluteFilePath());
        if (byPath.count(path)) continue;
        JobFile f;
        f.path = path;
        f.name = name;
        f.time = info.lastModified();
        byPath[path] = f;
    }
    std::vector<JobFile> out;
    out.reserve(byPath.size());
    for (auto& [path, f] : byPath) {
        const QFileInfo info(f.path);
        f.size = info.isFile() ? info.size() : -1;
        out.push_back(std::move(f));
    }
    std::stable_sort(out.begin(), out.end(), [](const JobFile& a, const JobFile& b) { return a.time > b.time; });
    return out;
}

}  // namespace corvane
