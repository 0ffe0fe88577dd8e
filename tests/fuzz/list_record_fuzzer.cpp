// List lines gathered from 'L' frames; the last frame completes the list.
#include "content/list_record.h"
#include "fuzz_support.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ListRecord list;
    std::size_t appended = 0;
    fuzz::forEachFrame(data, size, [&](const std::uint8_t* p, std::size_t n, bool last) {
        list.append(p, n);
        appended += n;
        // The unit may also end a list early: parse half-way now and then.
        if (last || (n > 0 && p[0] == '|')) list.parse();
    });
    FUZZ_CHECK(list.count() == std::min(appended, ListRecord::kDataCapacity));
    FUZZ_CHECK(list.itemCount() <= ListRecord::kMaxItems);
    std::size_t bytes = 0;
    for (const std::string& line : list.items()) {
        FUZZ_CHECK(line.find('|') == std::string::npos && line.find('^') == std::string::npos);
        bytes += line.size() + 1;  // with its separator
    }
    // Lines come from the bytes after the header and never from beyond those held.
    FUZZ_CHECK(list.count() == 0 || bytes <= list.count() - 1);
    list.empty();
    FUZZ_CHECK(list.count() == 0 && list.header() == 0);
    return 0;
}
