// Scenario scripts: what they parse into, and the messages for scripts that are wrong.
#include <gtest/gtest.h>

#include "scenario.h"

namespace corvane::unitsim {
namespace {

ScenarioParse parse(const std::string& text) { return parseScenario(text, "t.scn"); }

TEST(ScenarioParser, ReadsEveryKindOfStep) {
    const ScenarioParse p = parse(
        "# a comment line\n"
        "timeout 500\n"
        "handshake 200 within 3000\n"
        "send B 0 \"kHi\" 5e   # a box\n"
        "send D 1 0102 \"a|\\x7C\\\"^\"\n"
        "expect K 1 within 100\n"
        "wait A ?? ?? * 5E\n"
        "poll until A 1 01 01 0A * within 5000 every 50\n"
        "poll with H 0 80 until A 1 *\n"
        "silence 200\n"
        "sleep 10\n"
        "note \"step\"\n"
        "menu 10\n"
        "  group \"G\" 1 2\n"
        "  item \"I\" 10 3\n"
        "  close\n"
        "  page 10 0x01010A\n"
        "  control 1 b 2 2 20 6 \"Go\" code 0x020101 style 4\n"
        "end\n");
    ASSERT_TRUE(p.ok) << p.error;
    const auto& s = p.scenario.steps;
    ASSERT_EQ(s.size(), 11u);
    using K = ScenarioStep::Kind;
    EXPECT_EQ(s[0].kind, K::Handshake);
    EXPECT_EQ(s[0].capacity, 200);
    EXPECT_FALSE(s[0].unlimited);
    EXPECT_EQ(s[0].timeout.count(), 3000);
    EXPECT_EQ(s[1].frames[0].data, (std::vector<std::uint8_t>{'k', 'H', 'i', 0x5E}));
    EXPECT_EQ(s[2].frames[0].letter, 'D');
    EXPECT_EQ(s[2].frames[0].sub, 1);
    EXPECT_EQ(s[2].frames[0].data, (std::vector<std::uint8_t>{1, 2, 'a', '|', '|', '"', '^'}));
    EXPECT_EQ(s[3].timeout.count(), 100);
    EXPECT_EQ(s[4].kind, K::Wait);
    EXPECT_EQ(s[4].timeout.count(), 500);  // the default set by "timeout"
    EXPECT_EQ(s[5].kind, K::Poll);
    EXPECT_EQ(s[5].frames[0].letter, 'S');
    EXPECT_EQ(s[5].every.count(), 50);
    EXPECT_EQ(s[6].frames[0].letter, 'H');
    EXPECT_EQ(s[6].frames[0].data, (std::vector<std::uint8_t>{0x80}));
    EXPECT_EQ(s[7].kind, K::Silence);
    EXPECT_EQ(s[10].kind, K::SendMenu);
    EXPECT_EQ(s[10].line, 13);
    ASSERT_GT(s[10].frames.size(), 3u);
    EXPECT_EQ(s[10].frames.back().sub, 1);
}

TEST(ScenarioParser, PatternsMatchWithWildcards) {
    const ScenarioParse p = parse("expect A 1 ?? 02 * \"^\"\nexpect ? ?? \nexpect K 1\n");
    ASSERT_TRUE(p.ok) << p.error;
    const ReplyPattern& a = p.scenario.steps[0].pattern;
    EXPECT_TRUE(a.matches(Frame{'A', 1, {9, 2, '^'}}));
    EXPECT_TRUE(a.matches(Frame{'A', 1, {9, 2, 1, 2, 3, '^'}}));
    EXPECT_FALSE(a.matches(Frame{'A', 1, {9, 3, '^'}}));
    EXPECT_FALSE(a.matches(Frame{'A', 1, {9, 2, '^', 0}}));
    EXPECT_FALSE(a.matches(Frame{'A', 0, {9, 2, '^'}}));
    EXPECT_FALSE(a.matches(Frame{'K', 1, {9, 2, '^'}}));
    EXPECT_EQ(a.describe(), "A sub 1: ?? 02 * 5E");
    const ReplyPattern& any = p.scenario.steps[1].pattern;
    EXPECT_TRUE(any.matches(Frame{'Q', 7, {}}));
    EXPECT_FALSE(any.matches(Frame{'Q', 7, {1}}));  // no pattern bytes: no data
    EXPECT_TRUE(p.scenario.steps[2].pattern.matches(Frame{'K', 1, {}}));
}

TEST(ScenarioParser, RunsOfAnyBytesMatchWhereverTheRestFits) {
    const ScenarioParse p = parse("expect K 1 * 01 * 02 ??\nexpect K 1 * * 00\nexpect K 1 01 * * 01\n");
    ASSERT_TRUE(p.ok) << p.error;
    const ReplyPattern& split = p.scenario.steps[0].pattern;
    EXPECT_TRUE(split.matches(Frame{'K', 1, {1, 2, 9}}));
    EXPECT_TRUE(split.matches(Frame{'K', 1, {1, 1, 2, 1, 2, 2, 9}}));  // only the last 02 leaves one byte
    EXPECT_FALSE(split.matches(Frame{'K', 1, {1, 2}}));
    EXPECT_FALSE(split.matches(Frame{'K', 1, {2, 1, 9}}));
    const ReplyPattern& stars = p.scenario.steps[1].pattern;
    EXPECT_TRUE(stars.matches(Frame{'K', 1, {0}}));
    EXPECT_TRUE(stars.matches(Frame{'K', 1, {5, 0, 5, 0}}));
    EXPECT_FALSE(stars.matches(Frame{'K', 1, {0, 5}}));
    const ReplyPattern& ends = p.scenario.steps[2].pattern;
    EXPECT_TRUE(ends.matches(Frame{'K', 1, {1, 1}}));
    EXPECT_FALSE(ends.matches(Frame{'K', 1, {1}}));  // one byte cannot be both ends

    // Many runs against a long reply that does not fit: this took longer than any time-out
    // when each run tried every split.
    std::string many = "expect K 1";
    for (int i = 0; i < 40; ++i) many += " *";
    const ScenarioParse slow = parse(many + " 00\n");
    ASSERT_TRUE(slow.ok) << slow.error;
    EXPECT_FALSE(slow.scenario.steps[0].pattern.matches(Frame{'K', 1, std::vector<std::uint8_t>(249, 1)}));
    std::vector<std::uint8_t> fits(249, 1);
    fits.back() = 0;
    EXPECT_TRUE(slow.scenario.steps[0].pattern.matches(Frame{'K', 1, fits}));
}

TEST(ScenarioParser, ErrorsNameTheLineAndTheProblem) {
    const std::pair<const char*, const char*> cases[] = {
        {"send S 0\nsned S 0\n", "t.scn:2: unknown command 'sned'"},
        {"\n\nsend SS 0\n", "t.scn:3: a frame letter is one character, not 'SS'"},
        {"send S 300\n", "t.scn:1: SUB 300 is outside 0..255"},
        {"send S 0 0G\n", "t.scn:1: '0G' is not hex bytes"},
        {"send S 0 123\n", "t.scn:1: '123' is not hex bytes (two digits per byte)"},
        {"send B 0 \"open\n", "t.scn:1: a quoted text is not closed"},
        {"expect A 1 ?? x\n", "t.scn:1: 'x' is not hex bytes, ?? or *"},
        {"expect A 1 within\n", "t.scn:1: missing time-out"},
        {"poll within 100\n", "t.scn:1: poll needs 'until'"},
        {"sleep soon\n", "t.scn:1: duration must be a number, not 'soon'"},
        {"timeout 10 20\n", "t.scn:1: unexpected '20'"},
        {"note plain\n", "t.scn:1: note text must be a quoted text"},
        {"send T 0 \"\\q\"\n", "t.scn:1: unknown escape \\q"},
        {"menu\n  item \"A\" 1 1\n  page 1\n  control 1 b 1 1 9 9 \"x\" colour 3\nend\n",
         "t.scn:4: unknown control option 'colour'"},
        {"menu\n  item \"A\" 8 1\n  page 1\n  widget\nend\n", "t.scn:4: unknown menu element 'widget'"},
        {"menu 20\n  item \"A\" 8 1\n", "t.scn:1: the menu that starts here has no 'end'"},
        {"menu\n  item \"A\" 8 1\n  item \"B\" 0x0050 1\n  page 1\nend\n",
         "t.scn:3: item 'B': bytes 00 'P' inside the element"},
        {"menu\n  item \"A\" 8 1\n  page 1\n  control 1 b 1 1 9 9 \"x\" style 3\nend\n",
         "t.scn:4: a style needs a code"},
    };
    for (const auto& [text, want] : cases) {
        const ScenarioParse p = parse(text);
        EXPECT_FALSE(p.ok) << text;
        EXPECT_EQ(p.error.rfind(want, 0), 0u) << "script:\n" << text << "gave: " << p.error;
    }
    std::string big = "send E 0";
    for (int i = 0; i < 250; ++i) big += " 00";
    EXPECT_NE(parse(big + "\n").error.find("at most 249 DATA bytes"), std::string::npos);
}

}  // namespace
}  // namespace corvane::unitsim
