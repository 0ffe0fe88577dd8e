// The German texts fit the controls that show them at the skin's sizes: no caption wider than
// the room its button gives it, no label line wider than its label, no status text wider than
// the status line of a window in its normal size; the workshop jobs' windows and dialogs open
// at their own sizes with nothing cut short. In German too, the unit's texts and the jobs' files
// stay as they are.
#include <QDir>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTextDocument>
#include <QTranslator>

#include <gtest/gtest.h>

#include "controls/corv_button.h"
#include "controls/corv_message_box.h"
#include "controls/corv_static.h"
#include "jobs/customer_report.h"
#include "jobs/customer_report_dialog.h"
#include "jobs/job_band_label.h"
#include "jobs/job_dialog.h"
#include "jobs/jobs_room.h"
#include "jobs/plain_files.h"
#include "jobs/workshop_dialog.h"
#include "readings/graph_window.h"
#include "main_window_fixture.h"
#include "platform/cp1252.h"
#include "screens/main_frame_geometry.h"
#include "screens/status_line.h"
#include "screens/transport_tool.h"
#include "shell/com_setting.h"
#include "shell/connection_texts.h"
#include "shell/shell_message_box.h"

namespace corvane {
namespace {

// Every control under `top` whose text does not fit, with the text and the room it has.
std::vector<std::string> tooWide(QWidget& top) {
    std::vector<std::string> faults;
    auto fault = [&](const QString& text, int width, int room) {
        faults.push_back(text.toStdString() + " (" + std::to_string(width) + " px in " + std::to_string(room) + ")");
    };
    for (CCorvButton* button : top.findChildren<CCorvButton*>()) {
        const int room = button->captionRoom();
        const int width = QFontMetrics(button->shownCaptionFont())
                              .size(Qt::TextSingleLine | Qt::TextShowMnemonic, button->text())
                              .width();
        if (room > 0 && width > room) fault(button->text(), width, room);
    }
    for (CCorvStatic* label : top.findChildren<CCorvStatic*>()) {
        for (const QString& line :
             decodeCp1252(label->text()).split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
            const int width = CCorvStatic::shownWidth(encodeCp1252(line), CCorvStatic::labelFont());
            if (width > label->width()) fault(line, width, label->width());
        }
    }
    for (QPushButton* key : top.findChildren<QPushButton*>()) {
        const int width = QFontMetrics(key->font()).horizontalAdvance(key->text());
        if (width > key->width() - 4) fault(key->text(), width, key->width() - 4);
    }
    return faults;
}

// What is cut short when `window` opens at the size it was given: the window grown past that
// size by what it holds, a button or label narrower than its text, or outside what shows it
// (a fixed-width panel), a column narrower than its heading.
std::vector<std::string> cramped(QWidget& window) {
    std::vector<std::string> faults;
    const QString name = window.windowTitle() + QStringLiteral(": ");
    const QSize given = window.size();
    window.show();
    QCoreApplication::processEvents();
    if (window.width() > given.width())
        faults.push_back(
            (name + QStringLiteral("%1 px wide, not %2")).arg(window.width()).arg(given.width()).toStdString());
    for (QWidget* w : window.findChildren<QWidget*>()) {
        auto* button = qobject_cast<QAbstractButton*>(w);
        auto* label = qobject_cast<QLabel*>(w);
        const QString text = button ? button->text() : label && !label->wordWrap() ? label->text() : QString();
        if (text.isEmpty() || !w->isVisibleTo(&window)) continue;
        if (w->width() < w->minimumSizeHint().width())
            faults.push_back((name + text + QStringLiteral(" (%1 px of %2)"))
                                 .arg(w->width())
                                 .arg(w->minimumSizeHint().width())
                                 .toStdString());
        QRect inside = w->geometry();
        for (QWidget* p = w->parentWidget(); p && p != &window; inside.translate(p->pos()), p = p->parentWidget())
            if (!p->rect().contains(inside)) {
                faults.push_back(
                    (name + text + QStringLiteral(" (outside its ") + p->metaObject()->className() + QLatin1Char(')'))
                        .toStdString());
                break;
            }
    }
    for (QHeaderView* header : window.findChildren<QHeaderView*>()) {
        if (header->orientation() != Qt::Horizontal || !header->isVisibleTo(&window)) continue;
        for (int i = 0; i + 1 < header->count(); ++i)  // the last one stretches
            if (header->sectionSize(i) < header->sectionSizeHint(i))
                faults.push_back((name + header->model()->headerData(i, Qt::Horizontal).toString() +
                                  QStringLiteral(" (%1 px of %2)"))
                                     .arg(header->sectionSize(i))
                                     .arg(header->sectionSizeHint(i))
                                     .toStdString());
    }
    window.hide();
    return faults;
}

std::string joined(const std::vector<std::string>& faults) {
    std::string all;
    for (const std::string& f : faults) all += "\n  " + f;
    return all;
}

QString qpath(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

class GermanTexts : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(german_.load(QStringLiteral(":/i18n/corvane_de.qm")));
        QCoreApplication::installTranslator(&german_);
    }
    void TearDown() override { QCoreApplication::removeTranslator(&german_); }

private:
    QTranslator german_;
};

TEST_F(GermanTexts, FitTheirControls) {
    ASSERT_EQ(QCoreApplication::translate("corvane::StatusLine", kStatusReady), QStringLiteral("Corvane bereit..."));

    test::MainWindowSandbox sandbox;
    std::unique_ptr<test::TestedMainWindow> window = sandbox.start();
    EXPECT_EQ(joined(tooWide(*window)), "");

    // Every status text, in the status line of a window in its normal size.
    const QSize normal = test::TestedMainWindow::normalSize();
    const int statusRoom = mainFrameLayout(normal.width(), normal.height()).statusText.width();
    std::vector<std::string> statusFaults;
    for (const char* source :
         {kStatusNotConnected, kStatusConnected, kStatusCommunicationError, kStatusOpenAtStart, kStatusStandbyAtStart,
          kStatusUnplugged, kStatusOpen, kStatusStandby, kStatusNoLongerFound}) {
        const QString shown = QCoreApplication::translate("corvane::ConnectionSupervisor", source);
        const int width = CCorvStatic::shownWidth(encodeCp1252(shown), CCorvStatic::labelFont());
        if (width > statusRoom) statusFaults.push_back(shown.toStdString());
    }
    for (const char* source : {kStatusReady, kStatusBusy, kStatusKeyPadWait, kStatusChoiceNotDelivered}) {
        const QString shown = QCoreApplication::translate("corvane::StatusLine", source);
        if (CCorvStatic::shownWidth(encodeCp1252(shown), CCorvStatic::labelFont()) > statusRoom)
            statusFaults.push_back(shown.toStdString());
    }
    const std::string silent = silentUnitText(59);
    if (CCorvStatic::shownWidth(silent, CCorvStatic::labelFont()) > statusRoom) statusFaults.push_back(silent);
    EXPECT_EQ(joined(statusFaults), "");

    // The dialogs and boxes of the program's own, and the unit's boxes with their buttons.
    CComSetting comSetting(nullptr, PortConfigFile(sandbox.dir() / "com.cfg"), WindowState::Normal, false);
    comSetting.OnInitDialog();
    EXPECT_EQ(joined(tooWide(comSetting)), "");
    for (CCorvNoticeBox::Kind kind : {CCorvNoticeBox::YesNo, CCorvNoticeBox::Ok}) {
        CCorvNoticeBox box("?", kind, nullptr);
        EXPECT_EQ(joined(tooWide(box)), "");
    }
    for (int type : {MessageBoxYesNo, MessageBoxOk, MessageBoxComputerUnit}) {
        CCorvMessageBox box(nullptr);
        box.Create("?", type, nullptr);
        EXPECT_EQ(joined(tooWide(box)), "");
    }
    CTransportTool keyPad(nullptr);
    EXPECT_EQ(joined(tooWide(keyPad)), "");
}

// The jobs room: the job's line in the title band whole in its widest room, the status text in
// the status line, and its windows and dialogs at the sizes they open at.
TEST_F(GermanTexts, FitTheJobsRoom) {
    test::MainWindowSandbox sandbox;
    std::unique_ptr<test::TestedMainWindow> window = sandbox.start();
    JobsRoom room(*window, nullptr, qpath(sandbox.dir() / "data" / "jobs"), qpath(sandbox.dir() / "data"));
    Job fields;
    fields.registration = QStringLiteral("AB-123-CD");
    fields.customer = QStringLiteral("Anna Smith");
    const std::optional<Job> job = room.createJob(fields);
    ASSERT_TRUE(job);
    room.clearCurrent();
    const int statusRoom =
        mainFrameLayout(test::TestedMainWindow::normalSize().width(), test::TestedMainWindow::normalSize().height())
            .statusText.width();
    EXPECT_LE(CCorvStatic::shownWidth(window->statusText(), CCorvStatic::labelFont()), statusRoom)
        << window->statusText();

    room.makeCurrent(*job);
    ASSERT_TRUE(QDir(job->folder).removeRecursively());
    room.saveFolder();  // finds the folder gone
    const CJobBandLabel* band = window->findChild<CJobBandLabel*>();
    ASSERT_NE(band, nullptr);
    ASSERT_TRUE(room.bandText().contains(QStringLiteral("Ordner"))) << room.bandText().toStdString();
    EXPECT_LE(band->fontMetrics().horizontalAdvance(room.bandText()), CJobBandLabel::kWidest)
        << room.bandText().toStdString();

    const std::optional<Job> other = room.createJob(fields);
    ASSERT_TRUE(other);
    QString error;
    const QString recording = other->folder + QStringLiteral("/run.csv");
    ASSERT_TRUE(writeFileAtomically(recording,
                                    "time,Battery [V]\r\n2026-12-09T10:00:00.000+01:00,12\r\n"
                                    "2026-12-09T10:00:01.000+01:00,13\r\n",
                                    error));
    window->fileDialogs().noteSaved(recording, SavedFile::Recording, QStringLiteral("Live data"));
    room.openJobWindow();
    CJobsWindow& jobs = *room.jobWindow();
    jobs.resize(960, 600);  // as it opens on any screen of that width or more
    EXPECT_EQ(joined(cramped(jobs)), "");
    jobs.openChosenFile();
    ASSERT_EQ(room.recordingGraphs().size(), 1u) << "the graph window with its customer report button";
    EXPECT_EQ(joined(cramped(*room.recordingGraphs().front())), "");

    JobDialog newJob(Job{}, true);
    EXPECT_EQ(joined(cramped(newJob)), "");
    WorkshopDialog workshop(room.workshopFolder());
    EXPECT_EQ(joined(cramped(workshop)), "");
    ReadingsHistory live;
    live.reset({{QStringLiteral("Battery"), QStringLiteral("V")}});
    live.append(0, {12});
    CustomerReportDialog report(room, *other,
                                GraphForReport{&live, 0, 0, QStringLiteral("Live data"),
                                               QImage(40, 30, QImage::Format_RGB32), QStringLiteral("Live data")});
    EXPECT_EQ(joined(cramped(report)), "");
}

// German is the program's own words only: the unit's report and reading names reach the
// customer report as they came, and the jobs' files keep the words other programs read.
TEST_F(GermanTexts, LeaveTheUnitsTextsAndTheJobsFilesAlone) {
    const test::TempDir dir;
    JobStore store(qpath(dir / "jobs"));
    Job fields;
    fields.registration = QStringLiteral("AB-123-CD");
    QString error;
    const std::optional<Job> job = store.create(fields, error);
    ASSERT_TRUE(job) << error.toStdString();
    ASSERT_TRUE(store.note(*job, {QDateTime::currentDateTime(), SavedFile::Report, job->folder + "/r.txt", {}}, error));
    const QByteArray metadata = readSmallFile(job->folder + QStringLiteral("/job.txt"));
    EXPECT_TRUE(metadata.contains("\nregistration=AB-123-CD\n") && metadata.contains("\nvin=\n")) << metadata.data();
    EXPECT_TRUE(readSmallFile(job->folder + QStringLiteral("/saved-files.txt")).contains("\treport\tr.txt\t"));
    EXPECT_EQ(savedFileTitle(SavedFile::Report, {}), QStringLiteral("Seitenbericht"));

    CustomerReport report;
    report.job = *job;
    report.made = QDateTime::currentDateTime();
    const std::string unitBytes = encodeCp1252(QStringLiteral("Öltemperatur: 90 °C\r\n"));  // Windows-1252
    ASSERT_TRUE(
        writeFileAtomically(job->folder + QStringLiteral("/r.txt"), QByteArray::fromStdString(unitBytes), error));
    report.reports.push_back(pageReportFromFile(job->folder + QStringLiteral("/r.txt"), "r.txt", report.made));
    ReadingsHistory history;
    history.reset({{QStringLiteral("Engine speed"), QStringLiteral("rpm")}});
    history.append(0, {800});
    report.readings = readingsTable(history, 0, 0, QStringLiteral("Live data"));
    const QString text = customerReportDocument(report, QPageSize(QPageSize::A4))->toPlainText();
    for (const QString& shown :
         {QStringLiteral("Kundenbericht"), QStringLiteral("Kennzeichen"), QStringLiteral("Kleinster"),
          QStringLiteral("Öltemperatur: 90 °C\n"), QStringLiteral("Engine speed [rpm]"), QStringLiteral("Live data")})
        EXPECT_TRUE(text.contains(shown)) << shown.toStdString() << " not in\n" << text.toStdString();
}

}  // namespace
}  // namespace corvane
