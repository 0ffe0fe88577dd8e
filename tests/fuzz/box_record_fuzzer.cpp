// The pop-up record: gathered from 'B' frames and parsed after each one, as the link does.
#include <string>

#include "content/box_record.h"
#include "fuzz_support.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BoxRecord box;
    std::string held;  // what the record should hold: it takes no bytes once past 250
    fuzz::forEachFrame(data, size, [&](const std::uint8_t* p, std::size_t n, bool) {
        box.append(p, n);
        for (std::size_t i = 0; i < n && held.size() <= BoxRecord::kStopAfter; ++i)
            held.push_back(static_cast<char>(p[i]));
        box.parse();
        FUZZ_CHECK(box.count() == held.size());
        FUZZ_CHECK(box.count() <= BoxRecord::kDataCapacity);
        if (held.empty()) {
            FUZZ_CHECK(box.boxKind() == 0 && box.boxText().empty());
            return;
        }
        FUZZ_CHECK(box.boxKind() == static_cast<std::uint8_t>(held[0]));
        const std::string expected =
            held.substr(1, held.find('^', 1) == std::string::npos ? std::string::npos : held.find('^', 1) - 1);
        FUZZ_CHECK(box.boxText() == expected);
    });
    box.empty();
    FUZZ_CHECK(box.count() == 0 && box.boxText().empty());
    return 0;
}
