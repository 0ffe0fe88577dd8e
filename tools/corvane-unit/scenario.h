#pragma once
// Scenario scripts: a line-based text that says which frames the unit sends and which replies
// it expects. The format is described in README.md and in `corvane-unit --help`.
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "link/frame_codec.h"

namespace corvane::unitsim {

// A reply to match: letter and SUB (either may be "any"), then DATA tokens.
struct ReplyPattern {
    struct Token {
        enum Kind { Byte, AnyByte, AnyRun } kind = Byte;
        std::uint8_t value = 0;
    };
    int letter = -1;  // -1: any
    int sub = -1;     // -1: any
    std::vector<Token> data;

    bool matches(const Frame& frame) const;
    std::string describe() const;
};

struct ScenarioStep {
    enum class Kind { Handshake, Send, SendMenu, Expect, Wait, Poll, Silence, Sleep, Note };
    Kind kind = Kind::Note;
    int line = 0;               // line number in the script, for messages
    std::vector<Frame> frames;  // Send, SendMenu; Poll: the poll frame
    ReplyPattern pattern;       // Expect, Wait, Poll
    std::chrono::milliseconds timeout{0};
    std::chrono::milliseconds every{100};  // Poll
    std::uint8_t capacity = 128;           // Handshake
    bool unlimited = false;                // Handshake without "within"
    std::string text;                      // Note
};

struct Scenario {
    std::string name;
    std::vector<ScenarioStep> steps;
};

struct ScenarioParse {
    bool ok = false;
    Scenario scenario;
    std::string error;  // "NAME:LINE: what is wrong"
};

ScenarioParse parseScenario(const std::string& text, const std::string& name);
ScenarioParse loadScenario(const std::string& path);

// The text of the format, shared by --help and the README.
const char* scenarioFormatHelp();

}  // namespace corvane::unitsim
