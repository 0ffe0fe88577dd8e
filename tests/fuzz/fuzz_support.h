#pragma once
// Shared by the fuzz targets: a check that stops the run with the failed condition, and the
// cutting of an input into the DATA of successive frames.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond)                                                                  \
    do {                                                                                  \
        if (!(cond)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                                 \
        }                                                                                 \
    } while (0)

namespace corvane::fuzz {

inline constexpr std::size_t kMaxFrameData = 249;  // the most DATA a unit's frame carries

// The first byte of the input picks the frame size (1..249); the rest is cut into frames of
// that size, the last one shorter. Calls f(data, n, last) for each frame, at least once.
template <typename F>
void forEachFrame(const std::uint8_t* data, std::size_t size, F f) {
    if (size == 0) {
        f(data, 0, true);
        return;
    }
    const std::size_t frame = static_cast<std::size_t>(data[0]) % kMaxFrameData + 1;
    const std::uint8_t* p = data + 1;
    std::size_t left = size - 1;
    do {
        const std::size_t n = std::min(frame, left);
        f(p, n, n == left);
        p += n;
        left -= n;
    } while (left > 0);
}

}  // namespace corvane::fuzz
