#include "forms/page_field.h"

#include "forms/fields/button_field.h"
#include "forms/fields/choice_field.h"
#include "forms/fields/edit_field.h"
#include "forms/fields/list_field.h"
#include "forms/fields/memo_field.h"
#include "forms/fields/progress_field.h"
#include "forms/fields/reading_field.h"
#include "forms/fields/text_field.h"

namespace corvane {

PageField::PageField(const PageControl& control, QWidget* widget) : id_(control.id), widget_(widget) {}

PageField::~PageField() = default;

void PageField::showValue(const std::string&) {}

void PageField::showText(const std::string&) {}

void PageField::showLines(const std::vector<std::string>&) {}

void PageField::showProgress(int, int) {}

void PageField::limitInput(int) {}

std::unique_ptr<PageField> makePageField(const PageControl& control, const FieldPlace& place) {
    switch (control.type) {
        case 'b': return std::make_unique<ButtonField>(control, place);
        case 'c': return std::make_unique<ChoiceField>(control, place);
        case 'e': return std::make_unique<EditField>(control, place);
        case 'l': return std::make_unique<ListField>(control, place);
        case 'p': return std::make_unique<ProgressField>(control, place);
        case 's': return std::make_unique<ReadingField>(control, place);
        case 't': return std::make_unique<TextField>(control, place);
        case 'x': return std::make_unique<MemoField>(control, place);
        default: return nullptr;
    }
}

}  // namespace corvane
