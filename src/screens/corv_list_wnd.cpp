#include "screens/corv_list_wnd.h"

#include "controls/corv_button.h"
#include "controls/palette.h"
#include "controls/skin_lines.h"
#include "forms/form_fields.h"
#include "platform/cp1252.h"
#include "platform/dialog_units.h"

namespace corvane {

CCorvListWnd::CCorvListWnd(QWidget* owner, const std::string& caption)
    : CCorvDialog(kTemplateId, owner, true), caption_(caption) {
    setWindowTitle(QStringLiteral("CORVANE"));
    resize(dialogUnitsToPixelsX(274), dialogUnitsToPixelsY(197));

    const QRect captionRect = dialogUnitsToPixels(7, 23, 260, 14);
    captionStatic_.Create(caption_, captionRect.left(), captionRect.top(), captionRect.left() + captionRect.width(),
                          captionRect.top() + captionRect.height(), this, 1005);
    captionStatic_.SetColours(ColourPanel, ColourEdgeLight);

    list_ = new CFormListBox(this);
    list_->setObjectName(QStringLiteral("list1002"));
    list_->setAccessibleName(decodeCp1252(caption_));
    list_->setGeometry(dialogUnitsToPixels(7, 42, 260, 114));
    // The scroll bar comes only when the lines outgrow the list, as in the pages' lists.
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list_->setUniformItemSizes(true);
    // A double click chooses the line like OK.
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { OnOK(); });

    const QRect l = list_->geometry();
    const int left = l.left(), right = l.left() + l.width(), bottom = l.top() + l.height();
    ok_ = new CCorvButton;
    ok_->Create(encodeCp1252(tr("OK")), ButtonStyle::PlainFace, left, bottom + 10, right, bottom + 50, this, IDOK);
    routeCommands(ok_);
    list_->setFocus();
}

CCorvListWnd::~CCorvListWnd() = default;

bool CCorvListWnd::appendLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        if (list_->count() >= kMaxLines) return false;
        list_->addLine(line);
    }
    return true;
}

int CCorvListWnd::lineCount() const { return list_->count(); }

std::string CCorvListWnd::lineBytes(int row) const { return list_->lineBytes(row); }

void CCorvListWnd::OnOK() {
    const int row = list_->selectedRow();
    choice_ = row >= 0 ? row + 1 : 0;
    CCorvDialog::OnOK();
}

void CCorvListWnd::OnCommand(int id) {
    if (id == IDOK)
        OnOK();
    else
        CCorvDialog::OnCommand(id);
}

}  // namespace corvane
