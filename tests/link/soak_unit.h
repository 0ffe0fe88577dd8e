#pragma once
// The soak's unit: the simulated unit's line (a pseudo-terminal master) driven at full speed.
// It polls the status, takes each choice it sees with 'Y' and acknowledges it with a text the
// window reads, and between polls sends every other kind of command, sent-notification ones
// among them. It checks that the choices arrive one by one, in the order they were made, that
// a draft never overtakes its choice and that a choice's text never arrives before the choice.
//
// Replies lost to a close of the link are expected: the command is sent again once the link is
// open. Right after a close a reply may also belong to the command before (it was on its way
// when the unit gave up on it); such a stray reply is skipped, but only then.
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "frame_text.h"
#include "reply_check.h"
#include "soak_window.h"
#include "unit_line.h"

namespace corvane::test {

class SoakUnit {
public:
    struct Counts {
        std::uint64_t commands = 0, replies = 0, resends = 0, strays = 0, choicesSeen = 0, acks = 0;
    };
    // Time without any reply while the link stays open, or without a new choice, that counts as
    // a hang.
    static constexpr std::chrono::seconds kHang{30};

    SoakUnit(unitsim::UnitLine& line, SoakWindow& window) : line_(line), window_(window) {}

    // Runs until `enough` holds (checked once per round); false at the first fault.
    bool run(const std::function<bool(const Counts&)>& enough) {
        if (!handshake()) return false;
        lastChoiceAt_ = Clock::now();
        for (std::uint64_t round = 0; !enough(counts_); ++round) {
            // Polls answered but no new choice: an update was lost or overtaken by an older one.
            if (Clock::now() - lastChoiceAt_ > kHang)
                return fail("no new choice for " + std::to_string(kHang.count()) + " s after choice " +
                            std::to_string(lastSeen_));
            Frame reply;
            if (!exchange({'S', 0, {}}, reply)) return false;
            if (state_ == State::NeedTake) {
                const std::uint64_t before = window_.generation();
                if (!exchange({'Y', 0, {}}, reply)) return false;
                takenChoice_ = lastSeen_;
                takenGeneration_ = window_.generation() == before ? before : ~std::uint64_t{0};
                state_ = State::NeedAck;
            }
            // An acknowledgement can be lost to a close; repeating it is harmless.
            if (state_ == State::NeedAck || (state_ == State::Acked && round % 8 == 0)) {
                std::vector<std::uint8_t> ack{1};
                const std::string text = "ack:" + std::to_string(lastSeen_) + "^";
                ack.insert(ack.end(), text.begin(), text.end());
                if (!exchange({'T', 1, ack}, reply)) return false;
                state_ = State::Acked;
                ++counts_.acks;
            }
            if (!otherCommand(round)) return false;
        }
        return true;
    }

    const Counts& counts() const { return counts_; }
    const std::vector<std::string>& faults() const { return faults_; }

private:
    enum class State { Polling, NeedTake, NeedAck, Acked };
    using Clock = std::chrono::steady_clock;

    bool fail(const std::string& what) {
        faults_.push_back(what);
        return false;
    }
    bool recentClose() const { return exchangesSinceClose_ < 20; }

    bool handshake() {
        const auto giveUp = Clock::now() + kHang;
        while (Clock::now() < giveUp) {
            line_.drain();
            if (!line_.send({'H', 0, {128}})) return fail("the handshake could not be sent");
            Frame f;
            if (line_.receive(f, std::chrono::milliseconds(500)) == unitsim::UnitLine::Wait::Frame &&
                (f.letter == 'H' || f.letter == 'A'))
                return true;
        }
        return fail("no answer to the handshake");
    }

    // Waits until the window has opened the link again, then forgets what the old one sent.
    bool resync() {
        const auto giveUp = Clock::now() + kHang;
        while (!window_.linkOpen()) {
            if (Clock::now() > giveUp) return fail("the link stayed closed");
            if (!line_.pause(std::chrono::milliseconds(1))) return false;
        }
        for (const Frame& f : line_.drain()) {
            (void)f;
            ++counts_.strays;
        }
        line_.forgetPartialFrame();
        exchangesSinceClose_ = 0;
        ++counts_.resends;
        return true;
    }

    // Sends `command` until its reply comes; false on a fault or a hang.
    bool exchange(const Frame& command, Frame& reply) {
        const std::uint8_t want = unitsim::expectedReplyLetter(command.letter);
        for (;;) {
            if (!window_.linkOpen() && !resync()) return false;
            const std::uint64_t generation = window_.generation();
            const auto sentAt = Clock::now();
            if (line_.send(command, std::chrono::milliseconds(1000))) ++counts_.commands;
            for (;;) {
                Frame f;
                const auto wait = line_.receive(f, std::chrono::milliseconds(5));
                if (wait == unitsim::UnitLine::Wait::Stopped) return fail("stopped");
                if (wait == unitsim::UnitLine::Wait::Frame) {
                    const std::string wrong = unitsim::checkReply(command.letter, f);
                    if (!wrong.empty()) {
                        if (recentClose() && f.letter != want) {
                            ++counts_.strays;
                            continue;
                        }
                        return fail(wrong + " (command " + unitsim::describeFrame(command) + ")");
                    }
                    ++counts_.replies;
                    ++exchangesSinceClose_;
                    reply = f;
                    return f.letter != 'A' || status(f);
                }
                if (window_.generation() != generation) break;  // lost to a close: send it again
                if (Clock::now() - sentAt > kHang)
                    return fail("no reply to " + unitsim::describeFrame(command) + " while the link stayed open");
                if (wait == unitsim::UnitLine::Wait::HangUp && !line_.pause(std::chrono::milliseconds(1))) return false;
            }
            if (!resync()) return false;
        }
    }

    // Every status reply, in the order the link built them.
    bool status(const Frame& reply) {
        unitsim::StatusReply s;
        if (!unitsim::StatusReply::parse(reply, s)) return fail("malformed status " + unitsim::describeFrame(reply));
        if (!s.hasChoice()) return true;  // taken, and the next one not made yet
        std::uint32_t v = decodeChoice(s.choiceHigh, s.choiceMid, s.choiceLow);
        if (v & kDraft) {
            v &= ~kDraft;
            if (v <= lastSeen_)
                return fail("the draft of choice " + std::to_string(v) + " arrived after the choice itself");
            if (v > lastSeen_ + 1)
                return fail("choice " + std::to_string(lastSeen_ + 1) + " was lost: a draft of " + std::to_string(v) +
                            " came next");
            return true;  // on its way to the choice
        }
        if (v < lastSeen_)
            return fail("choice " + std::to_string(v) + " arrived after choice " + std::to_string(lastSeen_));
        if (v > lastSeen_ + 1)
            return fail("choice " + std::to_string(lastSeen_ + 1) + " was lost: choice " + std::to_string(v) +
                        " came next");
        if (v == takenChoice_ && takenGeneration_ == window_.generation())
            return fail("choice " + std::to_string(v) + " came back after the unit took it");
        // The text of a choice is made after the choice: it may lag behind, never run ahead.
        if (s.text.size() > 1 && s.text[0] == 'c') {
            std::uint32_t t = 0;
            for (std::size_t i = 1; i < s.text.size() && i < 9 && s.text[i] >= '0' && s.text[i] <= '9'; ++i)
                t = t * 10 + static_cast<std::uint32_t>(s.text[i] - '0');
            if (t > v) return fail("text of choice " + std::to_string(t) + " arrived with choice " + std::to_string(v));
        }
        if (v == lastSeen_ + 1) {
            lastSeen_ = v;
            lastChoiceAt_ = Clock::now();
            state_ = State::NeedTake;
            ++counts_.choicesSeen;
        }
        return true;
    }

    // Everything else the unit sends, in turn; the letters that wait for the window among them.
    bool otherCommand(std::uint64_t round) {
        const std::uint8_t k = static_cast<std::uint8_t>(round % 250 + 1);
        const std::string n = std::to_string(round);
        auto bytes = [](std::initializer_list<std::uint8_t> head, const std::string& text) {
            std::vector<std::uint8_t> out(head);
            out.insert(out.end(), text.begin(), text.end());
            return out;
        };
        Frame reply;
        switch (round % 12) {
            case 0: {
                if (!exchange({'R', 0, {k, 2}}, reply)) return false;
                const std::string want = "r" + std::to_string(k) + "^";
                if (!recentClose() && std::string(reply.data.begin(), reply.data.end()) != want)
                    return fail("value reply " + unitsim::describeFrame(reply) + " to a request for " + want);
                return true;
            }
            case 1: return exchange({'W', 1, bytes({}, "rep" + n)}, reply);
            case 2: return exchange({'E', 2, bytes({}, "e" + n)}, reply);
            case 3: return exchange({'Z', 0, {}}, reply);
            case 4: return exchange({'D', 1, bytes({1, 3}, "a|" + n + "|c^")}, reply);
            case 5: return exchange({'B', 0, bytes({'k'}, "Box " + n + "^")}, reply);
            case 6: return exchange({'L', 1, bytes({0}, "x|" + n + "^")}, reply);
            case 7: return exchange({'P', 0, bytes({1}, "100|" + std::to_string(round % 100) + "|")}, reply);
            case 8: return exchange({'C', 1, {0, 'I', 'I', 't', 'e', 'm', '^', 1, 2, 3, 0, '$'}}, reply);
            case 9: return exchange({'J', 0, {1, 2}}, reply);
            case 10: return exchange({'F', 0, {}}, reply);
            default: return exchange({'N', 0, bytes({}, "f" + n + ".txt|3^")}, reply) && exchange({'G', 0, {}}, reply);
        }
    }

    unitsim::UnitLine& line_;
    SoakWindow& window_;
    Counts counts_;
    std::vector<std::string> faults_;
    State state_ = State::Polling;
    std::uint32_t lastSeen_ = 0;
    std::uint32_t takenChoice_ = 0;
    std::uint64_t takenGeneration_ = ~std::uint64_t{0};
    std::uint64_t exchangesSinceClose_ = 1000;
    Clock::time_point lastChoiceAt_;  // no close yet
};

}  // namespace corvane::test
