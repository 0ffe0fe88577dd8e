#include "jobs/customer_report.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QLocale>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>

#include "jobs/plain_files.h"
#include "platform/cp1252.h"
#include "readings/readings_readout.h"

namespace corvane {

namespace {
constexpr qint64 kMostReportBytes = 1 << 20;
// QTextDocument::print keeps 2 cm on every side; the layout counts 96 pixels an inch.
constexpr double kPrintMarginMm = 20;
constexpr double kLayoutDpi = 96;
constexpr int kLogoHeight = 64;

QString html(const QString& text) { return text.toHtmlEscaped(); }

// Line ends kept, long lines wrapped at the page's edge rather than cut off.
QString preformatted(const QString& text, bool monospace) {
    return QStringLiteral("<p style=\"white-space: pre-wrap;%1\">%2</p>")
        .arg(monospace ? QStringLiteral(" font-family: 'Liberation Mono', 'DejaVu Sans Mono', monospace;") : QString(),
             html(text));
}

QString dayAndTime(const QDateTime& t) { return t.toString(QStringLiteral("yyyy-MM-dd HH:mm")); }

QString spanText(double from, double to) {
    return QCoreApplication::translate("corvane::CustomerReport", "%1 to %2 (%3)")
        .arg(momentText(from, true), momentText(to, true), durationText(to - from));
}

QString valueText(const ReadingsTable::Row& row, double value) {
    return (row.exact ? QString() : QStringLiteral("~")) + readingText(value);
}

QString headerHtml(const WorkshopHeader& workshop) {
    if (workshop.empty()) return {};
    QString cells;
    if (!workshop.logo.isNull())
        cells += QStringLiteral("<td valign=\"top\"><img src=\"corvane:logo\" height=\"%1\"></td>").arg(kLogoHeight);
    QString address = html(workshop.address);
    address.replace(QLatin1Char('\n'), QLatin1String("<br>"));
    cells += QStringLiteral(
                 "<td align=\"right\" valign=\"top\"><span style=\"font-size: 14pt; font-weight: bold;\">%1"
                 "</span><br>%2</td>")
                 .arg(html(workshop.name), address);
    return QStringLiteral("<table width=\"100%\" cellspacing=\"0\"><tr>%1</tr></table><hr>").arg(cells);
}

QString vehicleHtml(const CustomerReport& report) {
    const Job& job = report.job;
    QString rows;
    const auto row = [&rows](const QString& name, const QString& value) {
        if (!value.trimmed().isEmpty())
            rows += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>").arg(name, html(value.trimmed()));
    };
    row(QCoreApplication::translate("corvane::CustomerReport", "Registration"), job.registration);
    row(QCoreApplication::translate("corvane::CustomerReport", "VIN"), job.vin);
    row(QCoreApplication::translate("corvane::CustomerReport", "Customer"), job.customer);
    row(QCoreApplication::translate("corvane::CustomerReport", "Job opened"), dayAndTime(job.created));
    row(QCoreApplication::translate("corvane::CustomerReport", "Report made"), dayAndTime(report.made));
    return QStringLiteral("<table cellspacing=\"0\" cellpadding=\"3\">%1</table>").arg(rows);
}

QString readingsHtml(const ReadingsTable& table) {
    // The heading row comes again on each page the table runs over.
    QString out = QStringLiteral("<h2>%1</h2><p>%2, %3</p>")
                      .arg(html(QCoreApplication::translate("corvane::CustomerReport", "Readings")), html(table.source),
                           spanText(table.from, table.to));
    out += QStringLiteral(
               "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\" width=\"100%\" style=\"border-collapse: "
               "collapse;\"><thead><tr><th align=\"left\">%1</th><th align=\"right\">%2</th><th align=\"right\">%3</th>"
               "<th align=\"right\">%4</th><th align=\"right\">%5</th></tr></thead>")
               .arg(html(QCoreApplication::translate("corvane::CustomerReport", "Reading")),
                    html(QCoreApplication::translate("corvane::CustomerReport", "Least")),
                    html(QCoreApplication::translate("corvane::CustomerReport", "Greatest")),
                    html(QCoreApplication::translate("corvane::CustomerReport", "Mean")),
                    html(QCoreApplication::translate("corvane::CustomerReport", "Values")));
    bool approximate = false;
    for (const ReadingsTable::Row& row : table.rows) {
        approximate = approximate || (!row.exact && row.count > 0);
        const bool any = row.count > 0;
        out += QStringLiteral(
                   "<tr><td>%1</td><td align=\"right\">%2</td><td align=\"right\">%3</td>"
                   "<td align=\"right\">%4</td><td align=\"right\">%5</td></tr>")
                   .arg(html(row.reading), any ? valueText(row, row.least) : QStringLiteral("-"),
                        any ? valueText(row, row.greatest) : QStringLiteral("-"),
                        any ? valueText(row, row.mean) : QStringLiteral("-"))
                   .arg(row.count);
    }
    out += QStringLiteral("</table>");
    if (approximate)
        out += QStringLiteral("<p>%1</p>")
                   .arg(html(QCoreApplication::translate(
                       "corvane::CustomerReport",
                       "~ the span reaches back beyond the readings kept one by one: the value covers a few "
                       "readings more at its ends.")));
    return out;
}

QString documentHtml(const CustomerReport& report, int textWidth) {
    QString out = QStringLiteral("<html><body>");
    out += headerHtml(report.workshop);
    out += QStringLiteral("<h1>%1</h1>")
               .arg(html(QCoreApplication::translate("corvane::CustomerReport", "Customer report"))) +
           vehicleHtml(report);
    if (!report.reports.empty()) {
        out += QStringLiteral("<h2>%1</h2>")
                   .arg(html(QCoreApplication::translate("corvane::CustomerReport", "Page reports")));
        for (const CustomerReport::PageReport& r : report.reports)
            out +=
                QStringLiteral("<h3>%1, %2</h3>").arg(html(r.name), dayAndTime(r.saved)) + preformatted(r.text, true);
    }
    if (!report.pictures.empty()) {
        out += QStringLiteral("<h2>%1</h2>")
                   .arg(html(QCoreApplication::translate("corvane::CustomerReport", "Graph pictures")));
        for (std::size_t i = 0; i < report.pictures.size(); ++i) {
            const CustomerReport::Picture& p = report.pictures[i];
            const int width = std::min(textWidth, std::max(1, p.image.width()));
            out += QStringLiteral("<p><b>%1</b></p><p><img src=\"corvane:picture/%2\" width=\"%3\"></p>")
                       .arg(html(p.caption))
                       .arg(i)
                       .arg(width);
        }
    }
    if (report.readings) out += readingsHtml(*report.readings);
    if (!report.note.trimmed().isEmpty())
        out += QStringLiteral("<h2>%1</h2>").arg(html(QCoreApplication::translate("corvane::CustomerReport", "Note"))) +
               preformatted(report.note.trimmed(), false);
    return out + QStringLiteral("</body></html>");
}

// The width of the text on the page, in layout pixels.
int textWidthFor(const QPageSize& page) {
    const double mm = page.size(QPageSize::Millimeter).width() - 2 * kPrintMarginMm;
    return static_cast<int>(mm / 25.4 * kLayoutDpi);
}
}  // namespace

ReadingsTable readingsTable(const ReadingsHistory& history, double from, double to, const QString& source) {
    ReadingsTable table;
    table.source = source;
    table.from = std::min(from, to);
    table.to = std::max(from, to);
    for (std::size_t c = 0; c < history.columns().size(); ++c) {
        const ReadingStats stats = history.stats(c, table.from, table.to);
        ReadingsTable::Row row;
        row.reading = history.columns()[c].title();
        row.count = stats.count;
        row.least = stats.low;
        row.greatest = stats.high;
        row.mean = stats.mean;
        row.exact = stats.exact;
        table.rows.push_back(row);
    }
    return table;
}

CustomerReport::PageReport pageReportFromFile(const QString& path, const QString& name, const QDateTime& saved) {
    const QByteArray bytes = readSmallFile(path, kMostReportBytes);
    QString text = decodeCp1252(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return {name, saved, text};
}

std::unique_ptr<QTextDocument> customerReportDocument(const CustomerReport& report, const QPageSize& page) {
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(QFont(QStringLiteral("Liberation Sans"), 10));
    document->setDefaultStyleSheet(QStringLiteral(
        "h1 { font-size: 16pt; } h2 { font-size: 13pt; } h3 { font-size: 10pt; } th { background: #e0e0e0; }"));
    if (!report.workshop.logo.isNull())
        document->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("corvane:logo")), report.workshop.logo);
    for (std::size_t i = 0; i < report.pictures.size(); ++i)
        document->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("corvane:picture/%1").arg(i)),
                              report.pictures[i].image);
    document->setHtml(documentHtml(report, textWidthFor(page)));
    return document;
}

void printCustomerReport(const CustomerReport& report, QPagedPaintDevice& printer) {
    // The document keeps its own margins.
    printer.setPageMargins(QMarginsF(0, 0, 0, 0));
    customerReportDocument(report, printer.pageLayout().pageSize())->print(&printer);
}

QByteArray customerReportPdf(const CustomerReport& report, QPageSize::PageSizeId page) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        writer.setCreator(QStringLiteral("Corvane"));
        writer.setTitle(
            QCoreApplication::translate("corvane::CustomerReport", "Customer report %1").arg(report.job.label()));
        writer.setPageSize(QPageSize(page));
        printCustomerReport(report, writer);
    }
    return bytes;
}

QPageSize::PageSizeId defaultPaper() {
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4;
}

}  // namespace corvane
