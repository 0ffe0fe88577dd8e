#pragma once
// 'l': a list box. The unit fills its lines; the selected line is read back, goes with a page
// choice, and stands in a report.
#include "forms/form_fields.h"
#include "forms/page_field.h"

namespace corvane {

class ListField : public PageField {
public:
    ListField(const PageControl& control, const FieldPlace& place);

    std::string value() const override;
    void showLines(const std::vector<std::string>& lines) override;
    std::string reportText() const override;
    bool isList() const override { return true; }
    ListSelection listSelection() const override;

private:
    ListField(const PageControl& control, const FieldPlace& place, CFormListBox* list);

    CFormListBox* list_;
};

}  // namespace corvane
