// The report layout, gathered from 'W' frames and read back byte by byte.
#include <vector>

#include "content/report_buffer.h"
#include "fuzz_support.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ReportBuffer report;
    std::vector<std::uint8_t> held;
    fuzz::forEachFrame(data, size, [&](const std::uint8_t* p, std::size_t n, bool) {
        report.append(p, n);
        for (std::size_t i = 0; i < n && held.size() < ReportBuffer::kCapacity && p[i] != 0; ++i) held.push_back(p[i]);
    });
    FUZZ_CHECK(report.count() == held.size());
    for (int pass = 0; pass < 2; ++pass) {
        report.rewind();
        for (std::uint8_t b : held) FUZZ_CHECK(report.nextByte() == b);
        FUZZ_CHECK(report.nextByte() == 0);
        FUZZ_CHECK(report.nextByte() == 0);
    }
    report.empty();
    FUZZ_CHECK(report.count() == 0 && report.nextByte() == 0);
    return 0;
}
