#pragma once
// 't': a text on the page. The unit replaces it by value or text; a report shows it. It gives
// the unit no value back.
#include "controls/corv_static.h"
#include "forms/page_field.h"

namespace corvane {

class TextField : public PageField {
public:
    TextField(const PageControl& control, const FieldPlace& place);

    void showValue(const std::string& value) override { showText(value); }
    void showText(const std::string& text) override;
    std::string reportText() const override;

private:
    TextField(const PageControl& control, const FieldPlace& place, CCorvStatic* label);

    CCorvStatic* label_;
};

}  // namespace corvane
