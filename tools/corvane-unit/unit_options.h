#pragma once
// Command line of corvane-unit.
#include <cstdint>
#include <string>
#include <vector>

namespace corvane::unitsim {

struct UnitOptions {
    bool pty = false;
    std::string port;
    std::uint8_t capacity = 128;
    bool capacityGiven = false;  // --capacity was on the command line
    std::string scenario;
    std::string replay;  // a trace to play back instead of the demo
    bool log = false;
    bool verbose = false;  // a replay lists each note
    bool help = false;
    bool version = false;
};

// False with `error` set for a command line that cannot be used.
bool parseUnitOptions(const std::vector<std::string>& args, UnitOptions& out, std::string& error);
std::string unitUsage();
// "corvane-unit VERSION", the release it belongs to.
std::string unitVersion();
// The one line shown after a mistake on the command line, instead of the whole usage.
std::string unitUsageHint();

}  // namespace corvane::unitsim
