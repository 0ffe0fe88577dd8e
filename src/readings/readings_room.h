#pragma once
// The readings of the open page over time, beside the main window: a "graph" button in the title
// band (right of the "info" button, where the layout places nothing) opens the graph window of
// the page; the page's readings are kept while it is open, and can be recorded to a CSV file.
// The room follows the page through the main window's handled messages and takes every values
// frame of the open page as one reading, stamped with the time the frame arrived on the link,
// however many frames the window showed at once. A recording ends when the user stops it, the
// page closes, the unit goes away, or a write fails.
#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>

#include "controls/corv_button.h"
#include "readings/graph_window.h"
#include "readings/page_histories.h"
#include "readings/page_readings.h"
#include "readings/readings_history.h"
#include "readings/readings_recorder.h"
#include "readings/recording_indicator.h"
#include "screens/page_updates.h"

namespace corvane {

class CCorvaneNewDlg;

inline constexpr int IDC_MAIN_GRAPH = 107;

class ReadingsRoom : public QObject {
    Q_OBJECT
public:
    // The wall-clock time of a frame that arrived on the link at a monotonic time.
    using TimeOfArrival = std::function<QDateTime(LinkClock::time_point)>;

    // `window` must outlive the room. Without `timeOfArrival` (tests fix it) the monotonic
    // times are mapped to the wall clock as it reads when the room is made and when a recording
    // starts, so the rows of one recording keep the spacing of the frames even when the clock
    // is set meanwhile.
    explicit ReadingsRoom(CCorvaneNewDlg& window, TimeOfArrival timeOfArrival = {});
    ~ReadingsRoom() override;

    // Opens (or raises) the graph window of the open page.
    void openGraph();
    CReadingsGraph* graph() const { return graph_.data(); }
    CCorvButton& graphButton() { return graphButton_; }
    const ReadingsHistory& history() const { return history_; }

    // Asks for a file with the save dialog and records to it.
    void askAndRecord();
    // Records the open page's readings to `path`; false (and the user told why) when no unit is
    // connected, there is no page with readings or the file cannot be written.
    bool startRecording(const QString& path);
    // Ends the recording; `why` completes "Recording ended (...)" in the status line.
    void stopRecording(const QString& why = tr("stopped"));
    bool recording() const { return recorder_.recording(); }
    const ReadingsRecorder& recorder() const { return recorder_; }
    const CRecordingIndicator& indicator() const { return *indicator_; }

    // The file name proposed for a recording of this page at this time.
    static QString proposedName(const QString& pageTitle, const QDateTime& time);

signals:
    // The graph window was made (rooms beside it may add to it); it lives until the room goes.
    void graphOpened(corvane::CReadingsGraph* graph);

private:
    void onMessageHandled();
    void onReadings(const std::vector<ShownValues>& readings);
    QDateTime wallTime(LinkClock::time_point arrival) const;
    // The wall clock now, against the monotonic clock now, for the times of the next frames.
    void rebaseTimes();
    // Starts the history over when the open page is another one than the history's.
    bool followPage(const PageReadings& page);
    void showRecordingStatus(bool force);
    void endWithFailure();

    CCorvaneNewDlg& window_;
    TimeOfArrival timeOfArrival_;
    QDateTime wallBase_;
    LinkClock::time_point linkBase_;
    CCorvButton graphButton_;
    // A child window of the main window, deleted with the room.
    QPointer<CReadingsGraph> graph_;
    ReadingsHistory history_;
    int historyPage_ = -1;  // page index the history belongs to
    std::uint32_t historyPageId_ = 0;
    PageHistories histories_;  // of the pages shown before
    QString pageTitle_;
    ReadingsRecorder recorder_;
    int recordedPage_ = -1;
    std::vector<ReadingColumn> recordedColumns_;
    QElapsedTimer statusShown_;
    QTimer statusLater_;
    // A child of the main window, deleted with the room.
    QPointer<CRecordingIndicator> indicator_;
};

}  // namespace corvane
