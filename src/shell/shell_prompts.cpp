#include "shell/shell_prompts.h"

#include "shell/shell_message_box.h"

#include <QFileDialog>

namespace corvane {

bool ModalShellPrompts::askYesNo(QWidget* owner, const std::string& text) {
    CCorvNoticeBox box(text, CCorvNoticeBox::YesNo, owner);
    return box.RunModal() == IDOK;
}

void ModalShellPrompts::inform(QWidget* owner, const std::string& text) {
    CCorvNoticeBox box(text, CCorvNoticeBox::Ok, owner);
    box.RunModal();
}

std::optional<QString> ModalShellPrompts::chooseTraceFile(QWidget* owner) {
    QFileDialog dialog(owner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromLatin1(kTraceDefaultSuffix));
    dialog.setNameFilters({QStringLiteral("(*.txt)"), QStringLiteral("(*)")});
    dialog.selectFile(QString::fromLatin1(kTraceDefaultName));
    // Asking before an existing file is overwritten is the dialog's default.
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}

}  // namespace corvane
