#include "screens/report_save.h"

#include <QCoreApplication>
#include <QFile>

#include "platform/cp1252.h"
#include "screens/file_write.h"

namespace corvane {

ReportSave::ReportSave(FileDialogs& dialogs, QWidget* dialogParent, Notify notify)
    : dialogs_(dialogs), parent_(dialogParent), notify_(std::move(notify)) {}

FileDialogs::Request ReportSave::request() {
    FileDialogs::Request r;
    r.filter = QStringLiteral("(*.txt)|*.txt|(*.*)|*.*|");
    r.proposedName = QStringLiteral("report");
    r.defaultSuffix = QStringLiteral("txt");
    return r;
}

std::string ReportSave::failureText(const QString& path, int error) {
    return encodeCp1252(QCoreApplication::translate("corvane::ReportSave", "Cannot write the report file %1:\n%2")
                            .arg(path, QString::fromStdString(fileWriteReason(error))));
}

ReportSave::Outcome ReportSave::save(const std::string& text) {
    if (dialogs_.isOpen()) return Outcome::Dropped;
    const QString path = dialogs_.askSave(parent_, request());
    if (path.isEmpty()) return Outcome::Cancelled;
    const QByteArray localPath = QFile::encodeName(path);
    const int error =
        writeWholeFile(std::string(localPath.constData(), static_cast<std::size_t>(localPath.size())), text);
    if (error == 0) {
        dialogs_.noteSaved(path, SavedFile::Report);
        return Outcome::Saved;
    }
    if (notify_) notify_(failureText(path, error));
    return Outcome::Failed;
}

}  // namespace corvane
