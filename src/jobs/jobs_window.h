#pragma once
// CJobsWindow: the workshop's jobs, newest first, narrowed to a registration, VIN or customer as
// it is typed; and the chosen job's vehicle, customer, note and files (kind, time saved, size).
// From here a job is made, changed or made current, its files opened (a recording in the graph
// window, a page report as text), its folder shown in the file manager, and its customer report
// made. Jobs and files written by another program (a second unit on another port) appear as
// they come; a job whose folder is renamed or removed meanwhile is shown as missing.
#include <QFileSystemWatcher>
#include <QTimer>
#include <QWidget>

#include <vector>

#include "jobs/job_store.h"
#include "jobs/jobs_model.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTableWidget;

namespace corvane {

class JobsRoom;

class CJobsWindow : public QWidget {
    Q_OBJECT
public:
    explicit CJobsWindow(JobsRoom& room, QWidget* parent = nullptr);

    // Reads the jobs folder again, keeping the chosen job.
    void reload();
    // The job chosen in the list, or none.
    std::optional<Job> chosenJob() const;
    bool choose(const QString& id);
    // The chosen job's files as listed.
    const std::vector<JobFile>& files() const { return files_; }

    QLineEdit* filterEdit() const { return filter_; }
    QTableView* jobsView() const { return jobsView_; }
    QTableWidget* filesTable() const { return filesTable_; }
    const JobsModel& model() const { return model_; }

    // The buttons' actions.
    void newJob();
    void editJob();
    void makeChosenCurrent();
    void openChosenFile();
    void customerReport();
    void editWorkshop();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void showChosenJob();
    void fillFiles();
    void watchChosenFolder();

    JobsRoom& room_;
    JobsModel model_;
    QLineEdit* filter_ = nullptr;
    QTableView* jobsView_ = nullptr;
    QLabel* jobTitle_ = nullptr;
    QLabel* jobDetails_ = nullptr;
    QTableWidget* filesTable_ = nullptr;
    QPushButton* currentButton_ = nullptr;
    QPushButton* editButton_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QPushButton* folderButton_ = nullptr;
    QPushButton* reportButton_ = nullptr;
    QLabel* count_ = nullptr;
    std::vector<JobFile> files_;
    QString shownId_;
    QFileSystemWatcher watcher_;
    // Changes on disk come in bursts (a recording grows row by row): read again once they settle.
    QTimer reloadSoon_;
    QTimer filesSoon_;
};

}  // namespace corvane
