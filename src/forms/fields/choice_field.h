#pragma once
// 'c': a choice box. The text "caption|A|B|C" gives its caption and items; the unit selects an
// item by its text, reads the current one back, and a report shows "caption: item".
#include "forms/choose_box.h"
#include "forms/page_field.h"

namespace corvane {

class ChoiceField : public PageField {
public:
    ChoiceField(const PageControl& control, const FieldPlace& place);

    void showValue(const std::string& value) override;
    bool showsEveryValue() const override { return true; }
    std::string value() const override;
    std::string reportText() const override;

private:
    ChoiceField(const PageControl& control, const FieldPlace& place, CChooseBox* box);

    CChooseBox* box_;
};

}  // namespace corvane
