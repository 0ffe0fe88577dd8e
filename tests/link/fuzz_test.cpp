// Arbitrary bytes through the reader and the dispatcher: nothing may crash, and every reply
// must be a whole, valid frame.
#include <gtest/gtest.h>

#include <random>

#include "link/frame_codec.h"
#include "link_fuzz.h"

using namespace corvane;
using Bytes = std::vector<std::uint8_t>;

namespace {
constexpr char kLetters[] = "BCDEFGHJLNPRSTWXYZAQ";

Bytes randomFrame(std::mt19937& rng) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> letter(0, sizeof kLetters - 2);
    std::uniform_int_distribution<int> length(0, 249);
    std::uniform_int_distribution<int> sub(0, 3);
    Bytes data(static_cast<std::size_t>(length(rng) % (rng() % 4 == 0 ? 250 : 40)));
    for (auto& b : data) b = static_cast<std::uint8_t>(rng() % 3 == 0 ? kLetters[letter(rng)] : byte(rng));
    return encodeFrame(static_cast<std::uint8_t>(kLetters[letter(rng)]), static_cast<std::uint8_t>(sub(rng)), data);
}
}  // namespace

TEST(Fuzz, RandomAndMutatedFramesNeverBreakTheLink) {
    std::mt19937 rng(20261208);
    std::size_t replies = 0;
    for (int iteration = 0; iteration < 3000; ++iteration) {
        Bytes input;
        // Opening with a handshake of random capacity lets the large-limit paths run too.
        if (rng() % 2) input = encodeFrame('H', 1, Bytes{static_cast<std::uint8_t>(rng())});
        const int frames = 1 + static_cast<int>(rng() % 12);
        for (int f = 0; f < frames; ++f) {
            Bytes frame = randomFrame(rng);
            switch (rng() % 6) {
                case 0: frame[rng() % frame.size()] = static_cast<std::uint8_t>(rng()); break;  // flip a byte
                case 1: frame.resize(rng() % frame.size()); break;                              // cut short
                case 2:
                    frame.insert(frame.begin() + static_cast<long>(rng() % frame.size()),
                                 static_cast<std::uint8_t>(rng()));
                    break;
                default: break;
            }
            input.insert(input.end(), frame.begin(), frame.end());
        }
        const FuzzOutcome out = fuzzLinkBytes(input.data(), input.size());
        ASSERT_TRUE(out.wellFormed) << "iteration " << iteration << ": " << out.problem;
        replies += out.frames;
    }
    EXPECT_GT(replies, 3000u) << "the generator must reach the dispatcher";
}

TEST(Fuzz, PureNoiseIsHarmless) {
    std::mt19937 rng(7);
    for (int iteration = 0; iteration < 300; ++iteration) {
        Bytes noise(1 + rng() % 4000);
        for (auto& b : noise) b = static_cast<std::uint8_t>(rng() % 4 == 0 ? (rng() % 2 ? 0x00 : 0x0A) : rng());
        const FuzzOutcome out = fuzzLinkBytes(noise.data(), noise.size());
        ASSERT_TRUE(out.wellFormed) << out.problem;
    }
}

TEST(Fuzz, LargestMenuAndFileTransfersStayInBounds) {
    Bytes input = encodeFrame('H', 1, Bytes{255});
    for (int i = 0; i < 260; ++i) {  // more than the 50000-byte menu buffer holds
        Bytes chunk(249, static_cast<std::uint8_t>(i % 2 ? 0x00 : 'O'));
        auto f = encodeFrame('C', i == 259 ? 1 : 0, chunk);
        input.insert(input.end(), f.begin(), f.end());
    }
    for (int i = 0; i < 1700; ++i) {  // more than the 393216-byte file store holds
        auto f = encodeFrame('E', i == 0 ? 2 : 0, Bytes(249, 0xAB));
        input.insert(input.end(), f.begin(), f.end());
    }
    for (int i = 0; i < 5; ++i) {
        auto f = encodeFrame('F', 1, {});
        input.insert(input.end(), f.begin(), f.end());
    }
    const FuzzOutcome out = fuzzLinkBytes(input.data(), input.size());
    EXPECT_TRUE(out.wellFormed) << out.problem;
    EXPECT_EQ(out.frames, 1u + 260u + 1700u + 5u);
}
