#include "screens/corv_string_wnd.h"

#include <QLineEdit>

#include "controls/corv_button.h"
#include "controls/keyboard_focus.h"
#include "controls/palette.h"
#include "controls/skin_font.h"
#include "controls/wire_text_validator.h"
#include "forms/form_fields.h"
#include "platform/cp1252.h"
#include "platform/dialog_units.h"

namespace corvane {

namespace {
constexpr int kEditFontHeight = 22;
constexpr int kEditFontWidth = 12;
}  // namespace

CCorvStringWnd::CCorvStringWnd(QWidget* owner, const std::string& caption)
    : CCorvDialog(kTemplateId, owner, true), caption_(caption) {
    setWindowTitle(QStringLiteral("CORVANE"));
    resize(dialogUnitsToPixelsX(273), dialogUnitsToPixelsY(94));
    const int L = 0, T = 0, R = width();

    captionStatic_.Create(caption_, L + 20, T + 25, R - 20, T + 55, this);
    captionStatic_.SetColours(ColourPanel, ColourEdgeLight);

    edit_ = new QLineEdit(this);
    edit_->setGeometry(L + 20, T + 60, R - 40 - L, 30);
    edit_->setFrame(false);
    edit_->setAccessibleName(decodeCp1252(caption_));
    edit_->setFont(skinFont(QStringLiteral("Arial"), kEditFontHeight, kEditFontWidth));
    validator_ = new WireTextValidator(edit_);
    edit_->setValidator(validator_);
    showKeyboardFocusOn(edit_);

    ok_ = new CCorvButton;
    ok_->Create(encodeCp1252(tr("OK")), ButtonStyle::PlainFace, L + 20, T + 100, R - 20, T + 140, this, IDOK);
    routeCommands(ok_);

    // The notice sits in the caption band, clear of the caption buttons; it lets drags through.
    notice_ = new CCorvNotice(this);
    notice_->setGeometry(L + 8, T + 4, R - 46 - (L + 8), 18);
    connect(validator_, &WireTextValidator::refused, notice_,
            [this](const QString& c) { notice_->setNotice(WireTextValidator::refusalNotice(c)); });
    connect(validator_, &WireTextValidator::limitReached, notice_,
            [this](int n) { notice_->setNotice(WireTextValidator::limitNotice(n)); });
    // The notice goes once the user types something the field accepts.
    connect(edit_, &QLineEdit::textEdited, notice_, [this] { notice_->setNotice({}); });
    edit_->setFocus();
}

CCorvStringWnd::~CCorvStringWnd() = default;

void CCorvStringWnd::setMaxLength(int characters) { validator_->setMaxLength(characters); }

int CCorvStringWnd::maxLength() const { return validator_->maxLength(); }

void CCorvStringWnd::OnOK() {
    text_ = encodeCp1252(edit_->text());
    CCorvDialog::OnOK();
}

void CCorvStringWnd::OnCommand(int id) {
    if (id == IDOK)
        OnOK();
    else
        CCorvDialog::OnCommand(id);
}

}  // namespace corvane
