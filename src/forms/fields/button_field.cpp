#include "forms/fields/button_field.h"

#include <algorithm>

#include "controls/palette.h"
#include "forms/control_text.h"

namespace corvane {

namespace {
// An icon button lower or narrower than its icon (a unit may give it the size of a text
// button) would show a clipped picture and no word: there the icon shrinks to fit inside the
// frame, and the caption goes beside it when the button is wide enough to hold some text.
struct PageIcon {
    int size = ButtonField::kIconSize;
    bool captionBeside = false;
};

PageIcon fitPageIcon(const QRect& r, bool hasCaption) {
    constexpr int kFrame = 2, kCaptionGap = 10, kMinCaptionWidth = 40;
    PageIcon fit;
    if (r.width() >= ButtonField::kIconSize && r.height() >= ButtonField::kIconSize) return fit;
    fit.size = std::max(std::min(r.width(), r.height()) - 2 * kFrame, 0);
    fit.captionBeside = hasCaption && r.width() - fit.size - kCaptionGap >= kMinCaptionWidth;
    return fit;
}
}  // namespace

unsigned ButtonField::styleFor(std::uint8_t styleByte) {
    if (styleByte == 0) return ButtonStyle::PlainFace | ButtonStyle::NotifyCode;
    return ButtonStyle::NotifyCode | ButtonStyle::IconFace | ButtonStyle::Framed;
}

ButtonField::ButtonField(const PageControl& control, const FieldPlace& place)
    : ButtonField(control, place, new CCorvButton()) {}

ButtonField::ButtonField(const PageControl& control, const FieldPlace& place, CCorvButton* button)
    : PageField(control, button), button_(button) {
    const std::string caption = splitControlText(control.text).caption;
    const QRect& r = place.rect;
    const PageIcon fit = fitPageIcon(r, !caption.empty());
    unsigned style = styleFor(control.style);
    if (control.style != 0 && fit.captionBeside) style |= ButtonStyle::IconBesideText;
    button->Create(caption, style, r.left(), r.top(), r.right() + 1, r.bottom() + 1, place.form, place.windowId);
    if (control.style != 0) {
        const int icon = static_cast<int>(control.icon);
        const int size = fit.size;
        button->SetIcons(icon, size, size, icon, size, size, icon, size, size);
        button->SetBackColour(ColourPane);
    }
    button->SetNotifyCode(static_cast<int>(control.code));
}

void ButtonField::showText(const std::string& text) {
    button_->setCaption(text);
    button_->update();
}

}  // namespace corvane
