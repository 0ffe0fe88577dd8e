#include "trace_replay.h"

#include <cstdio>

#include "trace_start.h"

namespace corvane::unitsim {

namespace {
std::string counted(std::size_t n, const std::string& thing) {
    return std::to_string(n) + " " + thing + (n == 1 ? "" : "s");
}

std::string frameLabel(std::size_t frame, const TraceRecord& r) {
    return "frame " + std::to_string(frame) + " (trace line " + std::to_string(r.line) + ")";
}
}  // namespace

TraceReplay::TraceReplay(UnitSession& session, std::ostream* out) : session_(session), out_(out) {}

bool TraceReplay::fail(std::size_t frame, const TraceRecord& r, const std::string& what) {
    difference_ = frameLabel(frame, r) + ": " + what;
    return false;
}

void TraceReplay::assume(std::string what) {
    if (out_) *out_ << "corvane-unit: assumed: " << what << "\n";
    assumptions_.push_back(std::move(what));
}

bool TraceReplay::prepare(const std::vector<TraceRecord>& records, ReplyComparison& comparison) {
    const TraceStart start = traceStartOf(records);
    if (start.menuLoadedBefore) {
        // A PC that already holds a menu (a unit restarted on a running program) needs none.
        StatusReply status;
        if (!session_.poll(status)) {
            difference_ = "before frame 1: the PC did not answer a status poll";
            return false;
        }
        if (status.menuLoaded != 1) {
            const MenuStreamBuilder menu = standInMenu(start.pages);
            const std::vector<Frame> frames = menu.frames();
            for (const Frame& f : frames) {
                const UnitSession::Result r = session_.exchange(f);
                if (!r.ok() || r.reply.letter != 'K') {
                    difference_ = "before frame 1: the PC did not take the stand-in menu";
                    return false;
                }
            }
            const std::size_t pages = start.pages.empty() ? 1 : start.pages.size();
            assume("the trace began after the menu was loaded: a stand-in menu was sent first (" +
                   counted(pages, "empty page") + (start.pages.empty() ? "" : ", those the trace opens") + ", in " +
                   counted(frames.size(), "'C' frame") + ")");
        }
    }
    if (start.boxResultAtStart != 255) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X", start.boxResultAtStart);
        assume(std::string("the trace began while a pop-up was open (box result ") + hex +
               "): the replay opens none, so the status replies' box bytes give notes until the unit's 'Z'");
    }
    if (start.fileFromBefore) {
        comparison.assumeFileFromBefore();
        assume(
            "the trace reads a file the PC held before it began: file headers ('N') and chunks ('I') give notes "
            "until the unit names or sends a file of its own");
    }
    return true;
}

bool TraceReplay::play(const std::vector<TraceRecord>& records) {
    difference_.clear();
    played_ = notes_ = 0;
    assumptions_.clear();
    if (!session_.handshake()) {
        difference_ =
            session_.line().stopRequested() ? "stopped before the handshake" : "the PC did not answer the handshake";
        return false;
    }
    ReplyComparison comparison;
    if (!prepare(records, comparison)) return false;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::size_t frame = i + 1;
        const TraceRecord& r = records[i];
        // A reply that arrives before its command was sent is one the recording never had.
        const std::vector<Frame> extra = session_.line().drain();
        if (!extra.empty())
            return fail(frame, r,
                        "the PC sent a reply nobody asked for before this command: TX - " + traceNotation(extra[0]));
        const UnitSession::Result result = session_.exchange(r.command);
        switch (result.outcome) {
            case UnitSession::Outcome::Reply: break;
            case UnitSession::Outcome::Timeout:
                return fail(
                    frame, r,
                    "no reply to RX - " + traceNotation(r.command) + "\n  recorded: TX - " + traceNotation(r.reply));
            case UnitSession::Outcome::LineGone: return fail(frame, r, "the PC closed the line");
            case UnitSession::Outcome::Stopped: return fail(frame, r, "stopped");
        }
        ++played_;
        const ReplyComparison::Verdict v = comparison.compare(r.command, r.reply, result.reply);
        if (v.kind == ReplyComparison::Verdict::Kind::Differs)
            return fail(frame, r,
                        "the reply differs: " + v.what + "\n  command:  RX - " + traceNotation(r.command) +
                            "\n  recorded: TX - " + traceNotation(r.reply) + "\n  replayed: TX - " +
                            traceNotation(result.reply));
        if (v.kind == ReplyComparison::Verdict::Kind::Note) {
            if (out_ && verbose) *out_ << "corvane-unit: note: " << frameLabel(frame, r) << ": " << v.what << "\n";
            ++notes_;
        }
    }
    return true;
}

std::optional<std::uint8_t> capacityFromTrace(const std::vector<TraceRecord>& records) {
    std::size_t lastChunk = 0;  // size of the previous non-empty chunk of the present reading
    for (const TraceRecord& r : records) {
        const std::uint8_t c = r.command.letter;
        if (c == 'G' || c == 'N' || c == 'E') {
            lastChunk = 0;  // the reading starts again, or the store grew under it
        } else if (c == 'F' && r.reply.letter == 'I') {
            const std::size_t n = r.reply.data.size();
            if (n > 0 && lastChunk > 0 && lastChunk + 4 <= 255) return static_cast<std::uint8_t>(lastChunk + 4);
            lastChunk = n;
        }
    }
    return std::nullopt;
}

std::uint8_t replayCapacity(const std::vector<TraceRecord>& records, std::string& why) {
    if (const auto c = capacityFromTrace(records)) {
        why = "as the trace's file chunks show";
        return *c;
    }
    constexpr unsigned kDefault = 128;
    const unsigned least = traceStartOf(records).capacityAtLeast;
    if (least > kDefault && least <= 255) {
        why = "assumed: the least under which the trace's longest status text is sent (--capacity N sets it)";
        return static_cast<std::uint8_t>(least);
    }
    why = "assumed: the trace does not show it (--capacity N sets it)";
    return kDefault;
}

}  // namespace corvane::unitsim
