// Scenarios played against the real link engine over a pseudo-terminal.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "scenario.h"
#include "scenario_player.h"
#include "scripted_ui.h"
#include "unit_line.h"

namespace corvane::unitsim {
namespace {

using namespace std::chrono_literals;

class ScenarioPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        line = UnitLine::openPty(error);
        ASSERT_TRUE(line) << error;
        ASSERT_TRUE(link.openByName(line->slavePath()));
        link.setMainWindow(&ui);
        link.startWorker();
    }
    void TearDown() override {
        line->requestStop();
        if (player.joinable()) player.join();
        link.close();
    }

    // Plays the script on its own thread while the test thread handles the window's part.
    void start(const std::string& script) {
        const ScenarioParse p = parseScenario(script, "play.scn");
        ASSERT_TRUE(p.ok) << p.error;
        start(p.scenario);
    }
    void start(const Scenario& scenario) {
        player = std::thread([this, s = scenario] {
            ScenarioPlayer pl(*line);
            passed = pl.play(s);
            error = pl.error();
            done = true;
        });
    }
    bool finish() {
        return ui.pumpUntil([this] { return done.load(); }, 15s);
    }

    UnitLink link{std::chrono::milliseconds(100)};
    testing::ScriptedUi ui{link};
    std::unique_ptr<UnitLine> line;
    std::thread player;
    std::atomic<bool> done{false};
    bool passed = false;
    std::string error;
};

TEST_F(ScenarioPlayerTest, ConversationWithMenuChoiceAndBoxPasses) {
    start(R"(handshake 128 within 3000
send H 0 80
silence 300                      # a second handshake before the conversation gets no reply
menu 16
  group "Engine" 1 2
  item "Live data" 10 3
  close
  page 10 0x01010A
  control 1 s 2 2 60 8 "Speed|km/h"
  control 2 b 2 10 30 16 "Go" code 0x020101
end
poll until A 1 ?? ?? ?? ?? ?? 01 5E within 2000
poll until A 1 01 01 0A FF FF 01 "^" within 5000 every 20
send Y 0
expect K 1
send D 0 01 01 "88^"
expect A 1 FF FF FF FF FF 01 5E
send B 0 "kDone^"
expect K 1
poll until A 1 ?? ?? ?? 02 * within 3000
send Z 0
expect K 1
send Q 0                         # unknown letter: the previous reply again
expect K 1
)");
    ASSERT_TRUE(ui.pumpUntil([&] { return ui.menus == 1 || done; }));
    ASSERT_EQ(ui.menus, 1) << error;
    ui.selectPage(10);
    ASSERT_TRUE(finish());
    EXPECT_TRUE(passed) << error;
    EXPECT_EQ(ui.valueOf(1), "88");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Done");
    EXPECT_EQ(ui.boxesTaken, 1);
}

TEST_F(ScenarioPlayerTest, TheShippedExamplePlaysWithAUserWhoOpensThePage) {
    const ScenarioParse p = loadScenario(CORVANE_EXAMPLE_SCENARIO);
    ASSERT_TRUE(p.ok) << p.error;
    start(p.scenario);
    ASSERT_TRUE(ui.pumpUntil([&] { return ui.menus == 1 || done; }));
    ui.selectPage(10);
    ASSERT_TRUE(finish());
    EXPECT_TRUE(passed) << error;
    // The values' notification is handled after the reply that ended the script.
    EXPECT_TRUE(ui.pumpUntil([&] { return ui.valueOf(1) == "88"; })) << ui.valueOf(1);
}

TEST_F(ScenarioPlayerTest, PollTakesRepliesLeftUnreadOnceAndGoesOn) {
    // Two replies wait unread when the poll starts (they may come in one read): each is taken
    // once, the poll's own reply matches, and the frames after it are answered in turn.
    start(R"(handshake within 3000
send S 0
send S 0
sleep 300
poll until A 1 FF * within 3000
send Y 0
expect K 1
)");
    ASSERT_TRUE(finish());
    EXPECT_TRUE(passed) << error;
}

TEST_F(ScenarioPlayerTest, WrongExpectationStopsWithTheLineAndBothFrames) {
    start("handshake within 3000\nsend S 0\n\nexpect A 1 00 *\nsend S 0\n");
    ASSERT_TRUE(finish());
    EXPECT_FALSE(passed);
    EXPECT_EQ(error, "play.scn:4: expected A sub 1: 00 *, got A sub 1, 7 bytes: FF FF FF FF FF FF 5E");
}

TEST_F(ScenarioPlayerTest, MissingReplyAndFailedPollAreReported) {
    start("handshake within 3000\nsend S 0\nexpect A 1 *\nexpect K 1 within 200\n");
    ASSERT_TRUE(finish());
    EXPECT_FALSE(passed);
    EXPECT_EQ(error, "play.scn:4: expected K sub 1, no data, but no reply came within 200 ms");

    line->requestStop();
    player.join();
    done = false;
    std::unique_ptr<UnitLine> keep = std::move(line);
    std::string err;
    line = UnitLine::openPty(err);  // a fresh line: the PC is not there, so nothing answers
    ASSERT_TRUE(line) << err;
    start("poll until A 1 * within 300 every 50\n");
    ASSERT_TRUE(finish());
    EXPECT_FALSE(passed);
    EXPECT_EQ(error, "play.scn:1: polled 300 ms for A sub 1: *; last reply: no reply at all");
}

}  // namespace
}  // namespace corvane::unitsim
