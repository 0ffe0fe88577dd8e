#pragma once
// CReadingsGraph: the graph of a page's readings over time, in a window of its own, and a
// measuring instrument. One line per reading (the user picks which; all at first), one value
// axis per unit so that readings of very different ranges each fill the height, a time span to
// show (30 s, 2 min, 10 min or everything), following the newest reading until the user pauses,
// zooms or moves back. A reading that is no number, and a time when no values came, leave a gap.
//
// Measuring: the value cursor follows the pointer (or the arrow keys) and the table under the
// graph shows every drawn reading's value there; cursors A and B (click and Shift+click, or the
// keys A and B) add each reading's value at A and B, the change and its least, greatest and mean
// value between them, and the time between. A second recording can be drawn over the first in
// paler shades, lined up at their starts or at the cursors. The wheel zooms the time axis
// around the pointer, a drag moves it; the keys are listed in keyHelp().
//
// Drawing is bounded: new rows only mark the graph stale, and a 100 ms timer redraws it with at
// most about two points per pixel column of each line; what the user does is drawn at once.
#include <QPixmap>
#include <QPointF>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <utility>
#include <vector>

#include "readings/reading_lines.h"
#include "readings/readings_history.h"
#include "readings/readings_readout.h"
#include "readings/time_view.h"
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
class QSplitter;
class QTableWidget;
class QValueAxis;

namespace corvane {

class CReadingsGraph : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRedrawMs = 100;
    using Span = TimeView::Span;
    static constexpr Span Span30s = TimeView::Span30s;
    static constexpr Span Span2min = TimeView::Span2min;
    static constexpr Span Span10min = TimeView::Span10min;
    static constexpr Span SpanAll = TimeView::SpanAll;
    static constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

    // What the window asks of its owner: a file to save to (empty: cancelled), a notice for
    // the user, and word of a file written (a picture, held readings).
    struct Services {
        std::function<QString(const FileDialogs::Request& request)> askSavePath;
        std::function<void(const QString& text)> inform;
        std::function<void(const QString& path, SavedFile kind, const QString& detail)> saved;
    };

    explicit CReadingsGraph(const ReadingsHistory& history, Services services, QWidget* parent = nullptr);
    ~CReadingsGraph() override;

    // The history has new columns (or is another page's): lines, axes and the list are made anew.
    void historyReset();
    // The history has new rows: drawn at the next tick of the redraw timer.
    void historyGrew() { stale_ = true; }
    // Redraws now if anything changed since the last drawing.
    void redraw();

    // The title in the window's caption and on saved pictures ("Live data").
    void setPageTitle(const QString& title);
    const QString& pageTitle() const { return pageTitle_; }

    // The record button, shown only where there is a page to record.
    void showRecordButton(bool shown);
    void setRecording(bool recording);
    // The line under the controls: where the recording goes, how many rows it holds.
    void setStatus(const QString& text);
    QString status() const;

    // The time shown.
    void setSpan(Span span);
    Span span() const { return view_.span(); }
    // Following the newest reading; false while paused, zoomed or moved back.
    bool following() const { return view_.following(); }
    void setFollowing(bool follow);
    // Shows the stretch ending at this time (milliseconds since the epoch), keeping its width.
    void scrollTo(double endTime);
    // Zooms by `factor` (below 1 in) keeping `around` in place; moves the view by `ms`.
    void zoom(double factor, double around);
    void pan(double ms);
    void setReadingShown(std::size_t column, bool shown);
    bool readingShown(std::size_t column) const;

    // The cursors, in milliseconds since the epoch (kNone: not placed).
    void setValueCursor(double time);
    void placeCursorA(double time);
    void placeCursorB(double time);
    void clearCursors();
    double valueCursor() const { return cursor_; }
    double cursorA() const { return cursorA_; }
    double cursorB() const { return cursorB_; }
    // What the cursors measure now, as the table shows it.
    Readout readout() const;

    // A second recording drawn over the history in paler shades (null: none). Lined up with
    // the history's start at first.
    void setComparison(const ReadingsHistory* other, const QString& name);
    void alignComparisonAtStarts();
    // Moves the comparison so that its moment under cursor B comes under cursor A.
    bool alignComparisonAtCursors();
    double comparisonOffset() const { return comparisonOffset_; }

    // Saves the graph as PNG with the page title, the date and the time range above it (and
    // the cursors' table under it when cursors are placed); false with the reason in `error`.
    bool savePicture(const QString& path, QString& error);
    // The picture savePicture writes.
    QPixmap picture();
    // What the band above a saved picture says: the page title, and the date and time range.
    std::pair<QString, QString> pictureCaption() const;
    // Writes the rows the history holds as they came as a recording; false with the reason.
    // `done` says what was written.
    bool saveHeldReadings(const QString& path, QString& error, QString* done = nullptr);

    // For tests and the benchmark: the points drawn at the last drawing (NaN: a gap).
    const std::vector<QPointF>& drawnPoints(std::size_t column) const;
    const std::vector<QPointF>& drawnComparisonPoints(std::size_t column) const;
    QValueAxis* axisOfUnit(const QString& unit) const;
    QChartView* view() const { return chartView_; }
    QTableWidget* readoutTable() const { return readoutTable_; }
    // The time range shown at the last drawing.
    double shownFrom() const { return shownFrom_; }
    double shownTo() const { return shownTo_; }
    // The time at an x position of the chart view's viewport (NaN outside the plot area), and
    // back.
    double timeAtViewX(double x) const;
    double viewXAtTime(double time) const;

    static QString keyHelp();

    // A room beside the graph adds a button of its own under the graph's buttons.
    void addPanelButton(QPushButton* button);

signals:
    void recordClicked();
    void stopClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    QWidget* buildPanel();
    void rebuildLines();
    void syncScrollBar(double from, double to);
    void onScrolled(int value);
    void savePictureAsked();
    void saveHeldAsked();
    void viewChanged();
    void cursorsChanged();
    void updateFollowButton();
    std::vector<MeasuredLine> measuredLines() const;
    bool handlePlotKey(QKeyEvent* event);
    bool handlePlotMouse(QEvent* event);
    // The time one pixel column of the plot stands for.
    double msPerPixel() const;

    const ReadingsHistory& history_;
    Services services_;
    QString pageTitle_;
    QChartView* chartView_ = nullptr;
    QChart* chart_ = nullptr;
    QDateTimeAxis* timeAxis_ = nullptr;
    // Empty series: they give each reading its legend entry and tie it to its axes.
    std::vector<QLineSeries*> series_;
    ReadingLines* drawn_ = nullptr;
    std::map<QString, QValueAxis*> axes_;
    QListWidget* readingsList_ = nullptr;
    QComboBox* spanBox_ = nullptr;
    QPushButton* followButton_ = nullptr;
    QPushButton* pictureButton_ = nullptr;
    QPushButton* heldButton_ = nullptr;
    QPushButton* recordButton_ = nullptr;
    QPushButton* alignStartsButton_ = nullptr;
    QPushButton* alignCursorsButton_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QLabel* readoutSummary_ = nullptr;
    QTableWidget* readoutTable_ = nullptr;
    QLabel* status_ = nullptr;
    QTimer redrawTimer_;

    TimeView view_;
    const ReadingsHistory* comparison_ = nullptr;
    QString comparisonName_;
    double comparisonOffset_ = 0;
    double cursor_ = kNone;
    double cursorA_ = kNone;
    double cursorB_ = kNone;
    bool recording_ = false;
    bool stale_ = true;
    bool syncingScrollBar_ = false;
    double shownFrom_ = 0;
    double shownTo_ = 0;
    // A press on the plot: where, and whether it has moved far enough to be a drag.
    QPointF pressAt_;
    double pressFrom_ = 0;
    bool pressed_ = false;
    bool dragging_ = false;
};

}  // namespace corvane
