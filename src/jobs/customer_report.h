#pragma once
// The customer report of a job: the workshop's header, the vehicle and customer, the unit's page
// reports, chosen graph pictures with their time span, the least, greatest and mean value of each
// reading over a chosen span, and the mechanic's note. Laid out as a rich text document and
// written as PDF with Qt's own writer, or printed; the page size (A4 or Letter) sets the width
// the text is laid out to, long lines wrap, and the pages are numbered.
#include <QDateTime>
#include <QImage>
#include <QPageSize>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

#include "jobs/job_store.h"
#include "jobs/workshop_header.h"
#include "readings/readings_history.h"

class QPagedPaintDevice;
class QTextDocument;

namespace corvane {

// Each reading's least, greatest and mean value over a span.
struct ReadingsTable {
    struct Row {
        QString reading;  // "Engine speed [rpm]"
        std::size_t count = 0;
        double least = 0, greatest = 0, mean = 0;
        bool exact = true;  // false: summaries of older rows reach beyond the span's ends
    };
    QString source;           // the page or the recording
    double from = 0, to = 0;  // milliseconds since the epoch
    std::vector<Row> rows;
};

ReadingsTable readingsTable(const ReadingsHistory& history, double from, double to, const QString& source);

struct CustomerReport {
    struct PageReport {
        QString name;
        QDateTime saved;
        QString text;
    };
    struct Picture {
        QString caption;  // what it shows and its time span
        QImage image;
    };
    WorkshopHeader workshop;
    Job job;
    QDateTime made;
    std::vector<PageReport> reports;
    std::vector<Picture> pictures;
    std::optional<ReadingsTable> readings;
    QString note;
};

// A page report saved from the unit: its bytes are Windows-1252.
CustomerReport::PageReport pageReportFromFile(const QString& path, const QString& name, const QDateTime& saved);

// The report as a document laid out for the page size (pictures no wider than the text).
std::unique_ptr<QTextDocument> customerReportDocument(const CustomerReport& report, const QPageSize& page);
// The report as PDF bytes.
QByteArray customerReportPdf(const CustomerReport& report, QPageSize::PageSizeId page);
// Prints the report on a printer set up by its dialog, laid out for the printer's paper.
void printCustomerReport(const CustomerReport& report, QPagedPaintDevice& printer);
// A4, or Letter where the locale measures in inches.
QPageSize::PageSizeId defaultPaper();

}  // namespace corvane
