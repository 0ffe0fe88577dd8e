#include "readings/recording_viewer.h"

#include <QFileInfo>
#include <QMessageBox>

#include <limits>

#include "readings/reading_number.h"
#include "readings/readings_csv.h"

namespace corvane {

std::vector<QString> loadRecording(const QString& path, ReadingsHistory& history) {
    RecordingReader reader;
    std::vector<double> numbers;
    reader.columns = [&](const std::vector<ReadingColumn>& columns) { history.reset(columns); };
    reader.row = [&](qint64 time, const std::vector<QString>& values) {
        numbers.clear();
        for (const QString& v : values)
            numbers.push_back(readingNumber(v.toStdString()).value_or(std::numeric_limits<double>::quiet_NaN()));
        history.append(static_cast<double>(time), numbers);
    };
    return reader.read(path);
}

RecordingViewer::RecordingViewer(const QString& path, ReadingsHistory history) : history_(std::move(history)) {
    CReadingsGraph::Services services;
    services.askPicturePath = [this](const QString& name) {
        return dialogs_.askSave(graph_.get(), CReadingsGraph::pictureRequest(name));
    };
    services.inform = [this](const QString& text) { QMessageBox::warning(graph_.get(), graph_->windowTitle(), text); };
    graph_ = std::make_unique<CReadingsGraph>(history_, std::move(services));
    graph_->setWindowTitle(QFileInfo(path).fileName());
    graph_->showRecordButton(false);
    graph_->setSpan(CReadingsGraph::SpanAll);
    graph_->setStatus(QStringLiteral("%1 rows, %2 readings").arg(history_.rows()).arg(history_.columns().size()));
}

}  // namespace corvane
