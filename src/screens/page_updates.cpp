#include "screens/page_updates.h"

#include <algorithm>
#include <climits>

#include "controls/corv_button.h"
#include "controls/corv_progress.h"
#include "controls/corv_show_box.h"
#include "controls/corv_static.h"
#include "forms/choose_box.h"
#include "forms/form_fields.h"
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

void PageUpdates::fillList(const LinkList& list) {
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

void PageUpdates::setText(const LinkText& record) {
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

std::vector<const PageControl*> PageUpdates::readingBoxes(const MenuPage& page) {
    std::vector<const PageControl*> boxes;
    for (const auto& control : page.controls)
        if (control->type == 's' && control->window) boxes.push_back(control.get());
    return boxes;
}

std::vector<ShownValues> PageUpdates::showValues(const LinkValues& values) {
    return followFrames(values.frames, values.taken, true);
}

std::vector<ShownValues> PageUpdates::readingsOf(const std::vector<ValuesFrame>& frames) const {
    return followFrames(frames, 0, false);
}

std::vector<ShownValues> PageUpdates::followFrames(const std::vector<ValuesFrame>& frames, std::size_t first,
                                                   bool show) const {
    const MenuPage* page = currentPage();
    if (!page) return {};
    // Value numbers beyond the page's control count are not shown.
    const std::size_t shown = page->count();
    const std::vector<const PageControl*> boxes = readingBoxes(*page);
    std::vector<std::string> row;
    row.reserve(boxes.size());
    for (const PageControl* box : boxes) row.push_back(readValue(*box));

    // Each control shows the last value a frame gave its id, except a choice box: it is shown
    // every value in turn, as one it does not list leaves its choice as it was.
    std::vector<const std::string*> latest(shown + 1, nullptr);
    std::vector<ShownValues> readings;
    for (std::size_t f = 0; f < frames.size(); ++f) {
        for (const auto& [position, value] : frames[f].present) {
            if (position < 1 || static_cast<std::size_t>(position) > shown) continue;
            latest[static_cast<std::size_t>(position)] = &value;
            for (std::size_t b = 0; b < boxes.size(); ++b)
                if (boxes[b]->id == position) row[b] = value;
            if (!show) continue;
            for (const auto& control : page->controls)
                if (control->type == 'c' && control->id == position && control->window) setValue(*control, value);
        }
        if (f >= first) readings.push_back({frames[f].arrival, row});
    }
    if (show) {
        for (const auto& control : page->controls) {
            if (control->type == 'c' || !control->window || control->id < 1 || control->id > shown) continue;
            if (const std::string* value = latest[control->id]) setValue(*control, *value);
        }
    }
    return readings;
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

void PageUpdates::setProgress(const LinkProgress& progress) {
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

void PageUpdates::showTransferProgress(const LinkTransferOut& sent) {
    showTransferProgress(static_cast<std::uint32_t>(std::min<std::uint64_t>(sent.total, UINT32_MAX)),
                         static_cast<std::uint32_t>(std::min<std::uint64_t>(sent.position, UINT32_MAX)));
}

void PageUpdates::showTransferProgress(const LinkTransferIn& received) {
    // A size the unit announced below zero stands for the most a bar can show.
    const std::uint64_t total =
        received.announced < 0 ? UINT32_MAX
                               : std::min<std::uint64_t>(static_cast<std::uint64_t>(received.announced), UINT32_MAX);
    showTransferProgress(static_cast<std::uint32_t>(total),
                         static_cast<std::uint32_t>(std::clamp<std::int64_t>(received.held, 0, UINT32_MAX)));
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
