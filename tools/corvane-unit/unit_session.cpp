#include "unit_session.h"

#include "frame_text.h"

namespace corvane::unitsim {

namespace {
using namespace std::chrono_literals;

bool waitsForUser(std::uint8_t letter) {
    return letter == 'R' || letter == 'W' || letter == 'E' || letter == 'Y' || letter == 'Z';
}
}  // namespace

UnitSession::UnitSession(UnitLine& line, std::uint8_t capacity) : line_(line), capacity_(capacity) {}

bool UnitSession::handshake(std::chrono::milliseconds maxWait) {
    const Frame hello{'H', 0, {capacity_}};
    const auto giveUp = std::chrono::steady_clock::now() + maxWait;
    while (!line_.stopRequested() && std::chrono::steady_clock::now() < giveUp) {
        if (line_.isPty() && line_.peerGone()) {
            // Nobody has the slave open (yet, or any more before the conversation began).
            if (!line_.pause(50ms)) return false;
            continue;
        }
        line_.drain();
        line_.send(hello, 500ms);
        ++sentByLetter['H'];
        Frame reply;
        const auto until = std::chrono::steady_clock::now() + 1000ms;
        for (;;) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
            if (left.count() <= 0) break;
            const UnitLine::Wait w = line_.receive(reply, left);
            if (w == UnitLine::Wait::Stopped) return false;
            // A serial device that hangs up is gone; a pty slave may still be opened later.
            if (w == UnitLine::Wait::HangUp && !line_.isPty()) {
                finished_ = true;
                return false;
            }
            if (w != UnitLine::Wait::Frame) break;
            if ((reply.letter == 'H' && reply.sub == 1 && reply.data.empty()) || reply.letter == 'A') {
                ++repliesChecked;
                started_ = true;
                return true;
            }
        }
    }
    if (line_.stopRequested()) finished_ = true;
    return false;
}

void UnitSession::fault(std::string what) {
    if (faults.size() < kMaxFaults)
        faults.push_back(std::move(what));
    else
        ++faultsDropped;
}

UnitSession::Result UnitSession::exchange(std::uint8_t letter, std::uint8_t sub, std::vector<std::uint8_t> data) {
    return exchange(Frame{letter, sub, std::move(data)});
}

UnitSession::Result UnitSession::exchange(const Frame& command) {
    Result result;
    if (finished_) {
        result.outcome = Outcome::LineGone;
        return result;
    }
    // A reply that came after its time-out must not pass for the answer to this command.
    for (const Frame& stray : line_.drain()) fault("late or unasked reply discarded: " + describeFrame(stray));
    if (!line_.send(command)) {
        finished_ = true;
        result.outcome = line_.stopRequested() ? Outcome::Stopped : Outcome::LineGone;
        return result;
    }
    ++sentByLetter[command.letter & 0x7F];
    const auto timeout = waitsForUser(command.letter) ? userTimeout : replyTimeout;
    switch (line_.receive(result.reply, timeout)) {
        case UnitLine::Wait::Frame: {
            result.outcome = Outcome::Reply;
            ++repliesChecked;
            const std::string wrong = checkReply(command.letter, result.reply);
            if (!wrong.empty()) fault(wrong + " (command " + describeFrame(command) + ")");
            break;
        }
        case UnitLine::Wait::Timeout:
            result.outcome = Outcome::Timeout;
            fault("no reply to " + describeFrame(command));
            break;
        case UnitLine::Wait::HangUp:
            result.outcome = Outcome::LineGone;
            finished_ = true;
            break;
        case UnitLine::Wait::Stopped:
            result.outcome = Outcome::Stopped;
            finished_ = true;
            break;
    }
    return result;
}

bool UnitSession::poll(StatusReply& status) {
    const Result r = exchange('S', 0);
    return r.ok() && StatusReply::parse(r.reply, status);
}

}  // namespace corvane::unitsim
