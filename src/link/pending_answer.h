#pragma once
// The user's answer, held until the unit's status poll carries it and the unit acknowledges it.
#include <cstdint>
#include <functional>
#include <string>

namespace corvane {

struct PendingAnswer {
    static constexpr std::uint8_t kUnset = 255;
    static constexpr std::uint8_t kKeyPadChoice = 0xFE;

    std::uint8_t choiceHigh = kUnset;
    std::uint8_t choiceMid = kUnset;
    std::uint8_t choiceLow = kUnset;
    std::uint8_t boxResult = kUnset;   // 1 shown, 2 accepted, 3 yes, 4 refused/cancelled/failed
    std::uint8_t listChoice = kUnset;  // 1-based chosen line
    std::uint8_t menuLoaded = kUnset;  // 1 once a menu transfer completed
    std::string answerText;            // raw single-byte text
};

// One whole change of PendingAnswer, applied under LinkLock in the order it was made.
using AnswerUpdate = std::function<void(PendingAnswer&)>;

}  // namespace corvane
