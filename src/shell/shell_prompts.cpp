#include "shell/shell_prompts.h"

#include "shell/shell_message_box.h"
#include "controls/keyboard_focus.h"
#include "platform/cp1252.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QGuiApplication>

#include <cstdio>

namespace corvane {

namespace {

// On a platform without a screen (Qt's offscreen and minimal ones) nobody can see a box, let
// alone answer it, and a modal wait would never end.
bool nobodyCanSee() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

void printUnseen(const QString& what, const std::string& text) {
    const QByteArray shown = decodeCp1252(text).replace(QLatin1String("\r\n"), QLatin1String("\n")).toLocal8Bit();
    std::fprintf(stderr, "corvane: %s %s\n", what.toLocal8Bit().constData(), shown.constData());
}

}  // namespace

bool ModalShellPrompts::askYesNo(QWidget* owner, const std::string& text, PresetAnswer preset) {
    if (nobodyCanSee()) {
        printUnseen(QCoreApplication::translate("corvane::ShellPrompts", "(no display, answered No)"), text);
        return false;
    }
    CCorvNoticeBox box(text, preset == PresetAnswer::No ? CCorvNoticeBox::YesNoPresetNo : CCorvNoticeBox::YesNo, owner);
    return box.runModal() == IDOK;
}

void ModalShellPrompts::inform(QWidget* owner, const std::string& text) {
    if (nobodyCanSee()) {
        printUnseen(QCoreApplication::translate("corvane::ShellPrompts", "(no display)"), text);
        return;
    }
    CCorvNoticeBox box(text, CCorvNoticeBox::Ok, owner);
    box.runModal();
}

std::optional<QString> ModalShellPrompts::chooseTraceFile(QWidget* owner, const QString& folder) {
    if (nobodyCanSee()) return std::nullopt;
    QFileDialog dialog(owner);
    takeFocusWhenShown(&dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromLatin1(kTraceDefaultSuffix));
    dialog.setNameFilters({QStringLiteral("(*.txt)"), QStringLiteral("(*)")});
    if (!folder.isEmpty()) dialog.setDirectory(folder);
    dialog.selectFile(QString::fromLatin1(kTraceDefaultName));
    // Asking before an existing file is overwritten is the dialog's default.
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}

}  // namespace corvane
