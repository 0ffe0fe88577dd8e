#pragma once
// Saving a composed report to the file the user picks in the save dialog. The dialog opens in the
// folder last used in this run; a failure to write is told to the user with the file's name and
// the reason, and leaves any earlier file of that name as it was.
#include <QString>

#include <functional>
#include <string>

#include "screens/file_dialogs.h"

class QWidget;

namespace corvane {

class ReportSave {
public:
    // Shows a notice to the user: raw single-byte text.
    using Notify = std::function<void(const std::string& text)>;

    enum class Outcome { Saved, Cancelled, Dropped, Failed };

    ReportSave(FileDialogs& dialogs, QWidget* dialogParent, Notify notify);

    // Asks for the file and writes `text` to it byte for byte. While another file dialog is open
    // the report is dropped without a dialog.
    Outcome save(const std::string& text);

    // The dialog's request: proposed name "report", extension "txt", text files or all files.
    static FileDialogs::Request request();
    // The notice for a file that could not be written.
    static std::string failureText(const QString& path, int error);

private:
    FileDialogs& dialogs_;
    QWidget* parent_;
    Notify notify_;
};

}  // namespace corvane
