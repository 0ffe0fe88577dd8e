#pragma once
// Plays a scenario over the unit's line and stops at the first reply that does not match.
#include <ostream>
#include <string>

#include "scenario.h"
#include "unit_line.h"

namespace corvane::unitsim {

class ScenarioPlayer {
public:
    ScenarioPlayer(UnitLine& line, std::ostream* progress = nullptr);

    // True when every step passed; otherwise error() names the line and what went wrong.
    bool play(const Scenario& scenario);
    const std::string& error() const { return error_; }
    int stepsPassed() const { return passed_; }

private:
    bool step(const ScenarioStep& s);
    bool fail(const ScenarioStep& s, const std::string& what);
    // Next reply within `timeout`; false (with the error set) when none came.
    bool nextReply(const ScenarioStep& s, std::chrono::milliseconds timeout, Frame& out, bool& timedOut);
    bool sendFrame(const ScenarioStep& s, const Frame& f);

    UnitLine& line_;
    std::ostream* progress_;
    std::string name_;
    std::string error_;
    int passed_ = 0;
};

}  // namespace corvane::unitsim
