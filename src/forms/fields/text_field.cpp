#include "forms/fields/text_field.h"

#include "forms/control_text.h"

namespace corvane {

TextField::TextField(const PageControl& control, const FieldPlace& place)
    : TextField(control, place, new CCorvStatic()) {}

TextField::TextField(const PageControl& control, const FieldPlace& place, CCorvStatic* label)
    : PageField(control, label), label_(label) {
    const QRect& r = place.rect;
    label->Create(splitControlText(control.text).caption, r.left(), r.top(), r.right() + 1, r.bottom() + 1, place.form,
                  place.windowId);
}

void TextField::showText(const std::string& text) {
    label_->setText(text);
    label_->repaint();
}

std::string TextField::reportText() const { return label_->text(); }

}  // namespace corvane
