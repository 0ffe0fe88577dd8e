#include "forms/fields/edit_field.h"

#include "controls/skin_font.h"

namespace corvane {

EditField::EditField(const PageControl& control, const FieldPlace& place)
    : EditField(control, place, new CFormEdit(place.form)) {}

EditField::EditField(const PageControl& control, const FieldPlace& place, CFormEdit* edit)
    : PageField(control, edit), edit_(edit) {
    edit->setFrame(false);
    setFieldColours(edit, kEditFieldBack);
    edit->setFont(skinFont(QStringLiteral("Arial"), 22, 12));
    edit->setGeometry(place.rect);
    edit->show();
}

void EditField::showValue(const std::string& value) { edit_->setTextBytes(value); }

std::string EditField::value() const { return edit_->textBytes(); }

void EditField::showText(const std::string& text) { edit_->setTextBytes(text); }

std::string EditField::reportText() const { return edit_->textBytes(); }

void EditField::limitInput(int bytes) { edit_->setMaxBytes(bytes); }

}  // namespace corvane
