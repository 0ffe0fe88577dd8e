#include "forms/fields/memo_field.h"

#include "controls/skin_font.h"

namespace corvane {

MemoField::MemoField(const PageControl& control, const FieldPlace& place)
    : MemoField(control, place, new CFormMemo(place.form)) {}

MemoField::MemoField(const PageControl& control, const FieldPlace& place, CFormMemo* memo)
    : PageField(control, memo), memo_(memo) {
    memo->setReadOnly(true);
    memo->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    memo->setLineWidth(1);
    setFieldColours(memo, kMemoFieldBack);
    memo->setFont(skinFont(QStringLiteral("Arial"), 18, 12));
    memo->setGeometry(place.rect);
    memo->show();
}

void MemoField::showText(const std::string& text) { memo_->setTextBytes(text); }

std::string MemoField::reportText() const { return memo_->textBytes(); }

}  // namespace corvane
