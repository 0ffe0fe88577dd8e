#pragma once
// 'x': a read-only multi-line text. The unit sets its text; a report shows it.
#include "forms/form_fields.h"
#include "forms/page_field.h"

namespace corvane {

class MemoField : public PageField {
public:
    MemoField(const PageControl& control, const FieldPlace& place);

    void showText(const std::string& text) override;
    std::string reportText() const override;

private:
    MemoField(const PageControl& control, const FieldPlace& place, CFormMemo* memo);

    CFormMemo* memo_;
};

}  // namespace corvane
