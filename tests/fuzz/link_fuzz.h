#pragma once
// Feeds arbitrary bytes through the frame reader and the dispatcher of a fresh link on an
// in-memory port, with a listener that answers every sent notification at once.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

struct FuzzOutcome {
    std::size_t frames = 0;  // replies written
    std::size_t polls = 0;   // poll steps run
    bool wellFormed = true;  // every byte written parsed as whole, valid reply frames
    std::string problem;     // what was wrong when not well formed
};

FuzzOutcome fuzzLinkBytes(const std::uint8_t* data, std::size_t size);

// Checks that `bytes` is a sequence of whole frames with valid LEN, SUB 1 and checksums.
bool repliesWellFormed(const std::vector<std::uint8_t>& bytes, std::size_t& frames, std::string& problem);

}  // namespace corvane
