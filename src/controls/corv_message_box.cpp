#include "controls/corv_message_box.h"

#include "controls/corv_button.h"
#include "controls/corv_progress.h"
#include "controls/corv_work_bar.h"
#include "controls/palette.h"
#include "controls/skin_lines.h"
#include "controls/text_rows.h"
#include "platform/cp1252.h"

#include <algorithm>

namespace corvane {

CCorvMessageBox::CCorvMessageBox(QWidget* owner) : CCorvDialog(kTemplateId, owner, true) {}

CCorvMessageBox::CCorvMessageBox(const std::string& text, int type, QWidget* owner)
    : CCorvDialog(kTemplateId, owner, true), text_(text), type_(type) {
    if (type_ == MessageBoxBusy || type_ == MessageBoxProgress) {
        Create(text, type, owner);
        show();
    }
}

// The text rows are owned by a member: they leave the dialog's children as they are destroyed,
// before the dialog deletes the children it still has.
CCorvMessageBox::~CCorvMessageBox() = default;

bool CCorvMessageBox::Create(const std::string& text, int type, QWidget* owner) {
    text_ = text;
    type_ = type;
    if (owner != parentWidget()) setParent(owner, windowFlags());
    setModal(false);
    initialise();
    return true;
}

int CCorvMessageBox::runModal() {
    if (type_ != MessageBoxYesNo && type_ != MessageBoxOk && type_ != MessageBoxComputerUnit) return IDOK;
    initialise();
    return DoModal();
}

std::array<std::string, 3> CCorvMessageBox::splitLines(const std::string& text) {
    // A carriage return ends a line and takes the character after it along (the line feed of
    // the unit's CR LF pairs). Text after the third line is not shown.
    std::array<std::string, 3> lines;
    std::size_t line = 0;
    for (std::size_t i = 0; i < text.size() && line < lines.size(); ++i) {
        if (text[i] == '\r') {
            ++i;
            ++line;
            continue;
        }
        lines[line].push_back(text[i]);
    }
    return lines;
}

std::vector<std::string> CCorvMessageBox::rowsFor(const std::string& text) {
    const QFont font = CCorvStatic::labelFont();
    const TextWidth widthOf = [&font](const std::string& bytes) { return CCorvStatic::shownWidth(bytes, font); };
    std::vector<std::string> rows;
    for (const std::string& line : splitLines(text)) {
        if (rows.size() > kMaxRows) break;
        for (std::string& row : wrapRows(line, kRowWidth, widthOf, kMaxRows)) rows.push_back(std::move(row));
    }
    // Empty lines at the end take no room beyond the standard three rows.
    while (rows.size() > kMinRows && rows.back().empty()) rows.pop_back();
    limitRows(rows, kMaxRows, kRowWidth, widthOf);
    rows.resize(std::max(rows.size(), kMinRows));
    return rows;
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
    const std::vector<std::string> rowTexts = rowsFor(text_);
    const int height = kHeight + kRowPitch * static_cast<int>(rowTexts.size() - kMinRows);
    setGeometry(0, 0, kWidth, height);
    setWindowTitle(QStringLiteral("CORVANE"));

    const int L = 0, T = 0, R = kWidth, B = height;
    leftRect_ = rectLTRB(L + 20, B - 50, L + 210, B - 20);
    rightRect_ = rectLTRB(R - 210, B - 50, R - 20, B - 20);
    const int c = (R - 190) / 2;
    centreRect_ = rectLTRB(c, B - 50, c + 190, B - 20);
    progressRect_ = rectLTRB(L + 20, B - 50, R - 20, B - 20);
    busyRect_ = rectLTRB(L + 20, B - 46, R - 20, B - 24);

    for (std::size_t i = 0; i < rowTexts.size(); ++i) {
        auto row = std::make_unique<CCorvStatic>();
        const int top = T + 30 + kRowPitch * static_cast<int>(i);
        row->Create(rowTexts[i], L + 20, top, R - 20, top + 19, this, 1000);
        row->SetColours(ColourPanel, ColourEdgeLight);
        rows_.push_back(std::move(row));
    }

    switch (type_) {
        case MessageBoxYesNo:
            left_ = makeButton(encodeCp1252(tr("YES")), leftRect_, IDOK);
            right_ = makeButton(encodeCp1252(tr("NO")), rightRect_, IDCANCEL);
            break;
        case MessageBoxOk: centre_ = makeButton(encodeCp1252(tr("OK")), centreRect_, IDOK); break;
        case MessageBoxComputerUnit:
            left_ = makeButton(encodeCp1252(tr("COMPUTER")), leftRect_, IDOK);
            right_ = makeButton(encodeCp1252(tr("CORVANE")), rightRect_, IDCANCEL);
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
