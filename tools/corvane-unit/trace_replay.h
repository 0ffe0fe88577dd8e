#pragma once
// Plays the unit's side of a recorded trace to a PC: the handshake, then every recorded
// command in order, each waiting for its reply, which is compared with the recorded one.
// Stops at the first real difference.
#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "reply_comparison.h"
#include "trace_reader.h"
#include "unit_session.h"

namespace corvane::unitsim {

class TraceReplay {
public:
    // What the replay assumed goes to `out` when set, and each note when `verbose` is set.
    TraceReplay(UnitSession& session, std::ostream* out = nullptr);

    // True when every command was answered as recorded (notes allowed). Otherwise difference()
    // says which frame (numbered from 1, with its line in the trace) and shows both replies.
    // Each reply is awaited for the session's time-outs.
    bool play(const std::vector<TraceRecord>& records);

    const std::string& difference() const { return difference_; }
    std::size_t framesPlayed() const { return played_; }
    std::size_t notes() const { return notes_; }
    // What the replay took for the PC's state when the trace began, one line each.
    const std::vector<std::string>& assumptions() const { return assumptions_; }
    // Each note is listed (otherwise they are only counted).
    bool verbose = false;

private:
    bool fail(std::size_t frame, const TraceRecord& r, const std::string& what);
    // Sets the PC up for a trace that began mid-conversation; false when the PC refused.
    bool prepare(const std::vector<TraceRecord>& records, ReplyComparison& comparison);
    void assume(std::string what);

    UnitSession& session_;
    std::ostream* out_;
    std::string difference_;
    std::size_t played_ = 0;
    std::size_t notes_ = 0;
    std::vector<std::string> assumptions_;
};

// The receive capacity the recording unit announced, when the trace shows it: a file chunk
// ('I') followed by another non-empty chunk of the same reading was a full one, and a full
// chunk is the capacity less 4 bytes.
std::optional<std::uint8_t> capacityFromTrace(const std::vector<TraceRecord>& records);

// The capacity to announce when none was given: the file chunks' one, else the default 128 or
// the least the recorded status texts need. `why` says which, for the user.
std::uint8_t replayCapacity(const std::vector<TraceRecord>& records, std::string& why);

}  // namespace corvane::unitsim
