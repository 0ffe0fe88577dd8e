#pragma once
// 'b': a page button. A click sends the control's code through the form to the main window; the
// unit may change its caption with a text. Style byte 0 makes a text button, any other an icon
// button showing the icon the main window chose for the style.
#include "controls/corv_button.h"
#include "forms/page_field.h"

namespace corvane {

class ButtonField : public PageField {
public:
    static constexpr int kIconSize = 80;

    ButtonField(const PageControl& control, const FieldPlace& place);

    void showText(const std::string& text) override;

    // The button style for a style byte: a text button for 0, an icon button otherwise.
    static unsigned styleFor(std::uint8_t styleByte);

private:
    ButtonField(const PageControl& control, const FieldPlace& place, CCorvButton* button);

    CCorvButton* button_;
};

}  // namespace corvane
