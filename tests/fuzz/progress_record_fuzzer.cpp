// One progress indication from a 'P' frame's DATA.
#include "content/progress_record.h"
#include "fuzz_support.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > fuzz::kMaxFrameData) return 0;  // one frame's DATA
    ProgressRecord progress;
    progress.fill(data, size);
    FUZZ_CHECK(progress.target() == (size > 0 ? data[0] : 0u));
    // Nine characters hold at most nine digits: the values stay within +-999999999.
    FUZZ_CHECK(progress.range() >= -999999999 && progress.range() <= 999999999);
    FUZZ_CHECK(progress.position() >= -999999999 && progress.position() <= 999999999);
    if (size <= 1) FUZZ_CHECK(progress.range() == 0 && progress.position() == 0);
    return 0;
}
