#include "jobs/customer_report_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGuiApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include "controls/keyboard_focus.h"
#include "jobs/jobs_skin.h"
#include "jobs/plain_files.h"
#include "jobs/workshop_dialog.h"
#include "readings/reading_progress.h"
#include "readings/recording_viewer.h"
#include "screens/corvane_new_dlg.h"
#include "screens/transfer_files.h"

namespace corvane {

namespace {
// Item data: the index into the job's files, or kFromGraph.
constexpr int kFromGraph = -1;
constexpr int kNoTable = -2;

QListWidgetItem* checkedItem(const QString& text, int data, QListWidget* list) {
    auto* item = new QListWidgetItem(text, list);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
    item->setData(Qt::UserRole, data);
    return item;
}

bool isRecording(const JobFile& f) { return f.kind == SavedFile::Recording || f.kind == SavedFile::HeldReadings; }
}  // namespace

CustomerReportDialog::CustomerReportDialog(JobsRoom& room, const Job& job, std::optional<GraphForReport> graph,
                                           QWidget* parent)
    : QDialog(parent),
      room_(room),
      job_(job),
      graph_(std::move(graph)),
      files_(room.store().files(job)),
      reports_(new QListWidget()),
      pictures_(new QListWidget()),
      readings_(new QComboBox()),
      note_(new QPlainTextEdit(job.note)),
      paper_(new QComboBox()) {
    setWindowTitle(tr("Customer report %1").arg(job.label()));
    takeFocusWhenShown(this);
    applyJobsSkin(*this);
    // The files are listed newest first; the report tells them in the order they were saved.
    for (int i = static_cast<int>(files_.size()) - 1; i >= 0; --i) {
        const JobFile& f = files_[static_cast<std::size_t>(i)];
        if (f.size < 0) continue;
        const QString when = f.time.toString(QStringLiteral("HH:mm"));
        if (f.kind == SavedFile::Report) checkedItem(QStringLiteral("%1 (%2)").arg(f.name, when), i, reports_);
        if (f.kind == SavedFile::Picture)
            checkedItem(f.detail.isEmpty() ? f.name : QStringLiteral("%1: %2").arg(f.name, f.detail), i, pictures_);
    }
    readings_->addItem(tr("No table"), kNoTable);
    if (graph_) {
        checkedItem(tr("The graph as shown now: %1").arg(graph_->caption), kFromGraph, pictures_);
        readings_->addItem(tr("The graph's span: %1").arg(graph_->source), kFromGraph);
    }
    for (int i = 0; i < static_cast<int>(files_.size()); ++i) {
        const JobFile& f = files_[static_cast<std::size_t>(i)];
        if (f.size >= 0 && isRecording(f)) readings_->addItem(tr("Recording %1").arg(f.name), i);
    }
    // The graph's span when asked from a graph, else the newest recording.
    readings_->setCurrentIndex(readings_->count() > 1 ? 1 : 0);
    reports_->setAccessibleName(tr("Page reports in the report"));
    pictures_->setAccessibleName(tr("Graph pictures in the report"));
    note_->setTabChangesFocus(true);
    note_->setPlaceholderText(tr("What was found and done, for the customer"));
    paper_->addItem(QStringLiteral("A4"), QPageSize::A4);
    paper_->addItem(tr("Letter"), QPageSize::Letter);
    paper_->setCurrentIndex(defaultPaper() == QPageSize::Letter ? 1 : 0);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    auto* save = buttons->addButton(tr("&Save PDF..."), QDialogButtonBox::ActionRole);
    auto* printButton = buttons->addButton(tr("&Print..."), QDialogButtonBox::ActionRole);
    auto* workshop = buttons->addButton(tr("Works&hop..."), QDialogButtonBox::ActionRole);
    save->setDefault(true);
    connect(save, &QPushButton::clicked, this, &CustomerReportDialog::savePdf);
    connect(printButton, &QPushButton::clicked, this, &CustomerReportDialog::print);
    connect(workshop, &QPushButton::clicked, this, [this] {
        WorkshopDialog dialog(room_.workshopFolder(), this);
        applyJobsSkin(dialog);
        dialog.exec();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(tr("Page &reports"), reports_);
    form->addRow(tr("Graph pi&ctures"), pictures_);
    form->addRow(tr("Readings &table"), readings_);
    form->addRow(tr("&Note"), note_);
    form->addRow(tr("Pap&er"), paper_);
    form->addRow(buttons);
    resize(620, 560);
}

QPageSize::PageSizeId CustomerReportDialog::paper() const {
    return static_cast<QPageSize::PageSizeId>(paper_->currentData().toInt());
}

std::optional<CustomerReport> CustomerReportDialog::compose() {
    CustomerReport report;
    report.workshop = WorkshopHeader::load(room_.workshopFolder());
    report.job = job_;
    report.made = QDateTime::currentDateTime();
    report.note = note_->toPlainText();
    for (int r = 0; r < reports_->count(); ++r) {
        const QListWidgetItem* item = reports_->item(r);
        if (item->checkState() != Qt::Checked) continue;
        const JobFile& f = files_[static_cast<std::size_t>(item->data(Qt::UserRole).toInt())];
        report.reports.push_back(pageReportFromFile(f.path, f.name, f.time));
    }
    for (int r = 0; r < pictures_->count(); ++r) {
        const QListWidgetItem* item = pictures_->item(r);
        if (item->checkState() != Qt::Checked) continue;
        const int index = item->data(Qt::UserRole).toInt();
        if (index == kFromGraph) {
            report.pictures.push_back({graph_->caption, graph_->picture});
            continue;
        }
        const JobFile& f = files_[static_cast<std::size_t>(index)];
        const QImage image(f.path);
        if (!image.isNull()) report.pictures.push_back({f.detail.isEmpty() ? f.name : f.detail, image});
    }
    const int table = readings_->currentData().toInt();
    if (table == kFromGraph) {
        report.readings = readingsTable(*graph_->history, graph_->from, graph_->to, graph_->source);
    } else if (table >= 0) {
        const JobFile& f = files_[static_cast<std::size_t>(table)];
        ReadingsHistory history;
        const RecordingReader::Result read = loadRecording(f.path, history, progressWindow(this, f.path));
        if (read.stopped) return std::nullopt;
        if (!read.faults.empty()) {
            room_.inform(this,
                         tr("The recording %1 cannot be read:\n%2")
                             .arg(f.path, QStringList(read.faults.begin(), read.faults.end()).join(QLatin1Char('\n'))));
            return std::nullopt;
        }
        report.readings = readingsTable(history, history.firstTime(), history.lastTime(), f.name);
    }
    return report;
}

bool CustomerReportDialog::writePdf(const QString& path, QString& error) {
    const std::optional<CustomerReport> report = compose();
    if (!report) {
        error.clear();
        return false;
    }
    if (!writeFileAtomically(path, customerReportPdf(*report, paper()), error)) {
        error = tr("Cannot write the customer report %1: %2").arg(path, error);
        return false;
    }
    const QStringList parts{tr("%1 page reports").arg(report->reports.size()),
                            tr("%1 pictures").arg(report->pictures.size()),
                            report->readings ? tr("readings of %1").arg(report->readings->source) : tr("no readings")};
    // Noted in this dialog's job, which need not be the current one.
    QString noteError;
    if (room_.store().note(job_,
                           {QDateTime::currentDateTime(), SavedFile::CustomerReport, QFileInfo(path).absoluteFilePath(),
                            parts.join(QStringLiteral(", "))},
                           noteError))
        emit room_.jobFilesChanged(job_.id);
    return true;
}

void CustomerReportDialog::savePdf() {
    FileDialogs::Request request;
    request.filter = tr("PDF document (*.pdf)|*.pdf|");
    request.proposedName =
        safePlainName(tr("Customer report %1 %2.pdf").arg(job_.label(), QDate::currentDate().toString(Qt::ISODate)),
                      tr("customer-report.pdf"));
    request.defaultSuffix = QStringLiteral("pdf");
    request.folder = QFileInfo(job_.folder).isDir() ? job_.folder : QString();
    const QString path = room_.mainWindow().fileDialogs().askSave(this, request);
    if (path.isEmpty()) return;
    QString error;
    if (writePdf(path, error))
        accept();
    else if (!error.isEmpty())
        room_.inform(this, error);
}

void CustomerReportDialog::print() {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) return;
    const std::optional<CustomerReport> report = compose();
    if (!report) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(paper()));
    printer.setDocName(windowTitle());
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    printCustomerReport(*report, printer);
}

}  // namespace corvane
