#pragma once
// A recording opened without a unit (corvane --plot FILE.csv): the file is read whole first and
// refused, with "FILE:LINE: reason" for each fault, unless every line is sound; then it is shown
// in the same graph window as the live readings, over the whole recording.
#include <QString>

#include <memory>
#include <vector>

#include "readings/graph_window.h"
#include "readings/readings_history.h"
#include "screens/file_dialogs.h"

namespace corvane {

// Reads the recording at `path` into `history`. Returns the faults found; empty when it is sound.
std::vector<QString> loadRecording(const QString& path, ReadingsHistory& history);

class RecordingViewer {
public:
    // Takes a history loaded by loadRecording.
    RecordingViewer(const QString& path, ReadingsHistory history);
    CReadingsGraph& graph() { return *graph_; }

private:
    ReadingsHistory history_;
    FileDialogs dialogs_;
    std::unique_ptr<CReadingsGraph> graph_;
};

}  // namespace corvane
