// Arbitrary bytes from the unit through the frame reader and the dispatcher of a fresh link on
// an in-memory port; every byte the link writes back must form whole, valid reply frames.
#include <cstdio>

#include "fuzz_support.h"
#include "link_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const corvane::FuzzOutcome out = corvane::fuzzLinkBytes(data, size);
    if (!out.wellFormed) std::fprintf(stderr, "malformed reply: %s\n", out.problem.c_str());
    FUZZ_CHECK(out.wellFormed);
    // A reply needs a whole frame of at least six bytes.
    FUZZ_CHECK(out.frames <= size / 6);
    return 0;
}
