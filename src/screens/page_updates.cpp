#include "screens/page_updates.h"

#include <algorithm>
#include <climits>

#include "controls/corv_button.h"
#include "controls/corv_progress.h"
#include "controls/corv_show_box.h"
#include "controls/corv_static.h"
#include "forms/choose_box.h"
#include "forms/form_fields.h"
#include "link/link_messages.h"
#include "screens/report_text.h"

namespace corvane {

namespace {
int clampToInt(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX)); }

void setBar(const PageControl& control, int range, int position) {
    if (auto* bar = qobject_cast<CCorvProgress*>(control.window)) {
        bar->SetRange(0, range);
        bar->SetPos(position);
    }
}
}  // namespace

PageUpdates::PageUpdates(UnitLink& link, const PageChoices& pages, ReportSave& saver)
    : link_(link), pages_(pages), saver_(saver) {}

template <typename T>
T PageUpdates::contentOf(std::uint32_t message, const LinkContent* content) {
    if (content)
        if (const T* carried = std::get_if<T>(content)) return *carried;
    LinkContent fromRecord = link_.contentFor(message);
    if (T* read = std::get_if<T>(&fromRecord)) return std::move(*read);
    return T{};
}

bool PageUpdates::handle(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                         const LinkContent* content) {
    switch (message) {
        case WM_LINK_LIST: fillList(contentOf<ListContent>(message, content)); return true;
        case WM_LINK_TEXT: setText(contentOf<TextContent>(message, content)); return true;
        case WM_LINK_VALUES: showValues(contentOf<ValuesContent>(message, content)); return true;
        case WM_LINK_VALUE_REQUEST:
            collectValues(static_cast<std::uint32_t>(wParam), static_cast<std::uint32_t>(lParam));
            return true;
        case WM_LINK_PROGRESS: setProgress(contentOf<ProgressContent>(message, content)); return true;
        case WM_LINK_TRANSFER:
            showTransferProgress(static_cast<std::uint32_t>(std::min<std::uintptr_t>(wParam, UINT32_MAX)),
                                 static_cast<std::uint32_t>(std::clamp<std::intptr_t>(lParam, 0, UINT32_MAX)));
            return true;
        case WM_LINK_REPORT: saveReport(); return true;
        default: return false;
    }
}

std::string PageUpdates::readValue(const PageControl& control) {
    QWidget* window = control.window;
    switch (control.type) {
        case 'c':
            if (auto* box = qobject_cast<CChooseBox*>(window)) return box->currentItemText();
            break;
        case 'e':
            if (auto* edit = qobject_cast<CFormEdit*>(window)) return edit->textBytes();
            break;
        case 's':
            if (auto* box = qobject_cast<CCorvShowBox*>(window)) return box->Value();
            break;
        case 'l':
            if (auto* list = qobject_cast<CFormListBox*>(window)) return list->selectedTextBytes();
            break;
        default: break;
    }
    return {};
}

void PageUpdates::setValue(const PageControl& control, const std::string& value) {
    QWidget* window = control.window;
    switch (control.type) {
        case 'c':
            if (auto* box = qobject_cast<CChooseBox*>(window)) box->selectByText(value);
            break;
        case 'e':
            if (auto* edit = qobject_cast<CFormEdit*>(window)) edit->setTextBytes(value);
            break;
        case 's':
            if (auto* box = qobject_cast<CCorvShowBox*>(window)) box->SetValue(value);
            break;
        case 't':
            if (auto* label = qobject_cast<CCorvStatic*>(window)) {
                label->setText(value);
                label->repaint();
            }
            break;
        default: break;
    }
}

void PageUpdates::fillList(const ListContent& list) {
    if (list.header == 0) {
        if (popUps_) popUps_->appendToListWindow(list.items);
        return;
    }
    const MenuPage* page = currentPage();
    if (!page) return;
    for (const auto& control : page->controls) {
        if (control->id != list.header) continue;
        auto* box = qobject_cast<CFormListBox*>(control->window);
        if (!box) continue;
        box->clear();
        for (const std::string& line : list.items) box->addLine(line);
    }
}

void PageUpdates::setText(const TextContent& record) {
    const MenuPage* page = currentPage();
    if (!page) return;
    for (const auto& control : page->controls) {
        if (control->id != record.header || !control->window) continue;
        QWidget* window = control->window;
        if (auto* label = qobject_cast<CCorvStatic*>(window)) {
            label->setText(record.text);
            label->repaint();
        } else if (auto* edit = qobject_cast<CFormEdit*>(window)) {
            edit->setTextBytes(record.text);
        } else if (auto* memo = qobject_cast<CFormMemo*>(window)) {
            memo->setTextBytes(record.text);
        } else if (auto* button = qobject_cast<CCorvButton*>(window)) {
            button->setCaption(record.text);
            button->update();
        }
    }
}

void PageUpdates::showValues(const ValuesContent& values) {
    const MenuPage* page = currentPage();
    if (!page) return;
    // Value numbers beyond the page's control count are not shown.
    const std::size_t shown = page->count();
    for (const auto& [position, value] : values.present) {
        if (position < 1 || static_cast<std::size_t>(position) > shown) continue;
        for (const auto& control : page->controls)
            if (control->id == position && control->window) setValue(*control, value);
    }
}

void PageUpdates::collectValues(std::uint32_t first, std::uint32_t last) {
    const MenuPage* page = currentPage();
    auto records = link_.lockRecords();
    ValueTable& values = link_.valueTable();
    values.emptyReply();
    if (page) {
        // Ids are single bytes. The values go in order up to the first that does not fit: the
        // unit reads them by position, so none may be left out in the middle.
        bool fits = true;
        for (std::uint32_t id = first; fits && id <= std::min<std::uint32_t>(last, 255); ++id) {
            for (const auto& control : page->controls)
                if (fits && control->id == id) fits = values.addReplyValue(readValue(*control));
        }
    }
    values.closeReply();
}

void PageUpdates::setProgress(const ProgressContent& progress) {
    if (progress.target == ProgressRecord::kKeyPadTarget && popUps_)
        popUps_->setKeyPadProgress(progress.range, progress.position);
    const MenuPage* page = currentPage();
    if (!page) return;
    for (const auto& control : page->controls)
        if (control->type == 'p' && control->id == progress.target) setBar(*control, progress.range, progress.position);
}

void PageUpdates::showTransferProgress(std::uint32_t total, std::uint32_t done) {
    const int range = clampToInt(total);
    const int position = clampToInt(done);
    if (popUps_ && popUps_->messageBoxOpen()) {
        popUps_->setMessageBoxProgress(range, position);
        return;
    }
    const MenuPage* page = currentPage();
    if (!page) return;
    for (const auto& control : page->controls)
        if (control->type == 'p') setBar(*control, range, position);
}

void PageUpdates::saveReport() {
    ComposedReport report;
    {
        auto records = link_.lockRecords();
        report = composeReport(link_.reportBuffer(), currentPage());
    }
    // The records stay unlocked while the dialog is open: the worker waits for this handler, and
    // the posted handlers that run meanwhile need them.
    if (report.layoutBytes == 0) return;
    saver_.save(report.text);
}

}  // namespace corvane
