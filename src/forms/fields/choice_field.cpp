#include "forms/fields/choice_field.h"

#include "forms/control_text.h"

namespace corvane {

ChoiceField::ChoiceField(const PageControl& control, const FieldPlace& place)
    : ChoiceField(control, place, new CChooseBox(place.form)) {}

ChoiceField::ChoiceField(const PageControl& control, const FieldPlace& place, CChooseBox* box)
    : PageField(control, box), box_(box) {
    const ControlText text = splitControlText(control.text);
    const QRect& r = place.rect;
    box->create(place.form, r.left(), r.top(), r.right() + 1, r.bottom() + 1);
    box->setCaption(text.caption);
    box->setItems(text.list);
}

void ChoiceField::showValue(const std::string& value) { box_->selectByText(value); }

std::string ChoiceField::value() const { return box_->currentItemText(); }

std::string ChoiceField::reportText() const { return box_->captionText() + ": " + box_->currentItemText(); }

}  // namespace corvane
