#pragma once
// What the PC must answer to each command, and the status reply the unit reads its answers from.
#include <cstdint>
#include <string>

#include "link/frame_codec.h"

namespace corvane::unitsim {

// The reply letter the PC gives to a command ('K', 'A', 'I', 'N', 'O'); 0 for a letter the
// PC does not know (it then repeats its previous reply).
std::uint8_t expectedReplyLetter(std::uint8_t command);

// Checks a reply against the command it answers: letter, SUB 1 and the shape of its DATA.
// Returns an empty string when it is right, otherwise what is wrong.
std::string checkReply(std::uint8_t command, const Frame& reply);

// The DATA of an 'A' reply.
struct StatusReply {
    std::uint8_t choiceHigh = 255, choiceMid = 255, choiceLow = 255;
    std::uint8_t boxResult = 255, listChoice = 255, menuLoaded = 255;
    std::string text;

    static constexpr std::uint8_t kKeyPad = 0xFE;
    enum BoxResult : std::uint8_t { Shown = 1, Accepted = 2, Yes = 3, Refused = 4, None = 255 };

    // False when the DATA is not six bytes, a text and '^'.
    static bool parse(const Frame& reply, StatusReply& out);

    bool hasChoice() const { return !(choiceHigh == 255 && choiceMid == 255 && choiceLow == 255); }
    bool isKey() const { return choiceHigh == kKeyPad && choiceLow == 255; }
    std::uint8_t key() const { return choiceMid; }
    // The 24-bit code; a page hands zero bytes over as 255, so both read as 0 here.
    std::uint32_t code() const;
    bool boxAnswered() const { return boxResult >= Accepted && boxResult <= Refused; }
};

}  // namespace corvane::unitsim
