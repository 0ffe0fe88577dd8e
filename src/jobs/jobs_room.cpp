#include "jobs/jobs_room.h"

#include <QDesktopServices>
#include <QDir>
#include <QDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QShortcut>
#include <QUrl>
#include <QVBoxLayout>

#include <cmath>

#include "jobs/customer_report.h"
#include "jobs/customer_report_dialog.h"
#include "jobs/job_band_label.h"
#include "jobs/jobs_skin.h"
#include "jobs/jobs_window.h"
#include "platform/cp1252.h"
#include "platform/resource_ids.h"
#include "readings/graph_placement.h"
#include "readings/graph_window.h"
#include "readings/reading_progress.h"
#include "readings/readings_room.h"
#include "readings/recording_viewer.h"
#include "screens/corvane_new_dlg.h"

namespace corvane {

namespace {
// Right of the "graph" button (505..550) in the title band, below the caption buttons; hidden
// where the window is too narrow for it (Ctrl+J still opens the jobs).
constexpr int kButtonLeft = 555, kButtonTop = 24, kButtonRight = 600, kButtonBottom = 74;
constexpr int kButtonIconSize = 40;
constexpr int kRightMargin = 15;
constexpr unsigned kButtonStyle = ButtonStyle::IconFace | ButtonStyle::Framed;

bool nobodyCanSee() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}
}  // namespace

// A recording opened from the job window, in a graph window of its own.
struct JobsRoom::RecordingView {
    std::unique_ptr<ReadingsHistory> history;
    QPointer<CReadingsGraph> graph;
};

JobsRoom::JobsRoom(CCorvaneNewDlg& window, ReadingsRoom* readings, const QString& jobsFolder,
                   const QString& workshopFolder)
    : window_(window),
      readings_(readings),
      store_(jobsFolder),
      workshopFolder_(workshopFolder.isEmpty() ? QFileInfo(jobsFolder).absolutePath() : workshopFolder),
      bandLabel_(new CJobBandLabel(&window)) {
    jobButton_.Create(encodeCp1252(tr("job")), kButtonStyle, kButtonLeft, kButtonTop, kButtonRight, kButtonBottom,
                      &window_, IDC_MAIN_JOB);
    jobButton_.SetIcons(IDI_FUNCTION_CAR, kButtonIconSize, kButtonIconSize, IDI_FUNCTION_CAR, kButtonIconSize,
                        kButtonIconSize, IDI_FUNCTION_CAR, kButtonIconSize, kButtonIconSize);
    jobButton_.SetBackColour(ColourPanel);
    jobButton_.setObjectName(QStringLiteral("bandRoomButton"));  // in the window's Tab chain after "graph"
    jobButton_.setAccessibleName(tr("Workshop job"));
    connect(&jobButton_, &CCorvButton::command, this, [this](int) { openJobWindow(); });
    shortcut_ = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_J), &window_);
    connect(shortcut_, &QShortcut::activated, this, &JobsRoom::openJobWindow);
    window_.installEventFilter(this);
    window_.fileDialogs().setSavePlace(this);
    if (readings_)
        connect(readings_, &ReadingsRoom::graphOpened, this,
                [this](CReadingsGraph* graph) { addReportButton(graph, &readings_->history(), QString()); });
    showCurrentJob();
    placeButton();
}

JobsRoom::~JobsRoom() {
    window_.fileDialogs().setSavePlace(nullptr);
    window_.removeEventFilter(this);
    delete jobWindow_.data();
    delete bandLabel_.data();
    // A window's end takes its view out of the list: walk a list of our own.
    const auto views = std::move(recordings_);
    for (const auto& view : views) delete view->graph.data();
    delete shortcut_;
}

bool JobsRoom::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::Resize) placeButton();
    return QObject::eventFilter(watched, event);
}

void JobsRoom::placeButton() { jobButton_.setVisible(window_.width() - kRightMargin >= kButtonRight); }

void JobsRoom::showCurrentJob() {
    QString text;
    if (current_) {
        text = tr("Job: %1").arg(current_->label());
        if (!current_->customer.isEmpty() && current_->customer != current_->label())
            text += QStringLiteral(", ") + current_->customer;
        if (missingTold_) text = tr("%1 - its folder is gone").arg(text);
    }
    if (bandLabel_) bandLabel_->setText(text, missingTold_);
    jobButton_.setToolTip(tr("%1 (Ctrl+J: the jobs)").arg(text.isEmpty() ? tr("No workshop job") : text));
    jobButton_.setAccessibleDescription(text.isEmpty() ? tr("No workshop job") : text);
}

QString JobsRoom::bandText() const { return bandLabel_ ? bandLabel_->text() : QString(); }

void JobsRoom::makeCurrent(const Job& job) {
    current_ = job;
    missingTold_ = false;
    showCurrentJob();
    window_.setStatusText(encodeCp1252(
        tr("Working on the job %1: files are saved in %2").arg(job.label(), QDir::toNativeSeparators(job.folder))));
    emit currentJobChanged();
}

void JobsRoom::clearCurrent() {
    if (!current_) return;
    current_.reset();
    showCurrentJob();
    window_.setStatusText(encodeCp1252(tr("No workshop job: files are saved where you choose")));
    emit currentJobChanged();
}

std::optional<Job> JobsRoom::createJob(const Job& fields) {
    QString error;
    std::optional<Job> job = store_.create(fields, error);
    if (!job) {
        inform(jobWindow_.data(), error);
        return std::nullopt;
    }
    makeCurrent(*job);
    return job;
}

void JobsRoom::openJobWindow() {
    findCurrentFolder();
    if (!jobWindow_) {
        jobWindow_ = new CJobsWindow(*this, &window_);
        placeGraphWindow(*jobWindow_, &window_);
    } else {
        jobWindow_->reload();
    }
    jobWindow_->show();
    jobWindow_->raise();
    jobWindow_->activateWindow();
}

bool JobsRoom::findCurrentFolder() {
    if (!current_) return false;
    const bool there = QFileInfo(current_->folder).isDir();
    std::optional<Job> moved = there ? std::nullopt : store_.locate(current_->id);
    if (there || moved) {
        const bool changed = moved.has_value() || missingTold_;
        if (moved) current_ = std::move(moved);
        missingTold_ = false;
        if (!changed) return true;
        showCurrentJob();
        emit currentJobChanged();
        return true;
    }
    // Never made again behind the user's back: it was removed on purpose, or its disk is gone.
    if (!missingTold_) {
        missingTold_ = true;
        showCurrentJob();
        window_.setStatusText(encodeCp1252(
            tr("The job's folder %1 is not there any more; saving where you choose").arg(current_->folder)));
    }
    return false;
}

QString JobsRoom::saveFolder() { return findCurrentFolder() ? current_->folder : QString(); }

void JobsRoom::fileSaved(const QString& path, SavedFile kind, const QString& detail) {
    if (!current_ || !findCurrentFolder()) return;
    QString error;
    if (!store_.note(*current_, {QDateTime::currentDateTime(), kind, path, detail}, error)) {
        window_.setStatusText(encodeCp1252(error));
        return;
    }
    emit jobFilesChanged(current_->id);
}

void JobsRoom::inform(QWidget*, const QString& text) { window_.informUser(encodeCp1252(text)); }

void JobsRoom::openFolder(const Job& job) {
    if (nobodyCanSee()) return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(job.folder));
}

void JobsRoom::openFile(const JobFile& file) {
    if (file.size < 0) {
        inform(jobWindow_.data(), tr("The file %1 is not there any more.").arg(file.path));
        return;
    }
    if (file.kind == SavedFile::Recording || file.kind == SavedFile::HeldReadings)
        openRecording(file);
    else if (file.kind == SavedFile::Report)
        showText(file);
    else if (!nobodyCanSee())
        QDesktopServices::openUrl(QUrl::fromLocalFile(file.path));
}

void JobsRoom::openRecording(const JobFile& file) {
    auto view = std::make_unique<RecordingView>();
    view->history = std::make_unique<ReadingsHistory>();
    // A large recording takes seconds: the windows (and the unit's replies) go on meanwhile.
    const RecordingReader::Result read =
        loadRecording(file.path, *view->history, progressWindow(jobWindow_.data(), file.path));
    if (read.stopped) return;
    if (!read.faults.empty()) {
        inform(jobWindow_.data(),
               tr("The recording %1 cannot be shown:\n%2")
                   .arg(file.path, QStringList(read.faults.begin(), read.faults.end()).join(QLatin1Char('\n'))));
        return;
    }
    CReadingsGraph::Services services;
    services.askSavePath = [this, view = view.get()](const FileDialogs::Request& request) {
        return window_.fileDialogs().askSave(view->graph.data(), request);
    };
    services.inform = [this](const QString& text) { inform(nullptr, text); };
    services.saved = [this](const QString& path, SavedFile kind, const QString& detail) {
        window_.fileDialogs().noteSaved(path, kind, detail);
    };
    view->graph = new CReadingsGraph(*view->history, std::move(services), &window_);
    CReadingsGraph& graph = *view->graph;
    graph.setAttribute(Qt::WA_DeleteOnClose);
    graph.showRecordButton(false);
    const QString name = QFileInfo(file.path).fileName();
    graph.setPageTitle(name);
    graph.setWindowTitle(name);
    QString status = tr("%1 rows, %2 readings").arg(view->history->rows()).arg(view->history->columns().size());
    for (const QString& note : read.notes) status += QLatin1Char('\n') + note;
    graph.setStatus(status);
    placeGraphWindow(graph, &window_);
    graph.setSpan(CReadingsGraph::SpanAll);
    addReportButton(&graph, view->history.get(), name);
    // The history goes with its window.
    connect(&graph, &QObject::destroyed, this,
            [this, raw = view.get()] { std::erase_if(recordings_, [raw](const auto& v) { return v.get() == raw; }); });
    graph.show();
    graph.activateWindow();
    recordings_.push_back(std::move(view));
}

std::vector<CReadingsGraph*> JobsRoom::recordingGraphs() const {
    std::vector<CReadingsGraph*> graphs;
    for (const auto& view : recordings_)
        if (view->graph) graphs.push_back(view->graph.data());
    return graphs;
}

void JobsRoom::showText(const JobFile& file) {
    auto* dialog = new QDialog(jobWindow_ ? static_cast<QWidget*>(jobWindow_.data()) : &window_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QFileInfo(file.path).fileName());
    applyJobsSkin(*dialog);
    auto* text = new QPlainTextEdit(pageReportFromFile(file.path, file.name, file.time).text);
    text->setReadOnly(true);
    text->setFont(QFont(QStringLiteral("Liberation Mono"), 10));
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(text);
    dialog->resize(640, 480);
    dialog->show();
}

void JobsRoom::addReportButton(CReadingsGraph* graph, const ReadingsHistory* history, const QString& source) {
    auto* button = new QPushButton(tr("Customer report..."));
    button->setToolTip(
        tr("A PDF for the customer of the current job, with the readings between cursors A and B (or the time "
           "shown)"));
    graph->addPanelButton(button);
    connect(button, &QPushButton::clicked, this, [this, graph, history, source] {
        if (!current_) {
            inform(graph, tr("Choose the job first: the job button in the main window's title band, or "
                             "Ctrl+J there."));
            return;
        }
        GraphForReport offer;
        offer.history = history;
        const bool measured = !std::isnan(graph->cursorA()) && !std::isnan(graph->cursorB());
        offer.from = measured ? graph->cursorA() : graph->shownFrom();
        offer.to = measured ? graph->cursorB() : graph->shownTo();
        offer.source = source.isEmpty() ? graph->pageTitle() : source;
        offer.picture = graph->picture().toImage();
        const auto [title, range] = graph->pictureCaption();
        offer.caption = QStringLiteral("%1, %2").arg(title, range.simplified());
        askCustomerReport(*current_, offer, graph);
    });
}

void JobsRoom::askCustomerReport(const Job& job, const std::optional<GraphForReport>& graph, QWidget* parent) {
    CustomerReportDialog dialog(*this, job, graph, parent ? parent : jobWindow_.data());
    dialog.exec();
}

}  // namespace corvane
