#include "trace_replay.h"

#include "reply_comparison.h"

namespace corvane::unitsim {

namespace {
std::string frameLabel(std::size_t frame, const TraceRecord& r) {
    return "frame " + std::to_string(frame) + " (trace line " + std::to_string(r.line) + ")";
}
}  // namespace

TraceReplay::TraceReplay(UnitSession& session, std::ostream* out) : session_(session), out_(out) {}

bool TraceReplay::fail(std::size_t frame, const TraceRecord& r, const std::string& what) {
    difference_ = frameLabel(frame, r) + ": " + what;
    return false;
}

bool TraceReplay::play(const std::vector<TraceRecord>& records) {
    difference_.clear();
    played_ = notes_ = 0;
    if (!session_.handshake()) {
        difference_ =
            session_.line().stopRequested() ? "stopped before the handshake" : "the PC did not answer the handshake";
        return false;
    }
    ReplyComparison comparison;
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
            if (out_ && notes_ < notesShown)
                *out_ << "corvane-unit: note: " << frameLabel(frame, r) << ": " << v.what << "\n";
            ++notes_;
        }
    }
    if (out_ && notes_ > notesShown) *out_ << "corvane-unit: " << notes_ - notesShown << " more notes not shown\n";
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

}  // namespace corvane::unitsim
