#include "forms/fields/list_field.h"

namespace corvane {

ListField::ListField(const PageControl& control, const FieldPlace& place)
    : ListField(control, place, new CFormListBox(place.form)) {}

ListField::ListField(const PageControl& control, const FieldPlace& place, CFormListBox* list)
    : PageField(control, list), list_(list) {
    list->setFrameStyle(QFrame::Box | QFrame::Plain);
    list->setLineWidth(1);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setGeometry(place.rect);
    list->show();
}

std::string ListField::value() const { return list_->selectedTextBytes(); }

void ListField::showLines(const std::vector<std::string>& lines) {
    list_->clear();
    for (const std::string& line : lines) list_->addLine(line);
}

std::string ListField::reportText() const { return list_->selectedTextBytes(); }

ListSelection ListField::listSelection() const { return {list_->selectedRow(), list_->selectedTextBytes()}; }

}  // namespace corvane
