#pragma once
// What goes into a job's customer report: which page reports and graph pictures, the readings of
// which recording (or of the graph window's span it was opened from) for the table of least,
// greatest and mean values, the mechanic's note and the paper; then saved as PDF in the job's
// folder or printed.
#include <QDialog>
#include <QPageSize>

#include <optional>
#include <vector>

#include "jobs/customer_report.h"
#include "jobs/jobs_room.h"

class QComboBox;
class QListWidget;
class QPlainTextEdit;

namespace corvane {

class CustomerReportDialog : public QDialog {
    Q_OBJECT
public:
    CustomerReportDialog(JobsRoom& room, const Job& job, std::optional<GraphForReport> graph,
                         QWidget* parent = nullptr);

    QListWidget* reportsList() const { return reports_; }
    QListWidget* picturesList() const { return pictures_; }
    QComboBox* readingsBox() const { return readings_; }
    QPlainTextEdit* noteEdit() const { return note_; }
    QComboBox* paperBox() const { return paper_; }
    QPageSize::PageSizeId paper() const;

    // The report with what is chosen; none (and the user told why) when a chosen recording
    // cannot be read.
    std::optional<CustomerReport> compose();
    // Writes the PDF to `path` and notes it in the job; false with the reason.
    bool writePdf(const QString& path, QString& error);
    // Asks where, in the job's folder first, and writes the PDF.
    void savePdf();
    void print();

private:
    JobsRoom& room_;
    Job job_;
    std::optional<GraphForReport> graph_;
    std::vector<JobFile> files_;
    QListWidget* reports_;
    QListWidget* pictures_;
    QComboBox* readings_;
    QPlainTextEdit* note_;
    QComboBox* paper_;
};

}  // namespace corvane
