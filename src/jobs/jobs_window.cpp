#include "jobs/jobs_window.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "jobs/job_dialog.h"
#include "jobs/jobs_room.h"
#include "jobs/jobs_skin.h"
#include "jobs/workshop_dialog.h"

namespace corvane {

namespace {
constexpr int kSettleMs = 200;
enum FileColumn { FileName, FileKind, FileSaved, FileSize, FileShows, FileColumns };

QString sizeText(qint64 size) {
    if (size < 0) return QCoreApplication::translate("corvane::CJobsWindow", "missing");
    // The larger units are the same in every language; the word for bytes is not.
    if (size < 1024) return QCoreApplication::translate("corvane::CJobsWindow", "%1 bytes").arg(size);
    return QLocale::c().formattedDataSize(size, 1, QLocale::DataSizeTraditionalFormat);
}

QTableWidgetItem* item(const QString& text, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* it = new QTableWidgetItem(text);
    it->setTextAlignment(align);
    it->setToolTip(text);
    return it;
}
}  // namespace

CJobsWindow::CJobsWindow(JobsRoom& room, QWidget* parent) : QWidget(parent, Qt::Window), room_(room) {
    setObjectName(QStringLiteral("jobsWindow"));
    setWindowTitle(tr("Jobs"));
    applyJobsSkin(*this);
    buildControls();
    reloadSoon_.setSingleShot(true);
    reloadSoon_.setInterval(kSettleMs);
    connect(&reloadSoon_, &QTimer::timeout, this, &CJobsWindow::reload);
    filesSoon_.setSingleShot(true);
    filesSoon_.setInterval(kSettleMs);
    connect(&filesSoon_, &QTimer::timeout, this, &CJobsWindow::showChosenJob);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this](const QString& path) {
        if (path == room_.store().root())
            reloadSoon_.start();
        else
            filesSoon_.start();
    });
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { filesSoon_.start(); });
    connect(&room_, &JobsRoom::jobFilesChanged, this, [this](const QString& id) {
        if (id == shownId_) showChosenJob();
    });
    connect(&room_, &JobsRoom::currentJobChanged, this, [this] {
        model_.setCurrentId(room_.currentJob() ? room_.currentJob()->id : QString());
        showChosenJob();
    });
    reload();
}

void CJobsWindow::buildControls() {
    auto* findLabel = new QLabel(tr("&Find"));
    filter_ = new QLineEdit();
    filter_->setPlaceholderText(tr("Registration, VIN or customer"));
    filter_->setClearButtonEnabled(true);
    filter_->setAccessibleName(tr("Find a job by registration, VIN or customer"));
    findLabel->setBuddy(filter_);
    filter_->installEventFilter(this);
    connect(filter_, &QLineEdit::textChanged, this, [this](const QString& text) {
        const std::optional<Job> chosen = chosenJob();
        model_.setFilter(text);
        if (!(chosen && choose(chosen->id)) && model_.rowCount() > 0) choose(model_.jobAt(0)->id);
        count_->setText(tr("%1 of %2 jobs").arg(model_.rowCount()).arg(model_.allJobs()));
        if (model_.rowCount() == 0) showChosenJob();
    });

    jobsView_ = new QTableView();
    jobsView_->setObjectName(QStringLiteral("jobsList"));
    jobsView_->setModel(&model_);
    jobsView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    jobsView_->setSelectionMode(QAbstractItemView::SingleSelection);
    jobsView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    jobsView_->setTabKeyNavigation(false);
    jobsView_->setWordWrap(false);
    jobsView_->setAccessibleName(tr("Jobs, newest first"));
    jobsView_->verticalHeader()->setVisible(false);
    // Fixed row heights and column widths: thousands of jobs are never measured one by one.
    jobsView_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    jobsView_->verticalHeader()->setDefaultSectionSize(jobsView_->fontMetrics().height() + 6);
    jobsView_->horizontalHeader()->setStretchLastSection(true);
    const int digit = jobsView_->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    jobsView_->setColumnWidth(JobsModel::Date, digit * 17);
    jobsView_->setColumnWidth(JobsModel::Registration, digit * 12);
    jobsView_->setColumnWidth(JobsModel::Customer, digit * 16);
    jobsView_->installEventFilter(this);
    connect(jobsView_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &CJobsWindow::showChosenJob);
    connect(jobsView_, &QAbstractItemView::doubleClicked, this, &CJobsWindow::makeChosenCurrent);

    auto* newButton = new QPushButton(tr("&New job..."));
    connect(newButton, &QPushButton::clicked, this, &CJobsWindow::newJob);
    editButton_ = new QPushButton(tr("&Edit job..."));
    connect(editButton_, &QPushButton::clicked, this, &CJobsWindow::editJob);
    currentButton_ = new QPushButton(tr("&Work on this job"));
    currentButton_->setToolTip(tr("Save dialogs open in its folder, and every file saved is noted in it"));
    connect(currentButton_, &QPushButton::clicked, this, &CJobsWindow::makeChosenCurrent);
    auto* noJobButton = new QPushButton(tr("No &job"));
    noJobButton->setToolTip(tr("Save as before, in the folder last used"));
    connect(noJobButton, &QPushButton::clicked, &room_, &JobsRoom::clearCurrent);
    count_ = new QLabel();

    auto* left = new QWidget();
    auto* leftLayout = new QVBoxLayout(left);
    auto* findRow = new QHBoxLayout();
    findRow->addWidget(findLabel);
    findRow->addWidget(filter_, 1);
    leftLayout->addLayout(findRow);
    leftLayout->addWidget(jobsView_, 1);
    leftLayout->addWidget(count_);
    auto* jobButtons = new QHBoxLayout();
    for (QPushButton* b : {newButton, editButton_, currentButton_, noJobButton}) jobButtons->addWidget(b);
    jobButtons->addStretch(1);
    leftLayout->addLayout(jobButtons);

    jobTitle_ = new QLabel();
    jobTitle_->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 12pt;"));
    jobDetails_ = new QLabel();
    jobDetails_->setWordWrap(true);
    jobDetails_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    jobDetails_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* filesLabel = new QLabel(tr("F&iles"));
    filesTable_ = new QTableWidget(0, FileColumns);
    filesTable_->setObjectName(QStringLiteral("jobFiles"));
    filesLabel->setBuddy(filesTable_);
    filesTable_->setHorizontalHeaderLabels({tr("File"), tr("Kind"), tr("Saved"), tr("Size"), tr("Shows")});
    filesTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    filesTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    filesTable_->setSelectionMode(QAbstractItemView::SingleSelection);
    filesTable_->setTabKeyNavigation(false);
    filesTable_->setWordWrap(false);
    filesTable_->verticalHeader()->setVisible(false);
    filesTable_->horizontalHeader()->setStretchLastSection(true);
    filesTable_->setColumnWidth(FileName, digit * 24);
    filesTable_->setColumnWidth(FileKind, digit * 15);
    filesTable_->setColumnWidth(FileSaved, digit * 18);
    filesTable_->setColumnWidth(FileSize, digit * 9);
    filesTable_->setAccessibleName(tr("Files of the job"));
    filesTable_->installEventFilter(this);
    connect(filesTable_, &QTableWidget::cellDoubleClicked, this, &CJobsWindow::openChosenFile);

    openButton_ = new QPushButton(tr("&Open"));
    openButton_->setToolTip(
        tr("A recording in the graph window, a page report as text, others with the desktop's program"));
    connect(openButton_, &QPushButton::clicked, this, &CJobsWindow::openChosenFile);
    folderButton_ = new QPushButton(tr("Open &folder"));
    connect(folderButton_, &QPushButton::clicked, this, [this] {
        if (const std::optional<Job> job = chosenJob()) room_.openFolder(*job);
    });
    reportButton_ = new QPushButton(tr("Customer &report..."));
    reportButton_->setToolTip(tr("A PDF for the customer, or print it"));
    connect(reportButton_, &QPushButton::clicked, this, &CJobsWindow::customerReport);
    auto* workshopButton = new QPushButton(tr("Works&hop..."));
    workshopButton->setToolTip(tr("The workshop's name, address and logo on customer reports"));
    connect(workshopButton, &QPushButton::clicked, this, &CJobsWindow::editWorkshop);

    auto* right = new QWidget();
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->addWidget(jobTitle_);
    rightLayout->addWidget(jobDetails_);
    rightLayout->addWidget(filesLabel);
    rightLayout->addWidget(filesTable_, 1);
    auto* fileButtons = new QHBoxLayout();
    for (QPushButton* b : {openButton_, folderButton_, reportButton_, workshopButton}) fileButtons->addWidget(b);
    fileButtons->addStretch(1);
    rightLayout->addLayout(fileButtons);

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    splitter->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);

    setTabOrder(filter_, jobsView_);
    setTabOrder(jobsView_, newButton);
    setTabOrder(newButton, editButton_);
    setTabOrder(editButton_, currentButton_);
    setTabOrder(currentButton_, noJobButton);
    setTabOrder(noJobButton, filesTable_);
    setTabOrder(filesTable_, openButton_);
    setTabOrder(openButton_, folderButton_);
    setTabOrder(folderButton_, reportButton_);
    setTabOrder(reportButton_, workshopButton);
    filter_->setFocus(Qt::OtherFocusReason);
}

void CJobsWindow::reload() {
    const std::optional<Job> chosen = chosenJob();
    model_.setJobs(room_.store().list());
    model_.setCurrentId(room_.currentJob() ? room_.currentJob()->id : QString());
    const QString keep = chosen ? chosen->id : room_.currentJob() ? room_.currentJob()->id : QString();
    if (!choose(keep) && model_.rowCount() > 0) choose(model_.jobAt(0)->id);
    count_->setText(tr("%1 of %2 jobs").arg(model_.rowCount()).arg(model_.allJobs()));
    if (!watcher_.directories().contains(room_.store().root()) && QFileInfo(room_.store().root()).isDir())
        watcher_.addPath(room_.store().root());
    showChosenJob();
}

std::optional<Job> CJobsWindow::chosenJob() const {
    const Job* job = model_.jobAt(jobsView_->currentIndex().row());
    return job ? std::optional<Job>(*job) : std::nullopt;
}

bool CJobsWindow::choose(const QString& id) {
    const int row = id.isEmpty() ? -1 : model_.rowOf(id);
    if (row < 0) return false;
    jobsView_->setCurrentIndex(model_.index(row, 0));
    jobsView_->scrollTo(model_.index(row, 0));
    return true;
}

void CJobsWindow::watchChosenFolder() {
    const QStringList watched = watcher_.files() + watcher_.directories();
    for (const QString& path : watched)
        if (path != room_.store().root()) watcher_.removePath(path);
    const std::optional<Job> job = chosenJob();
    if (!job || !QFileInfo(job->folder).isDir()) return;
    watcher_.addPath(job->folder);
    const QString journal = job->folder + QLatin1Char('/') + QLatin1String(JobStore::kSavedFiles);
    if (QFileInfo::exists(journal)) watcher_.addPath(journal);
}

void CJobsWindow::showChosenJob() {
    std::optional<Job> job = chosenJob();
    const bool missing = job && !QFileInfo(job->folder).isDir();
    if (missing) model_.markMissing(job->id);
    const bool any = job.has_value();
    for (QPushButton* b : {editButton_, currentButton_, folderButton_, reportButton_}) b->setEnabled(any && !missing);
    if (!any) {
        shownId_.clear();
        jobTitle_->setText(model_.allJobs() == 0 ? tr("No jobs yet: New job... makes one") : tr("No job matches"));
        jobDetails_->clear();
        files_.clear();
        fillFiles();
        watchChosenFolder();
        return;
    }
    const bool current = room_.currentJob() && room_.currentJob()->id == job->id;
    if (shownId_ != job->id) watchChosenFolder();
    shownId_ = job->id;
    jobTitle_->setText(current ? tr("%1 (current job)").arg(job->label()) : job->label());
    QStringList lines;
    if (!job->registration.isEmpty()) lines << tr("Registration: %1").arg(job->registration);
    if (!job->vin.isEmpty()) lines << tr("VIN: %1").arg(job->vin);
    if (!job->customer.isEmpty()) lines << tr("Customer: %1").arg(job->customer);
    lines << tr("Opened: %1").arg(job->created.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    if (!job->note.isEmpty()) lines << tr("Note: %1").arg(job->note);
    lines << (missing ? tr("The folder %1 is not there any more (renamed or removed).").arg(job->folder)
                      : tr("Folder: %1").arg(job->folder));
    jobDetails_->setText(lines.join(QLatin1Char('\n')));
    files_ = missing ? std::vector<JobFile>() : room_.store().files(*job);
    fillFiles();
}

void CJobsWindow::fillFiles() {
    const int keep = filesTable_->currentRow();
    filesTable_->setRowCount(static_cast<int>(files_.size()));
    for (int r = 0; r < static_cast<int>(files_.size()); ++r) {
        const JobFile& f = files_[static_cast<std::size_t>(r)];
        filesTable_->setItem(r, FileName, item(f.name));
        filesTable_->setItem(r, FileKind, item(savedFileTitle(f.kind, f.path)));
        filesTable_->setItem(r, FileSaved, item(f.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
        filesTable_->setItem(r, FileSize, item(sizeText(f.size), Qt::AlignRight | Qt::AlignVCenter));
        filesTable_->setItem(r, FileShows, item(f.detail));
    }
    if (!files_.empty()) filesTable_->setCurrentCell(std::clamp(keep, 0, static_cast<int>(files_.size()) - 1), 0);
    openButton_->setEnabled(!files_.empty());
}

void CJobsWindow::newJob() {
    JobDialog dialog(Job{}, true, this);
    applyJobsSkin(dialog);
    if (dialog.exec() != QDialog::Accepted) return;
    if (const std::optional<Job> job = room_.createJob(dialog.job())) {
        filter_->clear();
        reload();
        choose(job->id);
    }
}

void CJobsWindow::editJob() {
    std::optional<Job> job = chosenJob();
    if (!job) return;
    JobDialog dialog(*job, false, this);
    applyJobsSkin(dialog);
    if (dialog.exec() != QDialog::Accepted) return;
    const Job typed = dialog.job();
    QString error;
    // Only what the user changed is written over what the file holds now.
    const bool written = room_.store().update(
        *job,
        [&typed, before = *job](Job& now) {
            if (typed.registration != before.registration) now.registration = typed.registration;
            if (typed.vin != before.vin) now.vin = typed.vin;
            if (typed.customer != before.customer) now.customer = typed.customer;
            if (typed.note != before.note) now.note = typed.note;
        },
        error);
    if (!written) {
        room_.inform(this, error);
        return;
    }
    if (room_.currentJob() && room_.currentJob()->id == job->id) room_.makeCurrent(*job);
    reload();
}

void CJobsWindow::makeChosenCurrent() {
    if (const std::optional<Job> job = chosenJob(); job && QFileInfo(job->folder).isDir()) room_.makeCurrent(*job);
}

void CJobsWindow::openChosenFile() {
    const int row = filesTable_->currentRow();
    if (row < 0 || row >= static_cast<int>(files_.size())) return;
    room_.openFile(files_[static_cast<std::size_t>(row)]);
}

void CJobsWindow::customerReport() {
    if (const std::optional<Job> job = chosenJob()) room_.askCustomerReport(*job, std::nullopt, this);
}

void CJobsWindow::editWorkshop() {
    WorkshopDialog dialog(room_.workshopFolder(), this);
    applyJobsSkin(dialog);
    dialog.exec();
}

void CJobsWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool CJobsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (watched == filter_ && (key->key() == Qt::Key_Down || enter) && model_.rowCount() > 0) {
        // From the text typed to the jobs it found; Enter works on the first of them at once.
        jobsView_->setFocus(Qt::TabFocusReason);
        if (enter) makeChosenCurrent();
        return true;
    }
    if (watched == jobsView_ && enter) {
        makeChosenCurrent();
        return true;
    }
    if (watched == filesTable_ && enter) {
        openChosenFile();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace corvane
