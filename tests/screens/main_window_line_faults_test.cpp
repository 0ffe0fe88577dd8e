// Faults on the unit's line as the whole window meets them, with pseudo-terminals as the unit's
// port: a line closed in the middle of a transfer, a unit that restarts, noise, silence, and a
// USB unit unplugged and plugged again in the middle of a conversation. In each case nothing
// crashes, the status line tells the truth, and the next valid frame is answered.
#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <random>

#include "shell/connection_texts.h"
#include "controls/corv_message_box.h"
#include "screens/status_line.h"
#include "main_window_fixture.h"
#include "pop_up_user.h"
#include "pty_unit.h"

using namespace corvane;
using namespace corvane::test;
using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

namespace {

// Runs the unit's side on another thread while the window's event loop turns.
template <typename F>
auto asUnit(F f) {
    auto result = std::async(std::launch::async, f);
    EXPECT_TRUE(QTest::qWaitFor([&] { return result.wait_for(0ms) == std::future_status::ready; }, 15000));
    return result.get();
}

// Sends the frame until it is answered, as the unit repeats a frame that got no reply.
std::optional<Frame> exchangeWithRetries(PtyUnit& unit, char letter, const Bytes& data = {}) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        unit.send(letter, 1, data);
        if (auto reply = unit.reply(1000ms)) return reply;
    }
    return std::nullopt;
}

void openConversation(TestedMainWindow& window, PtyUnit& unit) {
    auto h = asUnit([&] { return unit.exchange('H', 1, Bytes{0x80}); });
    ASSERT_TRUE(h);
    EXPECT_EQ(h->letter, 'H');
    auto a = asUnit([&] { return unit.exchange('S', 1); });
    ASSERT_TRUE(a);
    EXPECT_EQ(a->letter, 'A');
    ASSERT_TRUE(waitForStatus(window, kStatusConnected));
}

class LineFaults : public ::testing::Test {
protected:
    // COM mode on the pty. `byteTimeout` long enough that the faults below stay under 101 misses.
    std::unique_ptr<TestedMainWindow> startComMode(std::chrono::milliseconds byteTimeout) {
        MainWindowOptions o = box.options();
        o.portPath = unit.slavePath();
        o.byteTimeout = byteTimeout;
        return box.start(o);
    }
    // USB mode with the unit's port leading to `unit`.
    std::unique_ptr<TestedMainWindow> startUsbMode(PtyUnit& u) {
        box.installUsbDriver();
        std::ofstream(box.dir() / "rules" / "70-corvane.rules") << "# the unit's rule\n";
        box.writeConfig("COM00,1");
        box.plugUnit(u.slavePath());
        return box.start();
    }
    std::string usbDevice() {
        return std::filesystem::canonical(box.sysfs().root() / "devices/pci0000:00/0000:00:14.0/usb1/1-1").string();
    }

    MainWindowSandbox box;
    PtyUnit unit;
};

TEST_F(LineFaults, NoiseBurstsBetweenFramesLeaveTheConversationStanding) {
    ASSERT_TRUE(unit.ok());
    auto window = startComMode(50ms);
    openConversation(*window, unit);
    std::mt19937 random(1234);
    for (int burst = 0; burst < 8; ++burst) {
        Bytes noise(5 + random() % 60);
        for (auto& b : noise) b = static_cast<std::uint8_t>(random());
        if (burst % 2 == 0) noise.insert(noise.end(), {0x00, 0x0A, 0x30, 'S'});  // a frame cut short
        auto reply = asUnit([&] {
            unit.sendBytes(noise);
            return exchangeWithRetries(unit, 'S');
        });
        ASSERT_TRUE(reply) << "burst " << burst;
        EXPECT_EQ(reply->letter, 'A');
        EXPECT_EQ(window->statusText(), kStatusConnected) << "burst " << burst;
        unit.drain();  // answers to repeats that crossed
    }
    EXPECT_TRUE(window->link().isAlive());
}

TEST_F(LineFaults, UnitThatRestartsAndHandshakesAgainIsAnswered) {
    ASSERT_TRUE(unit.ok());
    auto window = startComMode(50ms);
    openConversation(*window, unit);
    // The unit restarts: its handshake comes again in the open conversation.
    auto h = asUnit([&] { return unit.exchange('H', 1, Bytes{0x40}); });
    ASSERT_TRUE(h);
    EXPECT_EQ(h->letter, 'A') << "in an open conversation 'H' is a status poll";
    auto s = asUnit([&] { return unit.exchange('S', 1); });
    ASSERT_TRUE(s);
    EXPECT_EQ(s->letter, 'A');
    EXPECT_EQ(window->statusText(), kStatusConnected);
    EXPECT_TRUE(window->link().isAlive());
}

TEST_F(LineFaults, SilentLineForAHundredAndOneReadsThenTheNextFrameIsAnswered) {
    ASSERT_TRUE(unit.ok());
    auto window = startComMode(kShortByteTimeout);
    openConversation(*window, unit);
    ASSERT_TRUE(waitForStatus(*window, kStatusNotConnected));
    EXPECT_GE(window->link().missCount(), 101u);
    EXPECT_FALSE(window->readyLampShown());
    auto s = asUnit([&] { return unit.exchange('S', 1); });
    ASSERT_TRUE(s);
    EXPECT_EQ(s->letter, 'A');
    EXPECT_TRUE(waitForStatus(*window, kStatusConnected));
}

TEST_F(LineFaults, ComLineClosedMidTransferShowsNotConnectedAtOnce) {
    ASSERT_TRUE(unit.ok());
    auto window = startComMode(500ms);  // 101 misses would take 50 s
    openConversation(*window, unit);
    const Bytes c = encodeFrame('C', 0, Bytes(40, 'm'));
    unit.sendBytes(Bytes(c.begin(), c.begin() + 20));
    unit.closeMaster();
    EXPECT_TRUE(waitForStatus(*window, kStatusNotConnected, 5000));
    EXPECT_TRUE(window->link().isOpen()) << "the COM mode does not reopen, so it keeps its port";
    EXPECT_TRUE(window->link().lineGone());
}

TEST_F(LineFaults, UsbLineClosedMidTransferIsUnpluggedAndTheReplugIsFoundWithoutEvents) {
    ASSERT_TRUE(unit.ok());
    auto window = startUsbMode(unit);
    ASSERT_EQ(window->statusText(), kStatusOpenAtStart);
    openConversation(*window, unit);
    auto k = asUnit([&] { return unit.exchange('C', 0, Bytes(40, 'm')); });
    ASSERT_TRUE(k);
    const Bytes c = encodeFrame('C', 0, Bytes(40, 'n'));
    unit.sendBytes(Bytes(c.begin(), c.begin() + 20));
    // Unplugged: the line hangs up and the tty goes; no removal event arrives.
    unit.closeMaster();
    box.unplugUnit();
    ASSERT_TRUE(waitForStatus(*window, kStatusUnplugged, 5000));
    EXPECT_FALSE(window->link().isOpen());
    EXPECT_FALSE(window->unitPresent());
    EXPECT_FALSE(window->readyLampShown());

    // Plugged in again, no arrival event either: the search once a second finds it.
    PtyUnit again;
    ASSERT_TRUE(again.ok());
    box.plugUnit(again.slavePath());
    ASSERT_TRUE(waitForStatus(*window, kStatusOpen, 5000));
    EXPECT_TRUE(window->link().isOpen());
    auto s = asUnit([&] { return again.exchange('S', 1); });
    ASSERT_TRUE(s);
    EXPECT_EQ(s->letter, 'A');
    EXPECT_TRUE(waitForStatus(*window, kStatusConnected));
}

TEST_F(LineFaults, UsbRemovalAndArrivalEventsInTheMiddleOfAConversation) {
    ASSERT_TRUE(unit.ok());
    auto window = startUsbMode(unit);
    ASSERT_NE(box.events(), nullptr);
    openConversation(*window, unit);
    // Half of a menu has come when the unit is pulled.
    auto k = asUnit([&] { return unit.exchange('C', 0, Bytes(40, 'm')); });
    ASSERT_TRUE(k);
    EXPECT_EQ(k->letter, 'K');
    box.unplugUnit();
    box.events()->unplug(unitEvent(usbDevice()));
    EXPECT_EQ(window->statusText(), kStatusUnplugged);
    EXPECT_FALSE(window->link().isOpen());
    EXPECT_FALSE(window->connected());

    PtyUnit again;
    ASSERT_TRUE(again.ok());
    box.plugUnit(again.slavePath());
    box.events()->plug(unitEvent());
    EXPECT_EQ(window->statusText(), kStatusOpen);
    EXPECT_TRUE(window->readyLampShown());
    // The replugged unit starts over; the conversation of this window stays open.
    auto h = asUnit([&] { return again.exchange('H', 1, Bytes{0x80}); });
    ASSERT_TRUE(h);
    auto s = asUnit([&] { return again.exchange('S', 1); });
    ASSERT_TRUE(s);
    EXPECT_EQ(s->letter, 'A');
    EXPECT_TRUE(waitForStatus(*window, kStatusConnected));
    // The old line is not read any more: what the old unit sends goes nowhere.
    unit.send('S', 1);
    EXPECT_FALSE(unit.reply(200ms));
}

// A page choice and a question still open when the unit is pulled: neither reaches the unit
// plugged in next, not even the answer the user gives the old question afterwards.
TEST_F(LineFaults, AnswersForAUnitThatWentAwayAreNotDeliveredToTheNext) {
    ASSERT_TRUE(unit.ok());
    auto window = startUsbMode(unit);
    ASSERT_NE(box.events(), nullptr);
    openConversation(*window, unit);
    PtyUnit again;
    ASSERT_TRUE(again.ok());
    std::atomic<bool> replugged{false}, answered{false}, rehandshaken{false};

    PopUpUser user;
    user.when([&] { return window->popUps().messageBox() != nullptr; },
              [&] {
                  window->pageChoices().onPageChoice(0x010203);
                  EXPECT_TRUE(window->pageChoices().busy());
                  box.unplugUnit();
                  box.events()->unplug(unitEvent(usbDevice()));
                  EXPECT_EQ(window->statusText(), kStatusChoiceNotDelivered);
                  EXPECT_FALSE(window->pageChoices().busy());
                  EXPECT_FALSE(window->busyBarRunning());
                  box.plugUnit(again.slavePath());
                  box.events()->plug(unitEvent());
                  replugged = true;
              });
    user.when([&] { return rehandshaken.load(); },
              [&] {
                  window->popUps().messageBox()->done(IDOK);  // "YES", for the unit that is gone
                  answered = true;
              });
    auto unitSide = std::async(std::launch::async, [&] {
        std::vector<Bytes> seen;
        unit.exchange('B', 1, Bytes{'y', 'E', 'r', 'a', 's', 'e', '?', '^'});
        while (!replugged) std::this_thread::sleep_for(1ms);
        // The new unit restarts the handshake, then polls once the old question is answered.
        if (auto a = again.exchange('H', 1, Bytes{0x80})) seen.push_back(a->data);
        rehandshaken = true;
        while (!answered) std::this_thread::sleep_for(1ms);
        if (auto a = again.exchange('S', 1)) seen.push_back(a->data);
        return seen;
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return unitSide.wait_for(0ms) == std::future_status::ready; }, 20000));
    const std::vector<Bytes> seen = unitSide.get();
    ASSERT_EQ(seen.size(), 2u);
    for (const Bytes& status : seen) {
        ASSERT_GE(status.size(), 6u);
        EXPECT_EQ(Bytes(status.begin(), status.begin() + 5), Bytes(5, 0xFF)) << "no choice, no box answer";
    }
}

}  // namespace
