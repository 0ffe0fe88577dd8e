// The customer report as PDF, read back with poppler's tools as a customer's viewer would: the
// text found in it, its pages' size and its pictures.
#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>

#include <cmath>

#include "jobs/customer_report.h"
#include "temp_dir.h"

using namespace corvane;
using namespace corvane::test;

namespace {
// What a poppler tool prints for the arguments.
QString poppler(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QImage picture(QColor colour) {
    QImage image(800, 300, QImage::Format_RGB32);
    image.fill(colour);
    QPainter(&image).fillRect(100, 100, 50, 50, Qt::white);
    return image;
}

// Two readings, a row every 100 ms: a ramp 0..99 and a battery with one dip at row 50.
void fillHistory(ReadingsHistory& history) {
    history.reset(
        {{QStringLiteral("Engine speed"), QStringLiteral("rpm")}, {QStringLiteral("Battery"), QStringLiteral("V")}});
    for (int i = 0; i < 100; ++i)
        history.append(1765274400000.0 + 100.0 * i, {static_cast<double>(i), i == 50 ? 9.5 : 14.0});
}
}  // namespace

TEST(CustomerReport, TheTableHoldsTheLeastGreatestAndMeanOfTheChosenSpanOnly) {
    ReadingsHistory history;
    fillHistory(history);
    // Rows 20..60 inclusive.
    const ReadingsTable table = readingsTable(history, 1765274400000.0 + 6000, 1765274400000.0 + 2000, "Live data");
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.from, 1765274400000.0 + 2000) << "the span in order whichever cursor came first";
    EXPECT_EQ(table.rows[0].reading, QStringLiteral("Engine speed [rpm]"));
    EXPECT_EQ(table.rows[0].count, 41u);
    EXPECT_EQ(table.rows[0].least, 20);
    EXPECT_EQ(table.rows[0].greatest, 60);
    EXPECT_DOUBLE_EQ(table.rows[0].mean, 40);
    EXPECT_TRUE(table.rows[0].exact);
    EXPECT_EQ(table.rows[1].least, 9.5);
    EXPECT_NEAR(table.rows[1].mean, (40 * 14.0 + 9.5) / 41, 1e-9);
}

TEST(CustomerReport, PdfHoldsTheWorkshopVehicleReportsPicturesAndTableOnA4AndLetter) {
    TempDir dir;
    // A page report as the unit wrote it: Windows-1252 bytes, CR LF, and a line far wider than
    // the page, whose last word must not be cut off.
    const QString reportPath = QString::fromStdString((dir.path() / "report.txt").string());
    {
        QFile f(reportPath);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Engine speed: 812\r\nGarage M\xfcller \x80 5\r\n");
        for (int i = 0; i < 40; ++i) f.write("P0300 ");
        f.write("LASTWORD\r\n");
    }
    CustomerReport report;
    report.workshop.name = QStringLiteral("Smith & Sons Motors");
    report.workshop.address = QStringLiteral("1 High Street\nLowtown");
    report.workshop.logo = picture(Qt::darkBlue);
    report.job.registration = QStringLiteral("AB-123-CD");
    report.job.vin = QStringLiteral("WVWZZZ1JZXW000001");
    report.job.customer = QStringLiteral("J\u00f6rg <Lee>");
    report.job.created = QDateTime(QDate(2026, 12, 9), QTime(8, 30));
    report.made = QDateTime(QDate(2026, 12, 9), QTime(11, 0));
    report.reports.push_back(pageReportFromFile(reportPath, QStringLiteral("report.txt"), report.made));
    report.pictures.push_back({QStringLiteral("Live data, 2026-12-09 10:00:00 to 10:00:10"), picture(Qt::darkGreen)});
    report.pictures.push_back({QStringLiteral("Fuel pump"), picture(Qt::darkRed)});
    ReadingsHistory history;
    fillHistory(history);
    report.readings = readingsTable(history, history.firstTime(), history.lastTime(), QStringLiteral("Live data"));
    report.note = QStringLiteral("Battery replaced.\nCheck again in spring.");

    for (const auto& [paper, size] : {std::pair{QPageSize::A4, QStringLiteral("595 x 842 pts (A4)")},
                                      std::pair{QPageSize::Letter, QStringLiteral("612 x 792 pts (letter)")}}) {
        SCOPED_TRACE(size.toStdString());
        const QByteArray pdf = customerReportPdf(report, paper);
        ASSERT_TRUE(pdf.startsWith("%PDF"));
        const QString path = QString::fromStdString((dir.path() / "report.pdf").string());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(pdf) == pdf.size());
        file.close();
        const QString info = poppler(QStringLiteral("pdfinfo"), {path});
        EXPECT_TRUE(info.contains(QStringLiteral("Page size:       %1").arg(size))) << info.toStdString();
        const QString text =
            poppler(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
        for (const QString& expected :
             {QStringLiteral("Smith & Sons Motors"), QStringLiteral("Lowtown"), QStringLiteral("AB-123-CD"),
              QStringLiteral("WVWZZZ1JZXW000001"), QStringLiteral("J\u00f6rg <Lee>"),
              QStringLiteral("Engine speed: 812"), QStringLiteral("Garage M\u00fcller \u20ac 5"),
              QStringLiteral("LASTWORD"), QStringLiteral("Live data, 2026-12-09 10:00:00 to 10:00:10"),
              QStringLiteral("Check again in spring.")})
            EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << " missing from:\n" << text.toStdString();
        // The table's rows: reading, least, greatest, mean, how many values.
        const QRegularExpression speed(QStringLiteral("Engine speed \\[rpm\\] +0 +99 +49.5 +100"));
        const QRegularExpression battery(QStringLiteral("Battery \\[V\\] +9.5 +14 +13.955 +100"));
        EXPECT_TRUE(text.contains(speed)) << text.toStdString();
        EXPECT_TRUE(text.contains(battery)) << text.toStdString();
        const QString images = poppler(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path});
        EXPECT_EQ(images.count(QStringLiteral("image")), 3) << "the logo and both pictures:\n" << images.toStdString();
    }
}
