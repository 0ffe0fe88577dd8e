#include "readings/recording_viewer.h"

#include <QCoreApplication>

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <limits>

#include "readings/graph_placement.h"
#include "readings/reading_number.h"

namespace corvane {

namespace {
void printLine(const QString& text) {
    const QByteArray bytes = text.toLocal8Bit() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
}

bool platformNobodySees() {
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    return platform.startsWith(QStringLiteral("offscreen")) || platform.startsWith(QStringLiteral("minimal"));
}
}  // namespace

RecordingReader::Result loadRecording(const QString& path, ReadingsHistory& history,
                                      RecordingReader::Progress progress) {
    RecordingReader reader;
    reader.progress = std::move(progress);
    std::vector<double> numbers;
    reader.columns = [&](const std::vector<ReadingColumn>& columns) { history.reset(columns); };
    reader.row = [&](qint64 time, const std::vector<std::string_view>& values) {
        numbers.clear();
        for (std::string_view v : values)
            numbers.push_back(readingNumber(v).value_or(std::numeric_limits<double>::quiet_NaN()));
        history.append(static_cast<double>(time), numbers);
    };
    return reader.read(path);
}

RecordingViewer::RecordingViewer(const QString& path, std::unique_ptr<ReadingsHistory> history,
                                 const QString& comparedPath, std::unique_ptr<ReadingsHistory> compared,
                                 const QStringList& notes)
    : history_(std::move(history)), compared_(std::move(compared)) {
    CReadingsGraph::Services services;
    services.askSavePath = [this](const FileDialogs::Request& request) {
        return dialogs_.askSave(graph_.get(), request);
    };
    services.inform = [this](const QString& text) { QMessageBox::warning(graph_.get(), graph_->windowTitle(), text); };
    graph_ = std::make_unique<CReadingsGraph>(*history_, std::move(services));
    const QString name = QFileInfo(path).fileName();
    graph_->showRecordButton(false);
    QString status = QCoreApplication::translate("corvane::RecordingViewer", "%1 rows, %2 readings")
                         .arg(history_->rows())
                         .arg(history_->columns().size());
    if (compared_) {
        const QString other = QFileInfo(comparedPath).fileName();
        graph_->setComparison(compared_.get(), other);
        graph_->setPageTitle(QCoreApplication::translate("corvane::RecordingViewer", "%1 and %2").arg(name, other));
        status += QCoreApplication::translate("corvane::RecordingViewer", "; %1 drawn paler over it: %2 rows")
                      .arg(other)
                      .arg(compared_->rows());
    } else {
        graph_->setPageTitle(name);
    }
    graph_->setWindowTitle(graph_->pageTitle());
    placeGraphWindow(*graph_, nullptr);
    graph_->setSpan(CReadingsGraph::SpanAll);
    // A note names its file by its whole path; the window has room for the file's name.
    for (QString note : notes) {
        for (const QString& p : {path, comparedPath})
            if (!p.isEmpty() && note.startsWith(p + QLatin1Char(':')))
                note.replace(0, p.size(), QFileInfo(p).fileName());
        status += QLatin1Char('\n') + note;
    }
    graph_->setStatus(status);
}

PlotCommand::PlotCommand(const QStringList& files,
                         const std::function<RecordingReader::Progress(const QString& file)>& progressFor)
    : files_(files) {
    QStringList refusedFiles;
    for (const QString& file : files_) {
        auto history = std::make_unique<ReadingsHistory>();
        const RecordingReader::Result result =
            loadRecording(file, *history, progressFor ? progressFor(file) : RecordingReader::Progress{});
        if (result.stopped) {
            stopped_ = true;
            return;
        }
        for (const QString& fault : result.faults) faults_ << fault;
        for (const QString& note : result.notes) notes_ << note;
        if (result.faults.empty())
            histories_.push_back(std::move(history));
        else
            refusedFiles << file;
    }
    for (const QString& line : faults_ + notes_) printLine(line);
    for (const QString& file : refusedFiles)
        printLine(QCoreApplication::translate("corvane::RecordingViewer",
                                              "corvane: %1 is refused: not a sound recording of readings")
                      .arg(file));
}

bool PlotCommand::windowsInAnyCase() {
    // Someone at a terminal reads a refusal there; a box nobody sees would wait for ever.
    const bool screen = !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    return !::isatty(STDERR_FILENO) && screen && !platformNobodySees();
}

bool PlotCommand::needsWindows() const {
    if (stopped_) return false;
    return !refused() || windowsInAnyCase();
}

int PlotCommand::exec() {
    if (stopped_) return 0;
    if (refused()) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("corvane"),
                        QCoreApplication::translate("corvane::RecordingViewer", "The recording cannot be shown."),
                        QMessageBox::Ok);
        box.setInformativeText(faults_.join(QLatin1Char('\n')));
        box.exec();
        return 1;
    }
    RecordingViewer viewer(files_.value(0), std::move(histories_[0]), files_.value(1),
                           histories_.size() > 1 ? std::move(histories_[1]) : nullptr, notes_);
    viewer.graph().show();
    // Without a window manager nothing else would give it the keys.
    viewer.graph().activateWindow();
    return QApplication::exec();
}

}  // namespace corvane
