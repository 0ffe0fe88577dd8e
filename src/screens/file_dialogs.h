#pragma once
// The open and save dialogs that the unit's file requests and the report save show. They are
// Qt's own dialogs rather than the desktop's, so that they look and behave the same on every
// desktop and can be driven in tests. One dialog is open at a time (the file dialog slot). A save
// dialog opens in the save place's folder when a room beside the window sets one (the current
// workshop job), otherwise, as an open dialog always does, in the folder last used in this run,
// the home folder the first time.
#include <QFileDialog>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>

class QWidget;

namespace corvane {

// What a saved file is, for the place that keeps a list of them.
enum class SavedFile { Report, Recording, Picture, HeldReadings, Trace, UnitFile, CustomerReport };

// Where saves are proposed first, and who hears of every file saved through a save dialog.
class SavePlace {
public:
    virtual ~SavePlace() = default;
    // The folder a save dialog opens in; empty for the folder last used.
    virtual QString saveFolder() = 0;
    // A file was written (a recording: started). `detail` says what it shows (a page, a span).
    virtual void fileSaved(const QString& path, SavedFile kind, const QString& detail) = 0;
};

class FileDialogs {
public:
    struct Request {
        // The unit's filter form: description and pattern pairs, each field ended by '|',
        // for example "(*.txt)|*.txt|(*.*)|*.*|". Empty or malformed: all files.
        QString filter;
        // Save only: the file name proposed, and the extension added when the user types none.
        QString proposedName;
        QString defaultSuffix;
        // Save only: the folder to open in; empty for the save place's (or the last used).
        QString folder = {};
    };

    // The chosen file's path, or an empty string when the user cancelled or the slot was taken.
    QString askOpen(QWidget* parent, const Request& request);
    QString askSave(QWidget* parent, const Request& request);

    // The file dialog slot: the dialog while one is open, else null.
    QFileDialog* openDialog() const { return dialog_.data(); }
    bool isOpen() const { return !dialog_.isNull(); }
    // Ends an open dialog as cancelled (the program is closing).
    void cancelOpenDialog();

    const QString& lastFolder() const { return lastFolder_; }

    // The save place (null: none); it must outlive this object or be unset first.
    void setSavePlace(SavePlace* place) { place_ = place; }
    // The folder the next save dialog opens in.
    QString saveFolder();
    // Tells the save place that a file was written; every saver calls it after a good write.
    void noteSaved(const QString& path, SavedFile kind, const QString& detail = {});

    // The unit's filter form as Qt name filters.
    static QStringList nameFilters(const QString& unitFilter);

private:
    QString run(QWidget* parent, const Request& request, QFileDialog::AcceptMode mode);

    QString lastFolder_;
    SavePlace* place_ = nullptr;
    QPointer<QFileDialog> dialog_;
    // Expires with this object: the dialog's nested event loop may outlive its owner.
    std::shared_ptr<int> life_ = std::make_shared<int>(0);
};

}  // namespace corvane
