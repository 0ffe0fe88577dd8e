#include "readings/graph_window.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>

#include "controls/palette.h"

namespace corvane {

namespace {
constexpr int kScrollStepMs = 100;
constexpr int kPanelWidth = 210;

// Distinct line colours on black, the skin's accent first.
const QColor kLineColours[] = {
    {255, 128, 64}, {80, 200, 255},  {140, 230, 90},  {255, 220, 80},  {230, 110, 230}, {120, 140, 255},
    {255, 90, 90},  {90, 230, 190},  {200, 160, 110}, {180, 180, 180}, {255, 170, 200}, {160, 255, 60},
    {60, 170, 170}, {220, 200, 255}, {255, 255, 160}, {150, 110, 255},
};

QString panelStyle() {
    return QStringLiteral(
        "QWidget#graphPanel { background: rgb(25,25,25); }"
        "QLabel { color: rgb(200,200,200); }"
        "QListWidget, QComboBox { background: rgb(0,0,0); color: rgb(200,200,200);"
        "  border: 1px solid rgb(100,100,100); }"
        "QPushButton { background: rgb(60,60,60); color: rgb(255,255,255); border: 1px solid rgb(100,100,100);"
        "  padding: 5px; }"
        "QPushButton:hover { border-color: rgb(255,128,64); }"
        "QPushButton:checked, QPushButton:pressed { background: rgb(255,128,64); color: rgb(25,25,25); }");
}

QString unitLabel(const QString& unit) { return unit.isEmpty() ? QStringLiteral("(no unit)") : unit; }

struct NiceRange {
    double low, high, step;
};

// The range of round numbers (steps of 1, 2 or 5 times a power of ten, about five of them)
// that holds [low, high]; a flat reading gets a step around it.
NiceRange niceRange(double low, double high) {
    if (!(high > low)) {
        const double pad = std::max(1.0, std::abs(low) * 0.05);
        low -= pad;
        high += pad;
    }
    const double rough = (high - low) / 5;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power * 10;
    for (double m : {1.0, 2.0, 5.0})
        if (rough <= m * power) {
            step = m * power;
            break;
        }
    return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}
}  // namespace

FileDialogs::Request CReadingsGraph::pictureRequest(const QString& proposedName) {
    FileDialogs::Request request;
    request.filter = QStringLiteral("PNG picture (*.png)|*.png|");
    request.proposedName = proposedName;
    request.defaultSuffix = QStringLiteral("png");
    return request;
}

CReadingsGraph::CReadingsGraph(const ReadingsHistory& history, Services services, QWidget* parent)
    : QWidget(parent, Qt::Window), history_(history), services_(std::move(services)) {
    setObjectName(QStringLiteral("readingsGraph"));
    setWindowTitle(QStringLiteral("Readings"));
    resize(960, 560);
    buildControls();
    historyReset();
    // A hidden window draws nothing; it is drawn when shown again.
    connect(&redrawTimer_, &QTimer::timeout, this, [this] {
        if (isVisible()) redraw();
    });
    redrawTimer_.start(kRedrawMs);
}

CReadingsGraph::~CReadingsGraph() = default;

void CReadingsGraph::buildControls() {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ColourPanel);
    setPalette(pal);
    setAutoFillBackground(true);

    chart_ = new QChart();
    chart_->setBackgroundBrush(ColourPanel);
    chart_->setBackgroundRoundness(0);
    chart_->setPlotAreaBackgroundBrush(ColourBlack);
    chart_->setPlotAreaBackgroundVisible(true);
    chart_->setMargins(QMargins(4, 4, 4, 4));
    chart_->legend()->setLabelColor(ColourEdgeLight);
    chart_->legend()->setAlignment(Qt::AlignTop);
    chart_->setAnimationOptions(QChart::NoAnimation);

    timeAxis_ = new QDateTimeAxis();
    timeAxis_->setFormat(QStringLiteral("HH:mm:ss"));
    timeAxis_->setTickCount(7);
    timeAxis_->setLabelsColor(ColourEdgeLight);
    timeAxis_->setGridLineColor(ColourPane);
    timeAxis_->setLinePenColor(ColourEdgeDark);
    chart_->addAxis(timeAxis_, Qt::AlignBottom);
    drawn_ = new ReadingLines(chart_);

    view_ = new QChartView(chart_);
    view_->setRenderHint(QPainter::Antialiasing, false);
    view_->setFrameShape(QFrame::NoFrame);
    view_->setBackgroundBrush(ColourPanel);

    scrollBar_ = new QScrollBar(Qt::Horizontal);
    scrollBar_->setToolTip(QStringLiteral("Scroll back through the readings"));
    connect(scrollBar_, &QScrollBar::valueChanged, this, &CReadingsGraph::onScrolled);

    auto* panel = new QWidget();
    panel->setObjectName(QStringLiteral("graphPanel"));
    panel->setStyleSheet(panelStyle());
    panel->setFixedWidth(kPanelWidth);
    auto* side = new QVBoxLayout(panel);
    side->addWidget(new QLabel(QStringLiteral("Readings drawn")));
    readingsList_ = new QListWidget();
    connect(readingsList_, &QListWidget::itemChanged, this, [this](QListWidgetItem*) { stale_ = true; });
    side->addWidget(readingsList_, 1);
    side->addWidget(new QLabel(QStringLiteral("Time shown")));
    spanBox_ = new QComboBox();
    spanBox_->addItems({QStringLiteral("30 seconds"), QStringLiteral("2 minutes"), QStringLiteral("10 minutes"),
                        QStringLiteral("Everything")});
    spanBox_->setCurrentIndex(span_);
    connect(spanBox_, &QComboBox::currentIndexChanged, this, [this](int index) { setSpan(static_cast<Span>(index)); });
    side->addWidget(spanBox_);
    followButton_ = new QPushButton(QStringLiteral("Pause"));
    followButton_->setToolTip(QStringLiteral("Stop following the newest readings, or follow them again"));
    connect(followButton_, &QPushButton::clicked, this, [this] { setFollowing(!following_); });
    side->addWidget(followButton_);
    pictureButton_ = new QPushButton(QStringLiteral("Save picture..."));
    connect(pictureButton_, &QPushButton::clicked, this, &CReadingsGraph::savePictureAsked);
    side->addWidget(pictureButton_);
    recordButton_ = new QPushButton(QStringLiteral("Record..."));
    recordButton_->setToolTip(QStringLiteral("Record the page's readings to a CSV file"));
    connect(recordButton_, &QPushButton::clicked, this, [this] {
        if (recording_)
            emit stopClicked();
        else
            emit recordClicked();
    });
    side->addWidget(recordButton_);
    status_ = new QLabel();
    status_->setWordWrap(true);
    status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Room for a long path from the start, so the buttons above never move under the pointer.
    status_->setFixedHeight(status_->fontMetrics().lineSpacing() * 4 + 4);
    side->addWidget(status_);

    auto* left = new QVBoxLayout();
    left->setContentsMargins(0, 0, 0, 0);
    left->addWidget(view_, 1);
    left->addWidget(scrollBar_);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(left, 1);
    layout->addWidget(panel);
}

void CReadingsGraph::styleAxis(QValueAxis* axis, const QColor& labels) const {
    axis->setLabelsColor(labels);
    axis->setTitleBrush(labels);
    axis->setGridLineColor(ColourPane);
    axis->setLinePenColor(ColourEdgeDark);
    axis->setLabelFormat(QStringLiteral("%.4g"));
}

void CReadingsGraph::historyReset() {
    for (QLineSeries* s : lines_) {
        chart_->removeSeries(s);
        delete s;
    }
    lines_.clear();
    for (auto& [unit, axis] : axes_) {
        chart_->removeAxis(axis);
        delete axis;
    }
    axes_.clear();
    drawn_->lines().clear();
    const QSignalBlocker block(readingsList_);
    readingsList_->clear();

    const auto& columns = history_.columns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const QColor colour = kLineColours[i % std::size(kLineColours)];
        auto* series = new QLineSeries();
        series->setName(columns[i].title());
        // A thin pen without antialiasing keeps drawing thousands of points cheap.
        QPen pen(colour);
        pen.setWidth(1);
        pen.setCosmetic(true);
        series->setPen(pen);
        chart_->addSeries(series);
        series->attachAxis(timeAxis_);
        QValueAxis*& axis = axes_[columns[i].unit];
        if (!axis) {
            axis = new QValueAxis();
            axis->setTitleText(unitLabel(columns[i].unit));
            axis->setTickType(QValueAxis::TicksDynamic);
            // Grid lines of one axis only: the others' ticks fall elsewhere.
            axis->setGridLineVisible(axes_.size() == 1);
            chart_->addAxis(axis, axes_.size() % 2 == 1 ? Qt::AlignLeft : Qt::AlignRight);
        }
        series->attachAxis(axis);
        lines_.push_back(series);
        drawn_->lines().push_back({pen, axis, true, {}});

        auto* item = new QListWidgetItem(columns[i].title(), readingsList_);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        item->setCheckState(Qt::Checked);
        item->setForeground(colour);
    }
    // An axis whose lines share one colour takes it, so it is clear which line it measures.
    for (auto& [unit, axis] : axes_) {
        const auto attached =
            std::count_if(columns.begin(), columns.end(), [&](const ReadingColumn& c) { return c.unit == unit; });
        QColor colour = ColourEdgeLight;
        if (attached == 1)
            for (std::size_t i = 0; i < columns.size(); ++i)
                if (columns[i].unit == unit) colour = kLineColours[i % std::size(kLineColours)];
        styleAxis(axis, colour);
    }
    following_ = true;
    followButton_->setText(QStringLiteral("Pause"));
    stale_ = true;
    redraw();
}

double CReadingsGraph::spanMs() const {
    switch (span_) {
        case Span30s: return 30e3;
        case Span2min: return 120e3;
        case Span10min: return 600e3;
        case SpanAll: break;
    }
    return std::max(1000.0, history_.lastTime() - history_.firstTime());
}

void CReadingsGraph::redraw() {
    if (!stale_) return;
    stale_ = false;
    const double span = spanMs();
    double end = following_ ? history_.lastTime() : std::min(viewEnd_, history_.lastTime());
    if (span_ == SpanAll) end = history_.firstTime() + span;
    // A history shorter than the span fills the view from the left.
    end = std::max(end, history_.firstTime() + span);
    const double from = end - span;
    shownFrom_ = from;
    shownTo_ = end;
    syncScrollBar(end);

    const std::size_t buckets = static_cast<std::size_t>(std::max(50.0, chart_->plotArea().width() / 2));
    std::map<QString, std::pair<double, double>> ranges;
    for (std::size_t i = 0; i < lines_.size() && i < history_.size(); ++i) {
        ReadingLines::Line& line = drawn_->lines()[i];
        line.shown = readingShown(i);
        if (lines_[i]->isVisible() != line.shown) lines_[i]->setVisible(line.shown);
        line.points.clear();
        if (!line.shown) continue;
        history_.series(i).visible(from, end, buckets, line.points);
        auto& [low, high] = ranges
                                .try_emplace(history_.columns()[i].unit, std::numeric_limits<double>::infinity(),
                                             -std::numeric_limits<double>::infinity())
                                .first->second;
        for (const QPointF& p : line.points) {
            if (std::isnan(p.y())) continue;
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
    }
    for (auto& [unit, axis] : axes_) {
        auto it = ranges.find(unit);
        const bool hasData = it != ranges.end() && std::isfinite(it->second.first);
        const NiceRange nice = hasData ? niceRange(it->second.first, it->second.second) : NiceRange{0, 1, 0.5};
        // Every change of an axis lays the chart out again (label texts measured anew): only
        // a reading leaving its round range changes it.
        if (axis->min() != nice.low || axis->max() != nice.high) {
            axis->setRange(nice.low, nice.high);
            axis->setTickInterval(nice.step);
            axis->setTickAnchor(nice.low);
        }
        if (axis->isVisible() != (it != ranges.end())) axis->setVisible(it != ranges.end());
    }
    timeAxis_->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(from)),
                        QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(end)));
    drawn_->setTimeRange(from, end);
    drawn_->refresh();
}

void CReadingsGraph::syncScrollBar(double end) {
    const QSignalBlocker block(scrollBar_);
    const double first = history_.firstTime();
    const int last = static_cast<int>((history_.lastTime() - first) / kScrollStepMs);
    const int span = static_cast<int>(spanMs() / kScrollStepMs);
    const bool scrolls = span_ != SpanAll && last > span;
    scrollBar_->setEnabled(scrolls);
    scrollBar_->setRange(scrolls ? span : 0, scrolls ? last : 0);
    scrollBar_->setPageStep(std::max(1, span));
    scrollBar_->setSingleStep(std::max(1, span / 10));
    scrollBar_->setValue(static_cast<int>((end - first) / kScrollStepMs));
}

void CReadingsGraph::onScrolled(int value) {
    const double end = history_.firstTime() + static_cast<double>(value) * kScrollStepMs;
    // Back at the newest end the view follows again.
    if (value >= scrollBar_->maximum())
        setFollowing(true);
    else
        scrollTo(end);
}

void CReadingsGraph::scrollTo(double endTime) {
    viewEnd_ = endTime;
    if (following_) {
        following_ = false;
        followButton_->setText(QStringLiteral("Follow newest"));
    }
    stale_ = true;
}

void CReadingsGraph::setFollowing(bool follow) {
    if (!follow && following_) viewEnd_ = history_.lastTime();
    following_ = follow;
    followButton_->setText(follow ? QStringLiteral("Pause") : QStringLiteral("Follow newest"));
    stale_ = true;
}

void CReadingsGraph::setSpan(Span span) {
    span_ = span;
    if (spanBox_->currentIndex() != span) spanBox_->setCurrentIndex(span);
    stale_ = true;
}

void CReadingsGraph::setReadingShown(std::size_t column, bool shown) {
    if (QListWidgetItem* item = readingsList_->item(static_cast<int>(column)))
        item->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
}

bool CReadingsGraph::readingShown(std::size_t column) const {
    const QListWidgetItem* item = readingsList_->item(static_cast<int>(column));
    return item && item->checkState() == Qt::Checked;
}

const std::vector<QPointF>& CReadingsGraph::drawnPoints(std::size_t column) const {
    static const std::vector<QPointF> none;
    return column < drawn_->lines().size() ? drawn_->lines()[column].points : none;
}

QValueAxis* CReadingsGraph::axisOfUnit(const QString& unit) const {
    auto it = axes_.find(unit);
    return it == axes_.end() ? nullptr : it->second;
}

void CReadingsGraph::showRecordButton(bool shown) { recordButton_->setVisible(shown); }

void CReadingsGraph::setRecording(bool recording) {
    recording_ = recording;
    recordButton_->setText(recording ? QStringLiteral("Stop recording") : QStringLiteral("Record..."));
}

void CReadingsGraph::setStatus(const QString& text) { status_->setText(text); }

QString CReadingsGraph::status() const { return status_->text(); }

bool CReadingsGraph::savePicture(const QString& path, QString& error) {
    stale_ = true;
    redraw();
    const QPixmap picture = view_->grab();
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && picture.save(&file, "PNG") && file.flush())
        return true;
    error = QStringLiteral("Cannot write the picture %1: %2").arg(path, file.errorString());
    file.close();
    return false;
}

void CReadingsGraph::savePictureAsked() {
    if (!services_.askPicturePath) return;
    const QString path = services_.askPicturePath(
        windowTitle() + QDateTime::currentDateTime().toString(QStringLiteral(" yyyy-MM-dd HH-mm")));
    if (path.isEmpty()) return;
    QString error;
    if (!savePicture(path, error) && services_.inform) services_.inform(error);
}

}  // namespace corvane
