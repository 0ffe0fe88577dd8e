#include "forms/fields/reading_field.h"

#include "forms/control_text.h"

namespace corvane {

ReadingField::ReadingField(const PageControl& control, const FieldPlace& place)
    : ReadingField(control, place, new CCorvShowBox()) {}

ReadingField::ReadingField(const PageControl& control, const FieldPlace& place, CCorvShowBox* box)
    : PageField(control, box), box_(box) {
    const ControlText text = splitControlText(control.text);
    // The unit ends the caption's list part like any list; the '^' is no part of the unit.
    label_ = {text.caption, text.list.substr(0, text.list.find('^'))};
    const QRect& r = place.rect;
    box->Create(r.left(), r.top(), r.right() + 1, r.bottom() + 1, place.form, place.windowId);
    box->setCaption(text.caption);
    box->setValue("");
}

void ReadingField::showValue(const std::string& value) { box_->setValue(value); }

std::string ReadingField::value() const { return box_->value(); }

std::string ReadingField::reportText() const { return box_->caption() + ": " + box_->value(); }

}  // namespace corvane
