#include "readings/readings_room.h"

#include <QCoreApplication>

#include <QRegularExpression>

#include <cmath>
#include <limits>

#include "platform/cp1252.h"
#include "platform/resource_ids.h"
#include "readings/graph_placement.h"
#include "readings/reading_number.h"
#include "screens/corvane_new_dlg.h"

namespace corvane {

namespace {
// Right of the "info" button (455..500) in the title band, below the caption buttons.
constexpr int kButtonLeft = 505, kButtonTop = 24, kButtonRight = 550, kButtonBottom = 74;
constexpr int kButtonIconSize = 40;
constexpr qint64 kStatusEveryMs = 250;

std::vector<double> numbersOf(const std::vector<std::string>& values) {
    std::vector<double> numbers;
    numbers.reserve(values.size());
    for (const std::string& v : values)
        numbers.push_back(readingNumber(v).value_or(std::numeric_limits<double>::quiet_NaN()));
    return numbers;
}

QString rowsText(std::size_t rows) {
    return rows == 1 ? QCoreApplication::translate("corvane::ReadingsRoom", "1 row")
                     : QCoreApplication::translate("corvane::ReadingsRoom", "%1 rows").arg(rows);
}
}  // namespace

ReadingsRoom::ReadingsRoom(CCorvaneNewDlg& window, TimeOfArrival timeOfArrival)
    : window_(window), timeOfArrival_(std::move(timeOfArrival)), indicator_(new CRecordingIndicator(&window)) {
    rebaseTimes();
    statusLater_.setSingleShot(true);
    connect(&statusLater_, &QTimer::timeout, this, [this] { showRecordingStatus(true); });
    graphButton_.Create(encodeCp1252(tr("graph")), ButtonStyle::IconFace | ButtonStyle::Framed, kButtonLeft, kButtonTop,
                        kButtonRight, kButtonBottom, &window_, IDC_MAIN_GRAPH);
    graphButton_.SetIcons(IDI_FUNCTION_GRAPH, kButtonIconSize, kButtonIconSize, IDI_FUNCTION_GRAPH, kButtonIconSize,
                          kButtonIconSize, IDI_FUNCTION_GRAPH, kButtonIconSize, kButtonIconSize);
    graphButton_.SetBackColour(ColourPanel);
    graphButton_.setObjectName(QStringLiteral("bandRoomButton"));  // in the window's Tab chain after "info"
    graphButton_.setToolTip(tr("Graph of the page's readings, and recording"));
    connect(&graphButton_, &CCorvButton::command, this, [this](int) { openGraph(); });
    connect(&window_, &CCorvaneNewDlg::messageHandled, this, &ReadingsRoom::onMessageHandled);
    connect(&window_, &CCorvaneNewDlg::valuesShown, this, &ReadingsRoom::onReadings);
    connect(&window_, &CCorvaneNewDlg::connectionChanged, this, [this] {
        if (window_.connected()) return;
        history_.markGap();  // the lines break across the time the unit was away
        if (recording()) stopRecording(tr("the unit is gone"));
    });
}

ReadingsRoom::~ReadingsRoom() {
    stopRecording(tr("the program closed"));
    delete graph_.data();
    delete indicator_.data();
}

void ReadingsRoom::openGraph() {
    if (!graph_) {
        CReadingsGraph::Services services;
        services.askSavePath = [this](const FileDialogs::Request& request) {
            return window_.fileDialogs().askSave(graph_.data(), request);
        };
        services.inform = [this](const QString& text) { window_.informUser(encodeCp1252(text)); };
        services.saved = [this](const QString& path, SavedFile kind, const QString& detail) {
            window_.fileDialogs().noteSaved(path, kind, detail);
        };
        graph_ = new CReadingsGraph(history_, std::move(services), &window_);
        connect(graph_.data(), &CReadingsGraph::recordClicked, this, &ReadingsRoom::askAndRecord);
        connect(graph_.data(), &CReadingsGraph::stopClicked, this, [this] { stopRecording(); });
        followPage(readOpenPage(window_.pageChoices()));
        graph_->setPageTitle(historyPage_ < 0 ? QString() : pageTitle_);
        placeGraphWindow(*graph_, &window_);
        graph_->setRecording(recording());
        showRecordingStatus(true);
        emit graphOpened(graph_.data());
    }
    graph_->show();
    graph_->raise();
    graph_->activateWindow();
}

bool ReadingsRoom::followPage(const PageReadings& page) {
    if (page.pageIndex == historyPage_ && page.columns == history_.columns()) return false;
    // The page left keeps its history for when it is shown again.
    histories_.exchange(historyPage_ < 0 ? std::nullopt : std::optional(historyPageId_), history_,
                        page.pageIndex < 0 ? std::nullopt : std::optional(page.pageId), page.columns);
    historyPage_ = page.pageIndex;
    historyPageId_ = page.pageId;
    pageTitle_ = page.title;
    if (graph_) {
        graph_->setPageTitle(page.pageIndex < 0 ? QString() : page.title);
        graph_->historyReset();
    }
    return true;
}

void ReadingsRoom::rebaseTimes() {
    wallBase_ = QDateTime::currentDateTime();
    linkBase_ = LinkClock::now();
}

QDateTime ReadingsRoom::wallTime(LinkClock::time_point arrival) const {
    if (timeOfArrival_) return timeOfArrival_(arrival);
    return wallBase_.addMSecs(std::chrono::duration_cast<std::chrono::milliseconds>(arrival - linkBase_).count());
}

void ReadingsRoom::onMessageHandled() {
    // Any message may have opened another page (a menu item, the unit's page jump, a new menu).
    if (window_.pageChoices().currentPageIndex() == historyPage_) return;
    if (recording()) stopRecording(tr("the page closed"));
    followPage(readOpenPage(window_.pageChoices()));
}

void ReadingsRoom::onReadings(const std::vector<ShownValues>& readings) {
    const PageReadings page = readOpenPage(window_.pageChoices());
    if (page.pageIndex < 0) return;
    // The rows must match the header: a page rebuilt with other boxes ends the recording too.
    if (recording() && (page.pageIndex != recordedPage_ || page.columns != recordedColumns_))
        stopRecording(tr("the page closed"));
    followPage(page);
    for (const ShownValues& reading : readings) {
        const QDateTime time = wallTime(reading.arrival);
        history_.append(static_cast<double>(time.toMSecsSinceEpoch()), numbersOf(reading.values));
        if (!recording()) continue;
        if (!recorder_.write(time, reading.values)) endWithFailure();
    }
    if (graph_) graph_->historyGrew();
    if (recording()) showRecordingStatus(false);
}

QString ReadingsRoom::proposedName(const QString& pageTitle, const QDateTime& time) {
    static const QRegularExpression unsafe(QStringLiteral(R"([/\\:*?"<>|\x00-\x1f]+)"));
    QString title = pageTitle.trimmed();
    title.replace(unsafe, QStringLiteral("-"));
    if (title.isEmpty()) title = QStringLiteral("readings");
    return QStringLiteral("%1 %2.csv").arg(title, time.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss")));
}

void ReadingsRoom::askAndRecord() {
    if (recording()) return;
    if (!window_.connected()) {
        startRecording(QString());  // says why
        return;
    }
    const PageReadings page = readOpenPage(window_.pageChoices());
    if (page.columns.empty()) {
        window_.informUser(encodeCp1252(tr("The open page shows no readings to record.")));
        return;
    }
    FileDialogs::Request request;
    request.filter = QStringLiteral("CSV file (*.csv)|*.csv|All files (*)|*|");
    request.proposedName = proposedName(page.title, QDateTime::currentDateTime());
    request.defaultSuffix = QStringLiteral("csv");
    QWidget* parent = graph_ ? static_cast<QWidget*>(graph_.data()) : &window_;
    const QString path = window_.fileDialogs().askSave(parent, request);
    if (!path.isEmpty()) startRecording(path);
}

bool ReadingsRoom::startRecording(const QString& path) {
    stopRecording();
    if (!window_.connected()) {
        window_.informUser(
            encodeCp1252(tr("No unit is connected: a recording takes the readings as the unit sends them. Connect the "
                            "unit and open the page with the readings, then press Record again.")));
        return false;
    }
    const PageReadings page = readOpenPage(window_.pageChoices());
    if (page.columns.empty()) {
        window_.informUser(encodeCp1252(tr("The open page shows no readings to record.")));
        return false;
    }
    followPage(page);
    rebaseTimes();
    if (!recorder_.start(path, page.columns)) {
        window_.informUser(encodeCp1252(recorder_.errorText()));
        return false;
    }
    recordedPage_ = page.pageIndex;
    recordedColumns_ = page.columns;
    window_.fileDialogs().noteSaved(path, SavedFile::Recording, page.title);
    window_.setStatusText(encodeCp1252(tr("Recording the readings to %1").arg(path)));
    if (graph_) graph_->setRecording(true);
    showRecordingStatus(true);
    return true;
}

void ReadingsRoom::stopRecording(const QString& why) {
    if (!recorder_.recording()) return;
    recorder_.stop();
    recordedPage_ = -1;
    if (recorder_.error() != 0) {
        endWithFailure();
        return;
    }
    const QString ended = tr("Recording ended (%1): %2 in %3").arg(why, rowsText(recorder_.rows()), recorder_.path());
    window_.setStatusText(encodeCp1252(ended));
    if (indicator_) indicator_->showEnded(ended);
    if (graph_) graph_->setRecording(false);
    showRecordingStatus(true);
}

void ReadingsRoom::endWithFailure() {
    recorder_.stop();
    recordedPage_ = -1;
    const QString kept = tr("%1 kept in %2").arg(rowsText(recorder_.rows()), recorder_.path());
    window_.setStatusText(encodeCp1252(tr("Recording ended: %1").arg(kept)));
    if (indicator_) indicator_->showEnded(tr("Recording ended (%1): %2").arg(recorder_.errorText(), kept));
    if (graph_) graph_->setRecording(false);
    showRecordingStatus(true);
    window_.informUser(encodeCp1252(tr("%1\nThe recording has ended; %2.").arg(recorder_.errorText(), kept)));
}

void ReadingsRoom::showRecordingStatus(bool force) {
    // A row count that changes 50 times a second is shown a few times a second, the last one
    // always: a held-back count is shown when its time comes.
    if (!force && statusShown_.isValid() && statusShown_.elapsed() < kStatusEveryMs) {
        if (!statusLater_.isActive()) statusLater_.start(static_cast<int>(kStatusEveryMs - statusShown_.elapsed()));
        return;
    }
    statusLater_.stop();
    statusShown_.start();
    if (recorder_.recording() && indicator_)
        indicator_->showRecording(tr("Recording: %1 - %2").arg(rowsText(recorder_.rows()), recorder_.path()));
    if (!graph_) return;
    if (recorder_.recording())
        graph_->setStatus(tr("Recording to %1: %2").arg(recorder_.path(), rowsText(recorder_.rows())));
    else if (!recorder_.path().isEmpty())
        graph_->setStatus(tr("Last recording: %1 in %2").arg(rowsText(recorder_.rows()), recorder_.path()));
}

}  // namespace corvane
