#include "forms/fields/progress_field.h"

namespace corvane {

ProgressField::ProgressField(const PageControl& control, const FieldPlace& place)
    : ProgressField(control, place, new CCorvProgress()) {}

ProgressField::ProgressField(const PageControl& control, const FieldPlace& place, CCorvProgress* bar)
    : PageField(control, bar), bar_(bar) {
    const QRect& r = place.rect;
    bar->Create(r.left(), r.top(), r.right() + 1, r.bottom() + 1, place.form);
    bar->show();
}

void ProgressField::showProgress(int range, int position) {
    bar_->SetRange(0, range);
    bar_->SetPos(position);
}

}  // namespace corvane
