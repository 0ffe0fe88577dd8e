// A control's new text gathered from 'T' frames.
#include "content/text_record.h"
#include "fuzz_support.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TextRecord text;
    std::string held;
    fuzz::forEachFrame(data, size, [&](const std::uint8_t* p, std::size_t n, bool) {
        text.append(p, n);
        for (std::size_t i = 0; i < n && held.size() < TextRecord::kDataCapacity; ++i)
            held.push_back(static_cast<char>(p[i]));
        text.parse();
        FUZZ_CHECK(text.count() == held.size());
        FUZZ_CHECK(text.header() == (held.empty() ? 0u : static_cast<std::uint8_t>(held[0])));
        FUZZ_CHECK(text.text().find('^') == std::string::npos);
        FUZZ_CHECK(held.empty() ? text.text().empty() : held.compare(1, text.textLength(), text.text()) == 0);
    });
    return 0;
}
