#pragma once
// Workshop jobs beside the main window. A "job" button in the title band (right of "graph",
// where the layout places nothing; also Ctrl+J) opens the job window; the current job's vehicle
// and customer are written in the band under the recording's mark. With a current job, every save dialog opens in the
// job's folder first (page reports, recordings, graph pictures, held readings, traces, files from the unit) and every
// file saved is noted in the job; without one, everything is as before. Graph windows get a "Customer report..." button
// that reports on the span their cursors mark.
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

#include "controls/corv_button.h"
#include "jobs/job_store.h"
#include "jobs/jobs_window.h"
#include "screens/file_dialogs.h"

class QShortcut;

namespace corvane {

class CCorvaneNewDlg;
class CJobBandLabel;
class CReadingsGraph;
class ReadingsHistory;
class ReadingsRoom;

inline constexpr int IDC_MAIN_JOB = 108;

// What a graph window offers a customer report: its readings over the span the cursors mark
// (or the span shown), and its picture as shown now.
struct GraphForReport {
    const ReadingsHistory* history = nullptr;
    double from = 0, to = 0;
    QString source;
    QImage picture;
    QString caption;
};

class JobsRoom : public QObject, public SavePlace {
    Q_OBJECT
public:
    // `window` (and `readings`, when given) must outlive the room. `workshopFolder` holds the
    // workshop's header for the reports.
    JobsRoom(CCorvaneNewDlg& window, ReadingsRoom* readings, const QString& jobsFolder = JobStore::defaultRoot(),
             const QString& workshopFolder = {});
    ~JobsRoom() override;

    JobStore& store() { return store_; }
    const QString& workshopFolder() const { return workshopFolder_; }
    CCorvaneNewDlg& mainWindow() { return window_; }
    CCorvButton& jobButton() { return jobButton_; }
    // The current job as the title band shows it; empty without one.
    QString bandText() const;

    const std::optional<Job>& currentJob() const { return current_; }
    void makeCurrent(const Job& job);
    void clearCurrent();
    // Makes the job and makes it current; none with the reason told to the user.
    std::optional<Job> createJob(const Job& fields);

    void openJobWindow();
    CJobsWindow* jobWindow() const { return jobWindow_.data(); }

    // Recordings in a graph window, page reports in a text window, anything else and the
    // folder with the desktop's programs.
    void openFile(const JobFile& file);
    void openFolder(const Job& job);
    // The customer report dialog for `job`, with what a graph window offers when it asks.
    void askCustomerReport(const Job& job, const std::optional<GraphForReport>& graph = std::nullopt,
                           QWidget* parent = nullptr);
    // The graph windows of recordings opened from the job window.
    std::vector<CReadingsGraph*> recordingGraphs() const;

    void inform(QWidget* parent, const QString& text);

    // SavePlace: the current job's folder while it is there; a folder renamed by other means is
    // followed by the job's id, one that has gone is said once in the status line and never
    // made again.
    QString saveFolder() override;
    void fileSaved(const QString& path, SavedFile kind, const QString& detail) override;

signals:
    void currentJobChanged();
    // A file was noted in the job with this id.
    void jobFilesChanged(const QString& id);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeButton();
    void showCurrentJob();
    // Follows the current job's folder through a rename by other means; false (said once, and
    // on the band button) when it has gone.
    bool findCurrentFolder();
    void addReportButton(CReadingsGraph* graph, const ReadingsHistory* history, const QString& source);
    void openRecording(const JobFile& file);
    void showText(const JobFile& file);

    struct RecordingView;

    CCorvaneNewDlg& window_;
    ReadingsRoom* readings_;
    JobStore store_;
    QString workshopFolder_;
    std::optional<Job> current_;
    bool missingTold_ = false;
    CCorvButton jobButton_;
    QPointer<CJobBandLabel> bandLabel_;
    QShortcut* shortcut_ = nullptr;
    QPointer<CJobsWindow> jobWindow_;
    std::vector<std::unique_ptr<RecordingView>> recordings_;
};

}  // namespace corvane
