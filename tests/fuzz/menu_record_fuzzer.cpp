// The function menu: a transfer of 'C' frames parsed into tree entries and pages, twice over,
// so that entries and pages accumulate towards the record's limits as they do on the link.
#include <string>

#include "content/menu_record.h"
#include "fuzz_support.h"

using namespace corvane;

namespace {
void checkRecord(const MenuRecord& menu, std::size_t pagesBefore) {
    FUZZ_CHECK(menu.entryCount() <= MenuRecord::kMaxEntries);
    FUZZ_CHECK(menu.pageCount() <= MenuRecord::kMaxPages);
    for (std::size_t i = 0; i < menu.entryCount(); ++i) {
        const MenuTreeEntry& e = menu.entry(i);
        FUZZ_CHECK(e.kind >= MenuTreeEntry::Item && e.kind <= MenuTreeEntry::GroupClose);
        FUZZ_CHECK(e.name.size() <= 30);
        FUZZ_CHECK(e.id <= 0xFFFF);
        FUZZ_CHECK(e.icon != 255);
    }
    for (std::size_t i = 0; i < menu.pageCount(); ++i) {
        const MenuPage& page = menu.page(i);
        FUZZ_CHECK(page.count() <= MenuPage::kMaxControls);
        FUZZ_CHECK(page.pageId <= 0xFFFF && page.pageCode <= 0xFFFFFF);
        for (const auto& c : page.controls) {
            FUZZ_CHECK(c->id != 255 && c->style != 255);
            FUZZ_CHECK(c->code <= 0xFFFFFF);
            FUZZ_CHECK(c->text.find('^') == std::string::npos);
            const std::int64_t span = c->textLast + 1 - static_cast<std::int64_t>(c->textFirst);
            FUZZ_CHECK(span == static_cast<std::int64_t>(c->text.size()));
            // Pages of this transfer point into the buffer that holds their text.
            if (i >= pagesBefore) {
                FUZZ_CHECK(c->textLast < static_cast<std::int64_t>(menu.bufferCount()));
                FUZZ_CHECK(menu.bufferCount() >= c->textFirst);
                const char* held = reinterpret_cast<const char*>(menu.buffer()) + c->textFirst;
                FUZZ_CHECK(c->text.compare(0, std::string::npos, held, c->text.size()) == 0);
            }
        }
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MenuRecord menu;
    for (int transfer = 0; transfer < 2; ++transfer) {
        menu.emptyBuffer();
        std::size_t appended = 0;
        fuzz::forEachFrame(data, size, [&](const std::uint8_t* p, std::size_t n, bool) {
            menu.append(p, n);
            appended += n;
        });
        FUZZ_CHECK(menu.bufferCount() == std::min(appended, MenuRecord::kBufferCapacity));
        const std::size_t pagesBefore = menu.pageCount();
        const std::size_t entriesBefore = menu.entryCount();
        menu.parse();
        FUZZ_CHECK(menu.pageCount() >= pagesBefore && menu.entryCount() >= entriesBefore);
        checkRecord(menu, pagesBefore);
    }
    return 0;
}
