#pragma once
// CReadingsGraph: the graph of a page's readings over time, in a window of its own. One line
// per reading (the user picks which; all at first), one value axis per unit so that readings of
// very different ranges each fill the height, a time span to show (30 s, 2 min, 10 min or
// everything), following the newest reading until the user pauses or scrolls back. A reading
// that is no number leaves a gap. The picture is saved as PNG. Drawing is bounded: new points
// only mark the graph stale, and a 100 ms timer redraws it with at most about two points per
// pixel column of each line, drawn as plain polylines over the chart's plot area.
#include <QList>
#include <QPointF>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <map>
#include <vector>

#include "readings/reading_lines.h"
#include "readings/readings_history.h"
#include "screens/file_dialogs.h"

class QChart;
class QChartView;
class QComboBox;
class QDateTimeAxis;
class QLabel;
class QLineSeries;
class QListWidget;
class QPushButton;
class QScrollBar;
class QValueAxis;

namespace corvane {

class CReadingsGraph : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRedrawMs = 100;
    enum Span { Span30s, Span2min, Span10min, SpanAll };

    // What the window asks of its owner: a file to save the picture to (empty: cancelled) and a
    // notice for the user.
    struct Services {
        std::function<QString(const QString& proposedName)> askPicturePath;
        std::function<void(const QString& text)> inform;
    };

    // What the save dialog asks for when the user saves a picture of the graph.
    static FileDialogs::Request pictureRequest(const QString& proposedName);

    explicit CReadingsGraph(const ReadingsHistory& history, Services services, QWidget* parent = nullptr);
    ~CReadingsGraph() override;

    // The history has new columns: lines, axes and the reading list are made anew.
    void historyReset();
    // The history has new rows: drawn at the next tick of the redraw timer.
    void historyGrew() { stale_ = true; }
    // Redraws now if anything changed since the last drawing.
    void redraw();

    // The record button, shown only where there is a page to record.
    void showRecordButton(bool shown);
    void setRecording(bool recording);
    // The line under the controls: where the recording goes, how many rows it holds.
    void setStatus(const QString& text);
    QString status() const;

    void setSpan(Span span);
    Span span() const { return span_; }
    // Following the newest reading; false while paused or scrolled back.
    bool following() const { return following_; }
    void setFollowing(bool follow);
    // Scrolls the view so that it ends at this time (milliseconds since the epoch); pauses.
    void scrollTo(double endTime);
    void setReadingShown(std::size_t column, bool shown);
    bool readingShown(std::size_t column) const;

    // Saves the graph as PNG; false with the reason in `error`.
    bool savePicture(const QString& path, QString& error);

    // For tests and the benchmark: the points drawn at the last drawing (NaN: a gap).
    const std::vector<QPointF>& drawnPoints(std::size_t column) const;
    QValueAxis* axisOfUnit(const QString& unit) const;
    std::size_t axisCount() const { return axes_.size(); }
    QChartView* view() const { return view_; }
    // The time range shown at the last drawing.
    double shownFrom() const { return shownFrom_; }
    double shownTo() const { return shownTo_; }

signals:
    void recordClicked();
    void stopClicked();

private:
    void buildControls();
    double spanMs() const;
    void syncScrollBar(double end);
    void onScrolled(int value);
    void savePictureAsked();
    void styleAxis(QValueAxis* axis, const QColor& labels) const;

    const ReadingsHistory& history_;
    Services services_;
    QChartView* view_ = nullptr;
    QChart* chart_ = nullptr;
    QDateTimeAxis* timeAxis_ = nullptr;
    // Empty series: they give each reading its legend entry and tie it to its axes.
    std::vector<QLineSeries*> lines_;
    ReadingLines* drawn_ = nullptr;
    std::map<QString, QValueAxis*> axes_;
    QListWidget* readingsList_ = nullptr;
    QComboBox* spanBox_ = nullptr;
    QPushButton* followButton_ = nullptr;
    QPushButton* pictureButton_ = nullptr;
    QPushButton* recordButton_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    QLabel* status_ = nullptr;
    QTimer redrawTimer_;

    Span span_ = Span2min;
    bool following_ = true;
    bool recording_ = false;
    bool stale_ = true;
    bool syncingScrollBar_ = false;
    double viewEnd_ = 0;  // end of the view while not following
    double shownFrom_ = 0;
    double shownTo_ = 0;
};

}  // namespace corvane
