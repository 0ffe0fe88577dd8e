#pragma once
// The unit's side of the conversation: handshake, then one command at a time, each waiting for
// the PC's reply. Every reply is checked against the command it answers.
#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "link/frame_codec.h"
#include "reply_check.h"
#include "unit_line.h"

namespace corvane::unitsim {

class UnitSession {
public:
    enum class Outcome { Reply, Timeout, LineGone, Stopped };

    struct Result {
        Outcome outcome = Outcome::Timeout;
        Frame reply;
        bool ok() const { return outcome == Outcome::Reply; }
    };

    UnitSession(UnitLine& line, std::uint8_t capacity);

    // Sends 'H' with the receive capacity once a second until the PC answers. In pty mode a
    // closed slave only means that the PC has not opened it yet. An 'A' answer means the PC's
    // conversation was already open (the unit restarted) and counts as done.
    // Gives up (false) after `maxWait`.
    bool handshake(std::chrono::milliseconds maxWait = std::chrono::hours(24 * 365));
    bool started() const { return started_; }
    std::uint8_t capacity() const { return capacity_; }

    // Sends one command and waits for its reply. Commands whose reply waits for the user on
    // the PC ('R', 'W', 'E', 'Y', 'Z') get a long time-out.
    Result exchange(const Frame& command);
    Result exchange(std::uint8_t letter, std::uint8_t sub, std::vector<std::uint8_t> data = {});

    // Status poll; true with `status` filled when a well-formed 'A' came back.
    bool poll(StatusReply& status);

    UnitLine& line() { return line_; }
    // The line went away or a stop was requested: the conversation cannot go on.
    bool finished() const { return finished_; }

    // Counters of what happened, for the summary and the tests.
    std::array<unsigned, 128> sentByLetter{};
    unsigned repliesChecked = 0;
    std::vector<std::string> faults;  // wrong replies and missing replies, in order
    unsigned faultsDropped = 0;       // beyond kMaxFaults, only counted
    static constexpr std::size_t kMaxFaults = 200;
    // Records a fault; a PC that stops answering must not make the list grow without end.
    void fault(std::string what);

    std::chrono::milliseconds replyTimeout{2000};
    std::chrono::milliseconds userTimeout{60000};

private:
    UnitLine& line_;
    std::uint8_t capacity_;
    bool started_ = false;
    bool finished_ = false;
};

}  // namespace corvane::unitsim
