#pragma once
// The open and save dialogs that the unit's file requests and the report save show. They are
// Qt's own dialogs rather than the desktop's, so that they look and behave the same on every
// desktop and can be driven in tests. One dialog is open at a time (the file dialog slot); each
// opens in the folder last used in this run, the home folder the first time.
#include <QFileDialog>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>

class QWidget;

namespace corvane {

class FileDialogs {
public:
    struct Request {
        // The unit's filter form: description and pattern pairs, each field ended by '|',
        // for example "(*.txt)|*.txt|(*.*)|*.*|". Empty or malformed: all files.
        QString filter;
        // Save only: the file name proposed, and the extension added when the user types none.
        QString proposedName;
        QString defaultSuffix;
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

    // The unit's filter form as Qt name filters.
    static QStringList nameFilters(const QString& unitFilter);

private:
    QString run(QWidget* parent, const Request& request, QFileDialog::AcceptMode mode);

    QString lastFolder_;
    QPointer<QFileDialog> dialog_;
    // Expires with this object: the dialog's nested event loop may outlive its owner.
    std::shared_ptr<int> life_ = std::make_shared<int>(0);
};

}  // namespace corvane
