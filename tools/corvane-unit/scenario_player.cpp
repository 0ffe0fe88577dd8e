#include "scenario_player.h"

#include "frame_text.h"
#include "unit_session.h"

namespace corvane::unitsim {

namespace {
using Clock = std::chrono::steady_clock;

std::chrono::milliseconds left(Clock::time_point deadline) {
    const auto d = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return d.count() > 0 ? d : std::chrono::milliseconds(0);
}
}  // namespace

ScenarioPlayer::ScenarioPlayer(UnitLine& line, std::ostream* progress) : line_(line), progress_(progress) {}

bool ScenarioPlayer::fail(const ScenarioStep& s, const std::string& what) {
    error_ = name_ + ":" + std::to_string(s.line) + ": " + what;
    return false;
}

bool ScenarioPlayer::sendFrame(const ScenarioStep& s, const Frame& f) {
    if (line_.send(f)) return true;
    if (line_.stopRequested()) return fail(s, "stopped");
    return fail(s, "could not send " + describeFrame(f) + ": the line is gone or blocked");
}

bool ScenarioPlayer::nextReply(const ScenarioStep& s, std::chrono::milliseconds timeout, Frame& out, bool& timedOut) {
    timedOut = false;
    switch (line_.receive(out, timeout)) {
        case UnitLine::Wait::Frame: return true;
        case UnitLine::Wait::Timeout: timedOut = true; return false;
        case UnitLine::Wait::HangUp: return fail(s, "the PC closed the line");
        case UnitLine::Wait::Stopped: return fail(s, "stopped");
    }
    return false;
}

bool ScenarioPlayer::play(const Scenario& scenario) {
    name_ = scenario.name;
    error_.clear();
    passed_ = 0;
    for (const ScenarioStep& s : scenario.steps) {
        if (!step(s)) return false;
        ++passed_;
    }
    return true;
}

bool ScenarioPlayer::step(const ScenarioStep& s) {
    Frame reply;
    bool timedOut = false;
    switch (s.kind) {
        case ScenarioStep::Kind::Handshake: {
            UnitSession session(line_, s.capacity);
            const auto wait = s.unlimited ? std::chrono::milliseconds(std::chrono::hours(24 * 365)) : s.timeout;
            if (session.handshake(wait)) return true;
            if (line_.stopRequested()) return fail(s, "stopped");
            return fail(s, "the PC did not answer the handshake within " + std::to_string(s.timeout.count()) + " ms");
        }
        case ScenarioStep::Kind::Send: return sendFrame(s, s.frames.front());
        case ScenarioStep::Kind::SendMenu:
            for (std::size_t i = 0; i < s.frames.size(); ++i) {
                if (!sendFrame(s, s.frames[i])) return false;
                if (!nextReply(s, s.timeout, reply, timedOut)) {
                    if (!timedOut) return false;
                    return fail(s, "no reply to menu frame " + std::to_string(i + 1) + " of " +
                                       std::to_string(s.frames.size()));
                }
                if (!(reply.letter == 'K' && reply.sub == 1 && reply.data.empty()))
                    return fail(s, "menu frame " + std::to_string(i + 1) + " was answered " + describeFrame(reply) +
                                       " instead of K sub 1");
            }
            return true;
        case ScenarioStep::Kind::Expect:
            if (!nextReply(s, s.timeout, reply, timedOut)) {
                if (!timedOut) return false;
                return fail(s, "expected " + s.pattern.describe() + ", but no reply came within " +
                                   std::to_string(s.timeout.count()) + " ms");
            }
            if (!s.pattern.matches(reply))
                return fail(s, "expected " + s.pattern.describe() + ", got " + describeFrame(reply));
            return true;
        case ScenarioStep::Kind::Wait: {
            const auto deadline = Clock::now() + s.timeout;
            std::string last = "no reply at all";
            for (;;) {
                if (!nextReply(s, left(deadline), reply, timedOut)) {
                    if (!timedOut) return false;
                    return fail(s, "waited " + std::to_string(s.timeout.count()) + " ms for " + s.pattern.describe() +
                                       "; last reply: " + last);
                }
                if (s.pattern.matches(reply)) return true;
                last = describeFrame(reply);
            }
        }
        case ScenarioStep::Kind::Poll: {
            const auto deadline = Clock::now() + s.timeout;
            std::string last = "no reply at all";
            for (;;) {
                line_.drain();  // replies to earlier polls that came late
                if (!sendFrame(s, s.frames.front())) return false;
                if (nextReply(s, std::max(left(deadline), std::chrono::milliseconds(1)), reply, timedOut)) {
                    if (s.pattern.matches(reply)) return true;
                    last = describeFrame(reply);
                } else if (!timedOut) {
                    return false;
                }
                if (Clock::now() >= deadline)
                    return fail(s, "polled " + std::to_string(s.timeout.count()) + " ms for " + s.pattern.describe() +
                                       "; last reply: " + last);
                if (!line_.pause(std::min(s.every, left(deadline)))) return fail(s, "stopped");
            }
        }
        case ScenarioStep::Kind::Silence:
            if (nextReply(s, s.timeout, reply, timedOut))
                return fail(s, "expected no reply for " + std::to_string(s.timeout.count()) + " ms, got " +
                                   describeFrame(reply));
            return timedOut;
        case ScenarioStep::Kind::Sleep: return line_.pause(s.timeout) || fail(s, "stopped");
        case ScenarioStep::Kind::Note:
            if (progress_) *progress_ << s.text << std::endl;
            return true;
    }
    return true;
}

}  // namespace corvane::unitsim
