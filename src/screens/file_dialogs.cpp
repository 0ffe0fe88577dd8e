#include "screens/file_dialogs.h"

#include <QCoreApplication>

#include <algorithm>

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QSplitter>
#include <QTreeView>

#include "controls/keyboard_focus.h"

namespace corvane {

namespace {

// Qt's dialog opens at 624 x 412 in its list view, and its detail view sizes the size and date
// columns for short texts ("384...KiB"): open it large enough, in the detail view, with those
// columns as wide as what they show and the name taking the rest.
constexpr QSize kDialogSize(900, 560);
constexpr int kPlacesWidth = 170;

void showDetailsWhole(QFileDialog& dialog) {
    dialog.resize(kDialogSize);
    dialog.setViewMode(QFileDialog::Detail);
    // The side bar of places is narrow by default and cuts folder names short.
    if (auto* splitter = dialog.findChild<QSplitter*>(QStringLiteral("splitter"))) {
        QList<int> sizes = splitter->sizes();
        if (sizes.size() == 2 && sizes[0] < kPlacesWidth) {
            sizes[1] = std::max(0, sizes[0] + sizes[1] - kPlacesWidth);
            sizes[0] = kPlacesWidth;
            splitter->setSizes(sizes);
        }
    }
    auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!details) return;
    QHeaderView* header = details->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < header->count(); ++column)
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
}

}  // namespace

QStringList FileDialogs::nameFilters(const QString& unitFilter) {
    const QStringList fields = unitFilter.split(QLatin1Char('|'));
    QStringList filters;
    // Fields come in pairs; a trailing empty field (the closing '|') or a lone description is
    // dropped.
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
        const QString description = fields[i].trimmed();
        QString patterns = fields[i + 1].trimmed();
        if (patterns.isEmpty()) continue;
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString inParens = QStringLiteral("(%1)").arg(patterns);
        if (description.isEmpty() || description == inParens)
            filters << inParens;
        else if (description.endsWith(inParens))
            filters << description;
        else
            filters << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    if (filters.isEmpty()) filters << QCoreApplication::translate("corvane::FileDialogs", "All files (*)");
    return filters;
}

QString FileDialogs::askOpen(QWidget* parent, const Request& request) {
    return run(parent, request, QFileDialog::AcceptOpen);
}

QString FileDialogs::askSave(QWidget* parent, const Request& request) {
    return run(parent, request, QFileDialog::AcceptSave);
}

QString FileDialogs::saveFolder() {
    if (place_)
        if (QString folder = place_->saveFolder(); !folder.isEmpty()) return folder;
    return lastFolder_.isEmpty() ? QDir::homePath() : lastFolder_;
}

void FileDialogs::noteSaved(const QString& path, SavedFile kind, const QString& detail) {
    if (place_) place_->fileSaved(QFileInfo(path).absoluteFilePath(), kind, detail);
}

void FileDialogs::cancelOpenDialog() {
    if (dialog_) dialog_->reject();
}

QString FileDialogs::run(QWidget* parent, const Request& request, QFileDialog::AcceptMode mode) {
    if (dialog_) return {};
    if (lastFolder_.isEmpty()) lastFolder_ = QDir::homePath();

    // On the heap: the window that owns it may be destroyed while it waits, taking the dialog
    // with it, and neither this object nor the dialog may be touched after that.
    QPointer<QFileDialog> dialog = new QFileDialog(parent);
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    takeFocusWhenShown(dialog);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog->setNameFilters(nameFilters(request.filter));
    const bool ownFolder = mode == QFileDialog::AcceptSave && !request.folder.isEmpty();
    dialog->setDirectory(ownFolder ? request.folder : mode == QFileDialog::AcceptSave ? saveFolder() : lastFolder_);
    showDetailsWhole(*dialog);
    if (mode == QFileDialog::AcceptSave) {
        // The save dialog asks before it replaces an existing file (Qt's default).
        if (!request.defaultSuffix.isEmpty()) dialog->setDefaultSuffix(request.defaultSuffix);
        if (!request.proposedName.isEmpty()) dialog->selectFile(request.proposedName);
    }
    dialog_ = dialog;
    const std::weak_ptr<int> alive = life_;
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (alive.expired()) {
        delete dialog.data();
        return {};
    }
    dialog_ = nullptr;
    if (!dialog) return {};
    const QStringList chosen = dialog->selectedFiles();
    delete dialog.data();
    if (!accepted || chosen.isEmpty()) return {};
    const QString path = chosen.constFirst();
    lastFolder_ = QFileInfo(path).absolutePath();
    return path;
}

}  // namespace corvane
