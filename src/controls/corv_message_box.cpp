#include "controls/corv_message_box.h"

#include "controls/corv_button.h"
#include "controls/corv_progress.h"
#include "controls/corv_work_bar.h"
#include "controls/palette.h"
#include "controls/skin_lines.h"

namespace corvane {

CCorvMessageBox::CCorvMessageBox(QWidget* owner) : CCorvDialog(kTemplateId, owner, true) {}

CCorvMessageBox::CCorvMessageBox(const std::string& text, int type, QWidget* owner)
    : CCorvDialog(kTemplateId, owner, true), text_(text), type_(type) {
    if (type_ == MessageBoxBusy || type_ == MessageBoxProgress) {
        Create(text, type, owner);
        show();
    }
}

// The text lines are members: they leave the dialog's children as they are destroyed, before
// the dialog deletes the children it still has.
CCorvMessageBox::~CCorvMessageBox() = default;

bool CCorvMessageBox::Create(const std::string& text, int type, QWidget* owner) {
    text_ = text;
    type_ = type;
    if (owner != parentWidget()) setParent(owner, windowFlags());
    setModal(false);
    initialise();
    return true;
}

int CCorvMessageBox::RunModal() {
    if (type_ != MessageBoxYesNo && type_ != MessageBoxOk && type_ != MessageBoxComputerUnit) return IDOK;
    initialise();
    return DoModal();
}

std::array<std::string, 3> CCorvMessageBox::splitLines(const std::string& text) {
    // A carriage return ends a line; the line feed after it goes with it. Text after the third
    // line is not shown.
    std::array<std::string, 3> lines;
    std::size_t line = 0;
    for (std::size_t i = 0; i < text.size() && line < lines.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            ++line;
            continue;
        }
        lines[line].push_back(text[i]);
    }
    return lines;
}

QPoint CCorvMessageBox::centredOver(const QRect& owner, const QSize& size) {
    return QPoint(owner.x() + owner.width() / 2 - size.width() / 2, owner.y() + owner.height() / 2 - size.height() / 2);
}

CCorvButton* CCorvMessageBox::makeButton(const std::string& caption, const QRect& rect, int id) {
    auto* button = new CCorvButton;
    button->Create(caption, kButtonStyle, rect.left(), rect.top(), rect.left() + rect.width(),
                   rect.top() + rect.height(), this, id);
    button->SetBackColour(ColourPanel);
    button->SetFrameColours(ColourEdgeLight, ColourEdgeLight, ColourEdgeDark, ColourEdgeDark, ColourEdgeDark);
    button->SetFaceColours(ColourAccent, ColourAccent, ColourAccent, ColourEdgeDark);
    routeCommands(button);
    button->show();
    return button;
}

void CCorvMessageBox::initialise() {
    if (initialised_) return;
    initialised_ = true;
    setGeometry(0, 0, kWidth, kHeight);
    setWindowTitle(QStringLiteral("CORVANE"));

    const int L = 0, T = 0, R = kWidth, B = kHeight;
    leftRect_ = rectLTRB(L + 20, B - 50, L + 210, B - 20);
    rightRect_ = rectLTRB(R - 210, B - 50, R - 20, B - 20);
    const int c = (R - 190) / 2;
    centreRect_ = rectLTRB(c, B - 50, c + 190, B - 20);
    progressRect_ = rectLTRB(L + 20, B - 50, R - 20, B - 20);
    busyRect_ = rectLTRB(L + 20, B - 46, R - 20, B - 24);

    lineTexts_ = splitLines(text_);
    for (int i = 0; i < 3; ++i) {
        lines_[i].Create(lineTexts_[i], L + 20, T + 30 + 20 * i, R - 20, T + 49 + 20 * i, this, 1000);
        lines_[i].SetColours(ColourPanel, ColourEdgeLight);
    }

    switch (type_) {
        case MessageBoxYesNo:
            left_ = makeButton("YES", leftRect_, IDOK);
            right_ = makeButton("NO", rightRect_, IDCANCEL);
            break;
        case MessageBoxOk: centre_ = makeButton("OK", centreRect_, IDOK); break;
        case MessageBoxComputerUnit:
            left_ = makeButton("COMPUTER", leftRect_, IDOK);
            right_ = makeButton("CORVANE", rightRect_, IDCANCEL);
            break;
        case MessageBoxBusy:
            busy_ = new CCorvWorkBar;
            busy_->Create(busyRect_.left(), busyRect_.top(), busyRect_.left() + busyRect_.width(),
                          busyRect_.top() + busyRect_.height(), this);
            busy_->show();
            break;
        case MessageBoxProgress:
            progress_ = new CCorvProgress;
            progress_->Create(progressRect_.left(), progressRect_.top(), progressRect_.left() + progressRect_.width(),
                              progressRect_.top() + progressRect_.height(), this);
            progress_->show();
            break;
        default: break;
    }

    if (QWidget* owner = parentWidget()) move(centredOver(owner->window()->frameGeometry(), frameGeometry().size()));
}

void CCorvMessageBox::OnCommand(int id) {
    switch (id) {
        case IDOK: OnOK(); break;
        case IDCANCEL:
        case IDC_CLOSE_BUTTON: OnCancel(); break;
        default: CCorvDialog::OnCommand(id); break;
    }
}

void CCorvMessageBox::OnOK() {
    if (type_ == MessageBoxYesNo || type_ == MessageBoxOk || type_ == MessageBoxComputerUnit) CCorvDialog::OnOK();
}

void CCorvMessageBox::SetProgressRange(int minimum, int maximum) {
    if (type_ == MessageBoxProgress && progress_) progress_->SetRange(minimum, maximum);
}

void CCorvMessageBox::SetProgressPos(int position) {
    if (type_ == MessageBoxProgress && progress_) progress_->SetPos(position);
}

void CCorvMessageBox::StartBusyBar() {
    if (busy_) busy_->Start();
}

}  // namespace corvane
