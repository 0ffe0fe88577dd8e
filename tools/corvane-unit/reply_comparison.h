#pragma once
// Compares the reply the PC gives now with the one a trace recorded for the same command.
// Some reply bytes depend on what the user did at that moment and cannot be expected again:
// the choice and box bytes and the text of the status reply, the values of 'O', and a file
// header or chunk of a file the user loaded through a file-open box. Those are compared
// loosely and reported as notes; every other byte must be the same.
#include <cstdint>
#include <string>
#include <vector>

#include "link/frame_codec.h"

namespace corvane::unitsim {

class ReplyComparison {
public:
    struct Verdict {
        enum class Kind { Same, Note, Differs };
        Kind kind = Kind::Same;
        std::string what;  // for a note or a difference: which bytes and why
    };

    // Call once per record, in the order of the trace: it follows the commands to know what
    // the PC's records hold (the box that was asked for, where the file store came from).
    Verdict compare(const Frame& command, const Frame& recorded, const Frame& replayed);
    // The PC held a file before the trace began: its header and chunks are compared loosely
    // until the unit names or sends a file of its own.
    void assumeFileFromBefore() { nameFromUser_ = storeFromUser_ = true; }

private:
    Verdict compareStatus(const Frame& recorded, const Frame& replayed) const;
    void follow(const Frame& command);

    std::uint8_t previous_ = 0;          // letter of the command before this one
    std::vector<std::uint8_t> boxData_;  // the box request gathered from 'B' frames
    bool nameFromUser_ = false;          // file name and size came from a file-open box
    bool storeFromUser_ = false;         // file bytes came from a file-open box
    bool menuSent_ = false;              // a menu transfer of the trace has completed
};

}  // namespace corvane::unitsim
