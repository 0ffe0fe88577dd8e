#pragma once
// Recordings opened without a unit (corvane --plot A.csv [B.csv]): each file is read whole first
// and refused, with "FILE:LINE: reason" for each fault, unless every line is sound (a last row
// cut short is left out with a note); then it is shown in the same graph window as the live
// readings, over the whole recording, with a second recording drawn over the first in paler
// shades.
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

#include "readings/graph_window.h"
#include "readings/readings_csv.h"
#include "readings/readings_history.h"
#include "screens/file_dialogs.h"

namespace corvane {

// Reads the recording at `path` into `history`, telling `progress` how far it has come.
RecordingReader::Result loadRecording(const QString& path, ReadingsHistory& history,
                                      RecordingReader::Progress progress = {});

class RecordingViewer {
public:
    // Takes histories loaded by loadRecording; `notes` are shown under the controls.
    RecordingViewer(const QString& path, std::unique_ptr<ReadingsHistory> history, const QString& comparedPath = {},
                    std::unique_ptr<ReadingsHistory> compared = nullptr, const QStringList& notes = {});
    CReadingsGraph& graph() { return *graph_; }

private:
    std::unique_ptr<ReadingsHistory> history_;
    std::unique_ptr<ReadingsHistory> compared_;
    FileDialogs dialogs_;
    std::unique_ptr<CReadingsGraph> graph_;
};

// corvane --plot: faults and notes go to standard error. A refusal is also shown in a message
// box when no terminal reads standard error (the program started from a desktop) and a screen is
// there to show it on. At a terminal the files are read before any window is made, and a long
// read shows how far it has come on the terminal; started from a desktop, the windows come
// first, and a long read shows a progress window whose Cancel ends the program.
class PlotCommand {
public:
    // Whether the program shows windows whatever the files hold: no terminal, a screen.
    static bool windowsInAnyCase();
    // `progressFor` gives the progress function for reading each file.
    explicit PlotCommand(const QStringList& files,
                         const std::function<RecordingReader::Progress(const QString& file)>& progressFor = {});
    bool refused() const { return !faults_.isEmpty(); }
    // The user stopped the reading: nothing to show.
    bool stopped() const { return stopped_; }
    // Whether exec() needs the application object: the viewer, or the box of a refusal.
    bool needsWindows() const;
    // The viewer (until it is closed) or the refusal's box; the program's exit status.
    int exec();

private:
    QStringList files_;
    QStringList faults_;
    QStringList notes_;
    std::vector<std::unique_ptr<ReadingsHistory>> histories_;
    bool stopped_ = false;
};

}  // namespace corvane
