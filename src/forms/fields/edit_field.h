#pragma once
// 'e': a single-line edit field. The unit sets its text by value or text and reads back what the
// user left in it, byte for byte; the user can type no more than one reply carries.
#include "forms/form_fields.h"
#include "forms/page_field.h"

namespace corvane {

class EditField : public PageField {
public:
    EditField(const PageControl& control, const FieldPlace& place);

    void showValue(const std::string& value) override;
    std::string value() const override;
    void showText(const std::string& text) override;
    std::string reportText() const override;
    void limitInput(int bytes) override;

private:
    EditField(const PageControl& control, const FieldPlace& place, CFormEdit* edit);

    CFormEdit* edit_;
};

}  // namespace corvane
