#pragma once
// Workshop jobs on disk. A job is one vehicle's visit: one folder under the jobs folder
// ($XDG_DATA_HOME/corvane/jobs, by default ~/.local/share/corvane/jobs) holding the files saved
// for it and two plain text files, UTF-8, that any program can read:
//
//   job.txt          what the job is: "key=value" lines (id, created, registration, vin,
//                    customer, note; backslash, line ends and tabs escaped as \\ \n \r \t).
//                    Written whole to a temporary file and renamed over the old one; changed
//                    under a lock file (.lock) on what the file holds at that moment, so that
//                    one program's change of the note keeps another's change of the customer.
//   saved-files.txt  one line for each file saved for the job, tab-separated: the time (ISO
//                    8601), the kind, the file (relative to the folder when it lies inside it)
//                    and what it shows. Appended in one write each, so two programs saving for
//                    the same job at once never lose each other's lines.
//
// The folder is named after the date, the vehicle and the customer, with the characters a file
// name may not hold taken out; the id in job.txt stays with the job when the folder is renamed.
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

#include "screens/file_dialogs.h"

namespace corvane {

struct Job {
    QString id;
    QString folder;  // absolute
    QDateTime created;
    QString registration;
    QString vin;
    QString customer;
    QString note;
    QStringList otherLines;  // lines of job.txt this program does not know, kept as they were

    // The vehicle as one short text: the registration, else the VIN, else the customer.
    QString label() const;
    // Whether the job's registration, VIN or customer holds `text` (case, blanks and dashes
    // aside for the registration and the VIN).
    bool matches(const QString& text) const;
};

struct JobEntry {
    QDateTime time;
    std::optional<SavedFile> kind;  // none: a kind this program does not know
    QString file;                   // relative to the job's folder, or absolute outside it
    QString detail;
};

// A file of a job as the job window lists it.
struct JobFile {
    QString path;                   // absolute
    QString name;                   // relative to the job's folder, or absolute outside it
    std::optional<SavedFile> kind;  // none: put in the folder by other means
    QString detail;
    QDateTime time;    // when it was saved (or last changed, for a file put in by other means)
    qint64 size = -1;  // -1: the file is not there (any more)
};

// The kind's word in saved-files.txt, and back.
QString savedFileWord(SavedFile kind);
std::optional<SavedFile> savedFileFromWord(const QString& word);
// What the job window calls the kind ("Page report", "Recording", ...), in the program's language.
QString savedFileTitle(std::optional<SavedFile> kind, const QString& path);

class JobStore {
public:
    static constexpr const char* kJobFile = "job.txt";
    static constexpr const char* kSavedFiles = "saved-files.txt";

    // `root` is the jobs folder; it is made when the first job is.
    explicit JobStore(QString root = defaultRoot());
    static QString defaultRoot();
    const QString& root() const { return root_; }

    // Every job whose job.txt can be read, newest first.
    std::vector<Job> list() const;
    std::optional<Job> read(const QString& folder) const;
    // The job with this id wherever its folder is now (a folder renamed by other means).
    std::optional<Job> locate(const QString& id) const;

    // Makes the job's folder and job.txt; `job` gives the vehicle, customer and note, and the
    // date when it has one. The job made, or none with the reason.
    std::optional<Job> create(const Job& job, QString& error);
    // Applies `change` to the job as job.txt holds it now and writes it back; `job` becomes
    // what was written. False with the reason (the folder has gone, the disk is full).
    bool update(Job& job, const std::function<void(Job&)>& change, QString& error);

    // Notes a file saved for the job.
    bool note(const Job& job, const JobEntry& entry, QString& error) const;
    // The lines of saved-files.txt that can be read, in the order they were written.
    std::vector<JobEntry> entries(const Job& job) const;
    // The files of the job, newest first: those noted (the latest note of each file) and those
    // put in its folder by other means.
    std::vector<JobFile> files(const Job& job) const;

    // The folder name for a job: "2026-12-09 AB-123-CD Anna Smith", safe to make.
    static QString folderName(const Job& job);

private:
    QString root_;
};

}  // namespace corvane
