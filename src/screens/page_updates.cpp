#include "screens/page_updates.h"

#include <algorithm>
#include <climits>

#include "screens/report_text.h"

namespace corvane {

namespace {
int clampToInt(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX)); }
}  // namespace

PageUpdates::PageUpdates(UnitLink& link, const PageChoices& pages, ReportSave& saver)
    : link_(link), pages_(pages), saver_(saver) {}

void PageUpdates::fillList(const LinkList& list) {
    if (list.header == 0) {
        if (popUps_) popUps_->appendToListWindow(list.items);
        return;
    }
    const MenuPage* page = currentPage();
    if (!page) return;
    for (const auto& control : page->controls) {
        if (control->id != list.header) continue;
        if (PageField* f = field(*control)) f->showLines(list.items);
    }
}

void PageUpdates::setText(const LinkText& record) {
    const MenuPage* page = currentPage();
    if (!page) return;
    for (const auto& control : page->controls) {
        if (control->id != record.header) continue;
        if (PageField* f = field(*control)) f->showText(record.text);
    }
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
    std::vector<PageField*> fields;          // the page's fields, in page order
    std::vector<PageField*> everyValue;      // those shown every value in turn
    std::vector<const PageField*> readings;  // those that show a reading
    fields.reserve(shown);
    for (const auto& control : page->controls) {
        PageField* f = field(*control);
        if (!f) continue;
        fields.push_back(f);
        if (f->showsEveryValue()) everyValue.push_back(f);
        if (f->isReading()) readings.push_back(f);
    }
    std::vector<std::string> row;
    row.reserve(readings.size());
    for (const PageField* reading : readings) row.push_back(reading->value());

    // Each field shows the last value a frame gave its id, except those shown every value in
    // turn (a choice box: one it does not list leaves its choice as it was).
    std::vector<const std::string*> latest(shown + 1, nullptr);
    std::vector<ShownValues> shownRows;
    for (std::size_t f = 0; f < frames.size(); ++f) {
        for (const auto& [position, value] : frames[f].present) {
            if (position < 1 || static_cast<std::size_t>(position) > shown) continue;
            latest[static_cast<std::size_t>(position)] = &value;
            for (std::size_t r = 0; r < readings.size(); ++r)
                if (readings[r]->id() == position) row[r] = value;
            if (!show) continue;
            for (PageField* every : everyValue)
                if (every->id() == position) every->showValue(value);
        }
        if (f >= first) shownRows.push_back({frames[f].arrival, row});
    }
    if (show) {
        for (PageField* f : fields) {
            if (f->showsEveryValue() || f->id() < 1 || f->id() > shown) continue;
            if (const std::string* value = latest[f->id()]) f->showValue(*value);
        }
    }
    return shownRows;
}

void PageUpdates::collectValues(std::uint32_t first, std::uint32_t last) {
    const MenuPage* page = currentPage();
    auto records = link_.lockRecords();
    ValueTable& values = link_.valueTable();
    values.emptyReply();
    if (page) {
        // Ids are single bytes. The values go in order up to the first that does not fit: the
        // unit reads them by position, so none may be left out in the middle. A control without
        // a field gives an empty value.
        bool fits = true;
        for (std::uint32_t id = first; fits && id <= std::min<std::uint32_t>(last, 255); ++id) {
            for (const auto& control : page->controls) {
                if (!fits || control->id != id) continue;
                const PageField* f = field(*control);
                fits = values.addReplyValue(f ? f->value() : std::string());
            }
        }
    }
    values.closeReply();
}

void PageUpdates::setProgress(const LinkProgress& progress) {
    if (progress.target == ProgressRecord::kKeyPadTarget && popUps_)
        popUps_->setKeyPadProgress(progress.range, progress.position);
    const MenuPage* page = currentPage();
    if (!page) return;
    for (const auto& control : page->controls) {
        if (control->id != progress.target) continue;
        if (PageField* f = field(*control)) f->showProgress(progress.range, progress.position);
    }
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
        if (PageField* f = field(*control)) f->showProgress(range, position);
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
        report = composeReport(link_.reportBuffer(), currentPage(), pages_.form());
    }
    // The records stay unlocked while the dialog is open: the worker waits for this handler, and
    // the posted handlers that run meanwhile need them.
    if (report.layoutBytes == 0) return;
    saver_.save(report.text);
}

}  // namespace corvane
