// Scenario scripts for the simulated unit: any text is either read into steps or refused with
// a message naming the line; the patterns of a script that was read match in bounded time.
#include <string>

#include "fuzz_support.h"
#include "scenario.h"

using namespace corvane;
using namespace corvane::unitsim;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) return 0;  // scripts are small; long inputs only slow the search down
    const std::string text(reinterpret_cast<const char*>(data), size);
    const ScenarioParse p = parseScenario(text, "f.scn");
    if (!p.ok) {
        FUZZ_CHECK(p.error.rfind("f.scn:", 0) == 0);
        return 0;
    }
    FUZZ_CHECK(p.error.empty());
    std::vector<Frame> frames;
    for (const ScenarioStep& s : p.scenario.steps) {
        for (const Frame& f : s.frames) {
            FUZZ_CHECK(f.data.size() <= fuzz::kMaxFrameData);
            FUZZ_CHECK(!encodeFrame(f.letter, f.sub, f.data).empty());
            frames.push_back(f);
        }
        if (s.kind == ScenarioStep::Kind::SendMenu) FUZZ_CHECK(!s.frames.empty() && s.frames.back().sub == 1);
    }
    for (const ScenarioStep& s : p.scenario.steps) {
        using Kind = ScenarioStep::Kind;
        if (s.kind != Kind::Expect && s.kind != Kind::Wait && s.kind != Kind::Poll) continue;
        FUZZ_CHECK(!s.pattern.describe().empty());
        // A reply made of the pattern's own bytes (any run left empty) matches it.
        Frame own{static_cast<std::uint8_t>(s.pattern.letter < 0 ? 'K' : s.pattern.letter),
                  static_cast<std::uint8_t>(s.pattern.sub < 0 ? 1 : s.pattern.sub),
                  {}};
        for (const auto& t : s.pattern.data)
            if (t.kind != ReplyPattern::Token::AnyRun) own.data.push_back(t.value);
        FUZZ_CHECK(s.pattern.matches(own));
        for (const Frame& f : frames) s.pattern.matches(f);
    }
    return 0;
}
