#include "readings/graph_window.h"

#include <QChart>
#include <QCoreApplication>
#include <QChartView>
#include <QComboBox>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>

#include "controls/palette.h"
#include "readings/axis_range.h"
#include "readings/held_readings.h"

namespace corvane {

namespace {
constexpr int kPanelWidth = 210;
constexpr int kReadoutColumns = 8;

// Distinct line colours on black, the skin's accent first.
const QColor kLineColours[] = {
    {255, 128, 64}, {80, 200, 255},  {140, 230, 90},  {255, 220, 80},  {230, 110, 230}, {120, 140, 255},
    {255, 90, 90},  {90, 230, 190},  {200, 160, 110}, {180, 180, 180}, {255, 170, 200}, {160, 255, 60},
    {60, 170, 170}, {220, 200, 255}, {255, 255, 160}, {150, 110, 255},
};

QColor lineColour(std::size_t i) { return kLineColours[i % std::size(kLineColours)]; }
// A compared recording's shade of a colour: half way to the background, so it reads as the
// same reading, fainter.
QColor paler(const QColor& c) { return QColor((c.red() + 25) / 2, (c.green() + 25) / 2, (c.blue() + 25) / 2); }

// Text (200, 200, 200) on black is 12.6:1; black on the accent 7.1:1; the focus mark, the skin's
// focus colour (255, 255, 128), 10:1 against the buttons and 17:1 against the panel.
QString windowStyle() {
    return QStringLiteral(
        "QWidget#graphPanel, QScrollArea#graphPanelArea { background: rgb(25,25,25); }"
        "QLabel { color: rgb(200,200,200); }"
        "QListWidget, QComboBox, QTableWidget { background: rgb(0,0,0); color: rgb(200,200,200);"
        "  border: 1px solid rgb(100,100,100); selection-background-color: rgb(255,128,64);"
        "  selection-color: rgb(0,0,0); gridline-color: rgb(60,60,60); }"
        "QComboBox QAbstractItemView { background: rgb(0,0,0); color: rgb(200,200,200);"
        "  selection-background-color: rgb(255,128,64); selection-color: rgb(0,0,0); }"
        "QListWidget::item:selected { background: rgb(0,0,0); border: 1px solid rgb(255,255,128); }"
        "QHeaderView::section { background: rgb(25,25,25); color: rgb(200,200,200);"
        "  border: 1px solid rgb(60,60,60); padding: 2px; }"
        "QPushButton { background: rgb(60,60,60); color: rgb(255,255,255); border: 1px solid rgb(100,100,100);"
        "  padding: 5px; }"
        "QPushButton:hover { border-color: rgb(255,128,64); }"
        "QPushButton:checked, QPushButton:pressed { background: rgb(255,128,64); color: rgb(25,25,25); }"
        "QPushButton:focus, QListWidget:focus, QComboBox:focus, QTableWidget:focus, QChartView:focus"
        "  { border: 2px solid rgb(255,255,128); }");
}

// A text longer than this is cut in the legend or an axis title (the list keeps it whole as a
// tool tip): a long caption would take the chart's whole width and its layout much time.
QString shortened(const QString& text, int longest) {
    return text.size() <= longest ? text : text.left(longest - 1) + QChar(0x2026);
}

QString unitLabel(const QString& unit) {
    return unit.isEmpty() ? QCoreApplication::translate("corvane::CReadingsGraph", "(no unit)") : shortened(unit, 24);
}

QString legendName(const QString& title) { return shortened(title, 60); }

// Changes an axis to a new range without an instant where a narrow step meets a wide range (the
// chart would make a label for each step).
void setAxisRange(QValueAxis* axis, const AxisRange& r) {
    if (axis->min() == r.low && axis->max() == r.high && axis->tickInterval() == r.step) return;
    if (r.step > axis->tickInterval()) {
        axis->setTickInterval(r.step);
        axis->setTickAnchor(r.low);
        axis->setRange(r.low, r.high);
    } else {
        axis->setRange(r.low, r.high);
        axis->setTickAnchor(r.low);
        axis->setTickInterval(r.step);
    }
    axis->setLabelFormat(valueLabelFormat(r));
}
}  // namespace

CReadingsGraph::CReadingsGraph(const ReadingsHistory& history, Services services, QWidget* parent)
    : QWidget(parent, Qt::Window), history_(history), services_(std::move(services)) {
    setObjectName(QStringLiteral("readingsGraph"));
    setWindowTitle(tr("Readings"));
    resize(960, 600);
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
    setStyleSheet(windowStyle());

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

    chartView_ = new QChartView(chart_);
    chartView_->setObjectName(QStringLiteral("readingsPlot"));
    chartView_->setRenderHint(QPainter::Antialiasing, false);
    chartView_->setBackgroundBrush(ColourPanel);
    chartView_->setFocusPolicy(Qt::StrongFocus);
    chartView_->setMouseTracking(true);
    chartView_->viewport()->setMouseTracking(true);
    chartView_->setToolTip(keyHelp());
    chartView_->setAccessibleName(tr("Graph of the readings"));
    chartView_->installEventFilter(this);
    chartView_->viewport()->installEventFilter(this);
    chartView_->setMinimumSize(240, 160);

    scrollBar_ = new QScrollBar(Qt::Horizontal);
    scrollBar_->setToolTip(tr("Move back through the readings"));
    connect(scrollBar_, &QScrollBar::valueChanged, this, &CReadingsGraph::onScrolled);

    auto* graphPane = new QWidget();
    auto* graphLayout = new QVBoxLayout(graphPane);
    graphLayout->setContentsMargins(0, 0, 0, 0);
    graphLayout->setSpacing(0);
    graphLayout->addWidget(chartView_, 1);
    graphLayout->addWidget(scrollBar_);

    auto* readoutPane = new QWidget();
    readoutPane->setObjectName(QStringLiteral("readoutPane"));
    auto* readoutLayout = new QVBoxLayout(readoutPane);
    readoutLayout->setContentsMargins(4, 2, 4, 2);
    readoutLayout->setSpacing(2);
    readoutSummary_ = new QLabel();
    readoutSummary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    readoutLayout->addWidget(readoutSummary_);
    readoutTable_ = new QTableWidget(0, kReadoutColumns);
    readoutTable_->setObjectName(QStringLiteral("readoutTable"));
    readoutTable_->setHorizontalHeaderLabels({tr("Reading"), tr("At cursor"), tr("At A"), tr("At B"), tr("B - A"),
                                              tr("Least A..B"), tr("Greatest A..B"), tr("Mean A..B")});
    readoutTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    readoutTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    readoutTable_->verticalHeader()->setVisible(false);
    readoutTable_->verticalHeader()->setDefaultSectionSize(readoutTable_->fontMetrics().height() + 6);
    // Columns sized once for their longest name and for values of nine digits, not at each change:
    // measuring every cell anew at each move of the pointer would not keep up with 200 readings.
    readoutTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    readoutTable_->horizontalHeader()->setStretchLastSection(true);
    for (int c = 1; c < kReadoutColumns; ++c)
        readoutTable_->setColumnWidth(
            c, readoutTable_->fontMetrics().horizontalAdvance(QStringLiteral("~-1.23456789e+100")));
    readoutTable_->setToolTip(tr("Ctrl+C copies the whole table"));
    readoutTable_->setAccessibleName(tr("What the cursors measure"));
    readoutLayout->addWidget(readoutTable_, 1);

    splitter_ = new QSplitter(Qt::Vertical);
    splitter_->addWidget(graphPane);
    splitter_->addWidget(readoutPane);
    splitter_->setStretchFactor(0, 3);
    splitter_->setStretchFactor(1, 1);
    splitter_->setChildrenCollapsible(false);

    auto* area = new QScrollArea();
    area->setObjectName(QStringLiteral("graphPanelArea"));
    area->setWidget(buildPanel());
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setFixedWidth(kPanelWidth + area->verticalScrollBar()->sizeHint().width());

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(splitter_, 1);
    layout->addWidget(area);

    setTabOrder(chartView_, readingsList_);
    setTabOrder(readingsList_, spanBox_);
    setTabOrder(spanBox_, followButton_);
    setTabOrder(followButton_, alignStartsButton_);
    setTabOrder(alignStartsButton_, alignCursorsButton_);
    setTabOrder(alignCursorsButton_, pictureButton_);
    setTabOrder(pictureButton_, heldButton_);
    setTabOrder(heldButton_, recordButton_);
    setTabOrder(recordButton_, readoutTable_);
    // The keys work on the graph as soon as the window opens.
    chartView_->setFocus(Qt::OtherFocusReason);
    cursorsChanged();
}

QWidget* CReadingsGraph::buildPanel() {
    auto* panel = new QWidget();
    panel->setObjectName(QStringLiteral("graphPanel"));
    auto* side = new QVBoxLayout(panel);
    auto* drawnLabel = new QLabel(tr("Readings &drawn"));
    side->addWidget(drawnLabel);
    readingsList_ = new QListWidget();
    readingsList_->setMinimumHeight(60);
    drawnLabel->setBuddy(readingsList_);
    connect(readingsList_, &QListWidget::itemChanged, this, [this](QListWidgetItem*) {
        stale_ = true;
        redraw();
        cursorsChanged();
    });
    side->addWidget(readingsList_, 1);
    auto* spanLabel = new QLabel(tr("&Time shown"));
    side->addWidget(spanLabel);
    spanBox_ = new QComboBox();
    spanBox_->addItems({tr("30 seconds"), tr("2 minutes"), tr("10 minutes"), tr("Everything")});
    spanBox_->setCurrentIndex(view_.span());
    spanLabel->setBuddy(spanBox_);
    connect(spanBox_, &QComboBox::currentIndexChanged, this, [this](int index) { setSpan(static_cast<Span>(index)); });
    side->addWidget(spanBox_);
    followButton_ = new QPushButton(tr("Pause"));
    followButton_->setToolTip(tr("Hold the view while readings go on coming, or follow them again"));
    connect(followButton_, &QPushButton::clicked, this, [this] { setFollowing(!following()); });
    side->addWidget(followButton_);
    alignStartsButton_ = new QPushButton(tr("Line up starts"));
    alignStartsButton_->setToolTip(tr("Draw the second recording from the first one's start"));
    connect(alignStartsButton_, &QPushButton::clicked, this, &CReadingsGraph::alignComparisonAtStarts);
    side->addWidget(alignStartsButton_);
    alignCursorsButton_ = new QPushButton(tr("Line up at A and B"));
    alignCursorsButton_->setToolTip(
        tr("Move the second recording so that its moment under cursor B comes under cursor A (key L)"));
    connect(alignCursorsButton_, &QPushButton::clicked, this, [this] {
        if (!alignComparisonAtCursors() && services_.inform)
            services_.inform(
                tr("Place cursor A on a moment of the first recording and cursor B on the "
                   "same moment of the second one, then line them up."));
    });
    side->addWidget(alignCursorsButton_);
    alignStartsButton_->setVisible(false);
    alignCursorsButton_->setVisible(false);
    pictureButton_ = new QPushButton(tr("Save picture..."));
    connect(pictureButton_, &QPushButton::clicked, this, &CReadingsGraph::savePictureAsked);
    side->addWidget(pictureButton_);
    heldButton_ = new QPushButton(tr("Save held readings..."));
    heldButton_->setToolTip(tr("Write the readings the graph holds as they came to a CSV recording"));
    connect(heldButton_, &QPushButton::clicked, this, &CReadingsGraph::saveHeldAsked);
    side->addWidget(heldButton_);
    recordButton_ = new QPushButton(tr("Record..."));
    recordButton_->setToolTip(tr("Record the page's readings to a CSV file"));
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
    status_->setFixedHeight(status_->fontMetrics().lineSpacing() * 6 + 4);
    side->addWidget(status_);
    return panel;
}

void CReadingsGraph::historyReset() {
    rebuildLines();
    cursor_ = cursorA_ = cursorB_ = kNone;
    view_ = TimeView();
    view_.setSpan(static_cast<Span>(spanBox_->currentIndex()), 0, 0);
    updateFollowButton();
    stale_ = true;
    redraw();
    cursorsChanged();
}

void CReadingsGraph::rebuildLines() {
    for (QLineSeries* s : series_) {
        chart_->removeSeries(s);
        delete s;
    }
    series_.clear();
    for (auto& [unit, axis] : axes_) {
        chart_->removeAxis(axis);
        delete axis;
    }
    axes_.clear();
    drawn_->lines().clear();
    drawn_->comparisonLines().clear();
    const QSignalBlocker block(readingsList_);
    readingsList_->clear();

    auto axisFor = [&](const QString& unit) {
        QValueAxis*& axis = axes_[unit];
        if (!axis) {
            axis = new QValueAxis();
            axis->setTitleText(unitLabel(unit));
            axis->setRange(0, 1);
            axis->setTickAnchor(0);
            axis->setTickInterval(0.5);
            axis->setTickType(QValueAxis::TicksDynamic);
            // Grid lines of one axis only: the others' ticks fall elsewhere.
            axis->setGridLineVisible(axes_.size() == 1);
            axis->setLabelsColor(ColourEdgeLight);
            axis->setTitleBrush(ColourEdgeLight);
            axis->setGridLineColor(ColourPane);
            axis->setLinePenColor(ColourEdgeDark);
            chart_->addAxis(axis, axes_.size() % 2 == 1 ? Qt::AlignLeft : Qt::AlignRight);
        }
        return axis;
    };
    // A thin pen without antialiasing keeps drawing thousands of points cheap.
    auto pen = [](const QColor& colour) {
        QPen p(colour);
        p.setWidth(1);
        p.setCosmetic(true);
        return p;
    };
    const auto& columns = history_.columns();
    std::map<QString, int> linesOfUnit;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const QColor colour = lineColour(i);
        auto* series = new QLineSeries();
        series->setName(legendName(columns[i].title()));
        series->setPen(pen(colour));
        chart_->addSeries(series);
        series->attachAxis(timeAxis_);
        QValueAxis* axis = axisFor(columns[i].unit);
        series->attachAxis(axis);
        series_.push_back(series);
        drawn_->lines().push_back({pen(colour), axis, true, {}});
        ++linesOfUnit[columns[i].unit];

        auto* item = new QListWidgetItem(columns[i].title(), readingsList_);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Checked);
        item->setForeground(colour);
        item->setToolTip(columns[i].title());
    }
    // The compared recording: a reading of the same title takes that reading's colour, paler.
    if (comparison_) {
        const auto& other = comparison_->columns();
        std::size_t extra = columns.size();
        for (std::size_t j = 0; j < other.size(); ++j) {
            const auto same = std::find(columns.begin(), columns.end(), other[j]);
            const QColor colour =
                paler(same != columns.end() ? lineColour(same - columns.begin()) : lineColour(extra++));
            drawn_->comparisonLines().push_back({pen(colour), axisFor(other[j].unit), true, {}});
            ++linesOfUnit[other[j].unit];
            auto* item =
                new QListWidgetItem(QStringLiteral("%1 (%2)").arg(other[j].title(), comparisonName_), readingsList_);
            item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setCheckState(Qt::Checked);
            item->setForeground(colour);
        }
    }
    // An axis of one line takes its colour, so it is clear which line it measures.
    for (auto& [unit, axis] : axes_) {
        QColor colour = ColourEdgeLight;
        if (linesOfUnit[unit] == 1)
            for (std::size_t i = 0; i < columns.size(); ++i)
                if (columns[i].unit == unit) colour = lineColour(i);
        axis->setLabelsColor(colour);
        axis->setTitleBrush(colour);
    }
    alignStartsButton_->setVisible(comparison_ != nullptr);
    alignCursorsButton_->setVisible(comparison_ != nullptr);
}

void CReadingsGraph::setPageTitle(const QString& title) {
    pageTitle_ = title;
    setWindowTitle(title.isEmpty() ? tr("Readings") : tr("Readings - %1").arg(title));
}

double CReadingsGraph::msPerPixel() const {
    const double width = std::max(1.0, chart_->plotArea().width());
    return (shownTo_ - shownFrom_) / width;
}

void CReadingsGraph::redraw() {
    if (!stale_) return;
    stale_ = false;
    const double first = history_.firstTime(), last = history_.lastTime();
    const auto [from, to] = view_.range(first, last);
    shownFrom_ = from;
    shownTo_ = to;
    syncScrollBar(from, to);

    const auto pixels = static_cast<std::size_t>(std::max(50.0, chart_->plotArea().width()));
    std::map<QString, std::pair<double, double>> ranges;
    auto widen = [&](const QString& unit, const std::vector<QPointF>& points) {
        auto& [low, high] =
            ranges.try_emplace(unit, std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity())
                .first->second;
        for (const QPointF& p : points) {
            if (std::isnan(p.y())) continue;
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
    };
    const std::size_t count = std::min(drawn_->lines().size(), history_.size());
    for (std::size_t i = 0; i < count; ++i) {
        ReadingLines::Line& line = drawn_->lines()[i];
        line.shown = readingShown(i);
        if (series_[i]->isVisible() != line.shown) series_[i]->setVisible(line.shown);
        line.points.clear();
        if (!line.shown) continue;
        history_.draw(i, from, to, pixels, line.points);
        widen(history_.columns()[i].unit, line.points);
    }
    if (comparison_) {
        for (std::size_t j = 0; j < drawn_->comparisonLines().size(); ++j) {
            ReadingLines::Line& line = drawn_->comparisonLines()[j];
            line.shown = readingShown(history_.size() + j);
            line.points.clear();
            if (!line.shown) continue;
            comparison_->draw(j, from - comparisonOffset_, to - comparisonOffset_, pixels, line.points);
            for (QPointF& p : line.points) p.rx() += comparisonOffset_;
            widen(comparison_->columns()[j].unit, line.points);
        }
    }
    for (auto& [unit, axis] : axes_) {
        auto it = ranges.find(unit);
        const bool hasData = it != ranges.end() && std::isfinite(it->second.first);
        // Every change of an axis lays the chart out again (label texts measured anew): only a
        // reading leaving its round range changes it.
        setAxisRange(axis, hasData ? valueAxisRange(it->second.first, it->second.second) : AxisRange{});
        if (axis->isVisible() != (it != ranges.end())) axis->setVisible(it != ranges.end());
    }
    const QString format = timeLabelFormat(to - from);
    if (timeAxis_->format() != format) timeAxis_->setFormat(format);
    // As many time labels as fit side by side.
    const int labelWidth = chartView_->fontMetrics().horizontalAdvance(format) + 24;
    const int ticks = std::clamp(static_cast<int>(chart_->plotArea().width()) / labelWidth + 1, 2, 7);
    if (timeAxis_->tickCount() != ticks) timeAxis_->setTickCount(ticks);
    timeAxis_->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(std::floor(from))),
                        QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(std::ceil(to))));
    drawn_->setTimeRange(from, to);
    drawn_->setCursors(cursor_, cursorA_, cursorB_);
    drawn_->refresh();
    // New rows may fall under a cursor placed beyond the newest.
    if (!std::isnan(cursor_) || !std::isnan(cursorA_) || !std::isnan(cursorB_)) cursorsChanged();
}

void CReadingsGraph::syncScrollBar(double from, double to) {
    const QSignalBlocker block(scrollBar_);
    const double first = history_.firstTime(), last = history_.lastTime();
    const double span = to - from;
    // Steps of at least 100 ms, and never more than a million of them.
    const double step = std::max(100.0, (last - first) / 1e6);
    const bool scrolls = last - first > span && !(following() && view_.span() == SpanAll);
    scrollBar_->setEnabled(scrolls);
    const int lowest = static_cast<int>(span / step);
    const int highest = static_cast<int>((last - first) / step);
    scrollBar_->setRange(scrolls ? lowest : 0, scrolls ? std::max(lowest, highest) : 0);
    scrollBar_->setPageStep(std::max(1, lowest));
    scrollBar_->setSingleStep(std::max(1, lowest / 10));
    scrollBar_->setValue(static_cast<int>(std::clamp((to - first) / step, 0.0, 2e9)));
    scrollBar_->setProperty("stepMs", step);
}

void CReadingsGraph::onScrolled(int value) {
    // Back at the newest end the view follows again.
    if (value >= scrollBar_->maximum()) {
        setFollowing(true);
        return;
    }
    scrollTo(history_.firstTime() + static_cast<double>(value) * scrollBar_->property("stepMs").toDouble());
}

void CReadingsGraph::scrollTo(double endTime) {
    view_.moveEndTo(endTime, history_.firstTime(), history_.lastTime());
    viewChanged();
}

void CReadingsGraph::zoom(double factor, double around) {
    view_.zoom(factor, around, history_.firstTime(), history_.lastTime());
    viewChanged();
}

void CReadingsGraph::pan(double ms) {
    view_.pan(ms, history_.firstTime(), history_.lastTime());
    viewChanged();
}

void CReadingsGraph::viewChanged() {
    updateFollowButton();
    // What the user does is drawn at once, not at the next tick.
    stale_ = true;
    redraw();
}

void CReadingsGraph::setFollowing(bool follow) {
    if (follow)
        view_.follow();
    else
        view_.hold(history_.firstTime(), history_.lastTime());
    viewChanged();
}

void CReadingsGraph::updateFollowButton() { followButton_->setText(following() ? tr("Pause") : tr("Follow newest")); }

void CReadingsGraph::setSpan(Span span) {
    view_.setSpan(span, history_.firstTime(), history_.lastTime());
    if (spanBox_->currentIndex() != span) {
        const QSignalBlocker block(spanBox_);
        spanBox_->setCurrentIndex(span);
    }
    viewChanged();
}

void CReadingsGraph::setReadingShown(std::size_t column, bool shown) {
    if (QListWidgetItem* item = readingsList_->item(static_cast<int>(column)))
        item->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
}

bool CReadingsGraph::readingShown(std::size_t column) const {
    const QListWidgetItem* item = readingsList_->item(static_cast<int>(column));
    return item && item->checkState() == Qt::Checked;
}

void CReadingsGraph::setValueCursor(double time) {
    if (time == cursor_ || (std::isnan(time) && std::isnan(cursor_))) return;
    cursor_ = time;
    cursorsChanged();
}

void CReadingsGraph::placeCursorA(double time) {
    cursorA_ = time;
    cursorsChanged();
}

void CReadingsGraph::placeCursorB(double time) {
    cursorB_ = time;
    cursorsChanged();
}

void CReadingsGraph::clearCursors() {
    cursorA_ = cursorB_ = kNone;
    cursorsChanged();
}

std::vector<MeasuredLine> CReadingsGraph::measuredLines() const {
    std::vector<MeasuredLine> lines;
    for (std::size_t i = 0; i < history_.size(); ++i)
        if (readingShown(i)) lines.push_back({&history_, i, 0, history_.columns()[i].title()});
    if (comparison_)
        for (std::size_t j = 0; j < comparison_->size(); ++j)
            if (readingShown(history_.size() + j))
                lines.push_back({comparison_, j, comparisonOffset_,
                                 QStringLiteral("%1 (%2)").arg(comparison_->columns()[j].title(), comparisonName_)});
    return lines;
}

Readout CReadingsGraph::readout() const {
    Readout r = measure(measuredLines(), cursor_, cursorA_, cursorB_);
    r.shown = QStringLiteral("%1 to %2 (%3)")
                  .arg(momentText(shownFrom_, true), momentText(shownTo_), durationText(shownTo_ - shownFrom_));
    return r;
}

void CReadingsGraph::cursorsChanged() {
    drawn_->setCursors(cursor_, cursorA_, cursorB_);
    const Readout r = readout();
    readoutSummary_->setText(r.summary());
    const bool newRows = readoutTable_->rowCount() != static_cast<int>(r.rows.size());
    readoutTable_->setRowCount(static_cast<int>(r.rows.size()));
    for (std::size_t i = 0; i < r.rows.size(); ++i) {
        const ReadoutRow& row = r.rows[i];
        const QString cells[kReadoutColumns] = {
            shortened(row.name, 60), row.atCursor, row.atA, row.atB, row.change, row.least, row.greatest, row.mean};
        for (int c = 0; c < kReadoutColumns; ++c) {
            QTableWidgetItem* item = readoutTable_->item(static_cast<int>(i), c);
            if (!item) {
                item = new QTableWidgetItem();
                readoutTable_->setItem(static_cast<int>(i), c, item);
            }
            if (item->text() != cells[c]) item->setText(cells[c]);
        }
        if (newRows) readoutTable_->item(static_cast<int>(i), 0)->setToolTip(row.name);
    }
    if (newRows) readoutTable_->resizeColumnToContents(0);
}

void CReadingsGraph::setComparison(const ReadingsHistory* other, const QString& name) {
    comparison_ = other;
    comparisonName_ = name;
    comparisonOffset_ = 0;
    historyReset();
    alignComparisonAtStarts();
}

void CReadingsGraph::alignComparisonAtStarts() {
    if (!comparison_) return;
    comparisonOffset_ = history_.firstTime() - comparison_->firstTime();
    stale_ = true;
    redraw();
    cursorsChanged();
}

bool CReadingsGraph::alignComparisonAtCursors() {
    if (!comparison_ || std::isnan(cursorA_) || std::isnan(cursorB_)) return false;
    comparisonOffset_ += cursorA_ - cursorB_;
    cursorB_ = cursorA_;
    stale_ = true;
    redraw();
    cursorsChanged();
    return true;
}

const std::vector<QPointF>& CReadingsGraph::drawnPoints(std::size_t column) const {
    static const std::vector<QPointF> none;
    return column < drawn_->lines().size() ? drawn_->lines()[column].points : none;
}

const std::vector<QPointF>& CReadingsGraph::drawnComparisonPoints(std::size_t column) const {
    static const std::vector<QPointF> none;
    return column < drawn_->comparisonLines().size() ? drawn_->comparisonLines()[column].points : none;
}

QValueAxis* CReadingsGraph::axisOfUnit(const QString& unit) const {
    auto it = axes_.find(unit);
    return it == axes_.end() ? nullptr : it->second;
}

void CReadingsGraph::showRecordButton(bool shown) {
    recordButton_->setVisible(shown);
    heldButton_->setVisible(shown);
}

void CReadingsGraph::setRecording(bool recording) {
    recording_ = recording;
    recordButton_->setText(recording ? tr("Stop recording") : tr("Record..."));
}

void CReadingsGraph::setStatus(const QString& text) { status_->setText(text); }

QString CReadingsGraph::status() const { return status_->text(); }

double CReadingsGraph::timeAtViewX(double x) const {
    const QPointF atChart = chart_->mapFromScene(chartView_->mapToScene(QPoint(static_cast<int>(x), 0)));
    const QRectF area = chart_->plotArea();
    if (area.width() <= 0 || atChart.x() < area.left() || atChart.x() > area.right()) return kNone;
    return shownFrom_ + (atChart.x() - area.left()) / area.width() * (shownTo_ - shownFrom_);
}

double CReadingsGraph::viewXAtTime(double time) const {
    const QRectF area = chart_->plotArea();
    const double x = area.left() + (time - shownFrom_) / (shownTo_ - shownFrom_) * area.width();
    return chartView_->mapFromScene(chart_->mapToScene(QPointF(x, area.top()))).x();
}

std::pair<QString, QString> CReadingsGraph::pictureCaption() const {
    const QDateTime a = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(shownFrom_));
    const QDateTime b = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(shownTo_));
    const QString day = QStringLiteral("yyyy-MM-dd"), time = QStringLiteral("HH:mm:ss");
    const QString range = a.date() == b.date()
                              ? QStringLiteral("%1  %2 to %3").arg(a.toString(day), a.toString(time), b.toString(time))
                              : QStringLiteral("%1 %2 to %3 %4")
                                    .arg(a.toString(day), a.toString(time), b.toString(day), b.toString(time));
    return {pageTitle_.isEmpty() ? windowTitle() : pageTitle_, range};
}

QPixmap CReadingsGraph::picture() {
    stale_ = true;
    redraw();
    const QPixmap graph = chartView_->grab();
    const bool measured = !std::isnan(cursorA_) || !std::isnan(cursorB_);
    const QPixmap table = measured ? splitter_->widget(1)->grab() : QPixmap();
    const QFontMetrics metrics(font());
    const int band = metrics.lineSpacing() + 12;
    const auto [title, range] = pictureCaption();
    QPixmap picture(graph.width(), band + graph.height() + table.height());
    picture.fill(ColourPanel);
    {
        QPainter p(&picture);
        p.setPen(ColourEdgeLight);
        p.drawText(QRect(8, 0, picture.width() - 16, band), Qt::AlignVCenter | Qt::AlignLeft, title);
        p.drawText(QRect(8, 0, picture.width() - 16, band), Qt::AlignVCenter | Qt::AlignRight, range);
        p.drawPixmap(0, band, graph);
        if (!table.isNull()) p.drawPixmap(0, band + graph.height(), table);
    }
    return picture;
}

bool CReadingsGraph::savePicture(const QString& path, QString& error) {
    const QPixmap picture = this->picture();
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && picture.save(&file, "PNG") && file.flush())
        return true;
    error = tr("Cannot write the picture %1: %2").arg(path, file.errorString());
    file.close();
    return false;
}

void CReadingsGraph::savePictureAsked() {
    if (!services_.askSavePath) return;
    FileDialogs::Request request;
    request.filter = tr("PNG picture (*.png)|*.png|");
    request.proposedName =
        (pageTitle_.isEmpty() ? windowTitle() : pageTitle_) +
        QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(shownTo_)).toString(QStringLiteral(" yyyy-MM-dd HH-mm"));
    request.defaultSuffix = QStringLiteral("png");
    const QString path = services_.askSavePath(request);
    if (path.isEmpty()) return;
    QString error;
    if (!savePicture(path, error)) {
        if (services_.inform) services_.inform(error);
        return;
    }
    const auto [title, range] = pictureCaption();
    if (services_.saved)
        services_.saved(path, SavedFile::Picture, QStringLiteral("%1, %2").arg(title, range.simplified()));
}

bool CReadingsGraph::saveHeldReadings(const QString& path, QString& error, QString* done) {
    const HeldSpan held = heldSpan(history_);
    if (held.rows == 0) {
        error = tr("The graph holds no readings yet.");
        return false;
    }
    if (!writeHeldReadings(history_, pageTitle_, path, error)) return false;
    if (done) *done = tr("Saved %1 to %2").arg(held.text, path);
    return true;
}

void CReadingsGraph::saveHeldAsked() {
    const HeldSpan held = heldSpan(history_);
    if (held.rows == 0) {
        if (services_.inform) services_.inform(tr("The graph holds no readings yet."));
        return;
    }
    if (!services_.askSavePath) return;
    FileDialogs::Request request;
    // The dialog's file type line says what the file will cover.
    request.filter = tr("Held readings, %1 (*.csv)|*.csv|").arg(held.text);
    request.proposedName = heldFileName(pageTitle_, history_);
    request.defaultSuffix = QStringLiteral("csv");
    const QString path = services_.askSavePath(request);
    if (path.isEmpty()) return;
    QString error, done;
    if (saveHeldReadings(path, error, &done)) {
        setStatus(done);
        if (services_.saved) services_.saved(path, SavedFile::HeldReadings, held.text);
    } else if (services_.inform)
        services_.inform(error);
}

void CReadingsGraph::addPanelButton(QPushButton* button) {
    auto* side = static_cast<QVBoxLayout*>(status_->parentWidget()->layout());
    side->insertWidget(side->indexOf(status_), button);
    setTabOrder(recordButton_, button);
}

}  // namespace corvane
