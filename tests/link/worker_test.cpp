// The receive worker: misses and the alive flag, stopping, and the answer path that never
// makes the user-interface thread wait for LinkLock.
#include <future>
#include <thread>

#include "link/memory_port.h"
#include "link_fixture.h"

using namespace corvane;
using namespace corvane::test;
using namespace std::chrono_literals;

TEST(Worker, AliveFlagFallsOnTheHundredAndFirstMiss) {
    UnitLink link;
    auto port = std::make_unique<MemoryPort>(encodeFrame('H', 1, Bytes{0x80}));
    MemoryPort* raw = port.get();
    link.attachPort(std::move(port));
    EXPECT_FALSE(link.isAlive());
    ASSERT_TRUE(link.pollStep());
    EXPECT_TRUE(link.isAlive()) << "a valid frame sets the flag even before the conversation opens";
    for (int i = 0; i < 100; ++i) link.pollStep();
    EXPECT_EQ(link.missCount(), 100u);
    EXPECT_TRUE(link.isAlive());
    link.pollStep();
    EXPECT_FALSE(link.isAlive());
    for (int i = 0; i < 50; ++i) link.pollStep();
    raw->feed(encodeFrame('S', 1, {}));
    link.pollStep();
    EXPECT_TRUE(link.isAlive());
    EXPECT_EQ(link.missCount(), 0u);

    UnitLink closed;
    EXPECT_FALSE(closed.pollStep()) << "no port: the poll step reports it";
}

TEST(Worker, SilentLineDropsTheAliveFlagWithTheInjectedTimeOut) {
    PtyUnit unit;
    ASSERT_TRUE(unit.ok());
    UnitLink link(2ms);
    ASSERT_TRUE(link.openByName(unit.slavePath()));
    link.startWorker();
    unit.send('S', 1);
    ASSERT_TRUE(unit.reply());
    EXPECT_TRUE(link.isAlive());
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (link.isAlive() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(5ms);
    EXPECT_FALSE(link.isAlive());
    EXPECT_GT(link.missCount(), 100u);
    unit.send('S', 1);
    EXPECT_TRUE(unit.reply());
    EXPECT_TRUE(link.isAlive());
    link.close();
}

TEST(Worker, StopWhileSilentReturnsPromptly) {
    PtyUnit unit;
    ASSERT_TRUE(unit.ok());
    // A per-byte time-out far longer than the bound below: only a stop that interrupts the read
    // returns within it.
    UnitLink link(10s);
    ASSERT_TRUE(link.openByName(unit.slavePath()));
    link.startWorker();
    unit.send('H', 1, Bytes{0x80});
    ASSERT_TRUE(unit.reply());  // the worker has finished a step and reads again
    const auto start = std::chrono::steady_clock::now();
    link.stopWorker();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    EXPECT_FALSE(link.isAlive());
    EXPECT_TRUE(link.isOpen());
    // A stopped link can be started again and still talks.
    link.startWorker();
    unit.send('S', 1);
    EXPECT_TRUE(unit.reply());
    EXPECT_TRUE(link.close());
    EXPECT_FALSE(link.isOpen());
    link.stopWorker();  // no worker: only clears the flag
    EXPECT_FALSE(link.isAlive());
}

TEST(Worker, UnpluggedDeviceKeepsTheWorkerRunningUntilClosed) {
    PtyUnit unit;
    ASSERT_TRUE(unit.ok());
    UnitLink link(2ms);
    ASSERT_TRUE(link.openByName(unit.slavePath()));
    link.startWorker();
    unit.send('S', 1);
    ASSERT_TRUE(unit.reply());
    unit.closeMaster();
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (link.isAlive() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(5ms);
    EXPECT_FALSE(link.isAlive());
    EXPECT_TRUE(link.isOpen());
    link.close();
}

class AnswerPath : public LinkFixture {
protected:
    AnswerPath() : LinkFixture(500ms) {}
};

TEST_F(AnswerPath, UpdatesDuringABlockedReadReachTheNextReplyInOrder) {
    openConversation();
    // The worker is back in its blocking read (or about to be); either way the updates must not
    // wait for it, and they reach the next reply whole and in order.
    for (int i = 0; i < 50; ++i) {
        link.updateAnswer([i](PendingAnswer& a) {
            a.choiceHigh = 1;
            a.choiceMid = static_cast<std::uint8_t>(i);
            a.answerText += static_cast<char>('a' + i % 26);
        });
    }
    link.updateAnswer([](PendingAnswer& a) { a.choiceLow = a.choiceMid; });
    const Bytes s = status();
    ASSERT_GE(s.size(), 7u);
    EXPECT_EQ(s[0], 1);
    EXPECT_EQ(s[1], 49);
    EXPECT_EQ(s[2], 49) << "applied in the order made";
    std::string expected;
    for (int i = 0; i < 50; ++i) expected += static_cast<char>('a' + i % 26);
    EXPECT_EQ(std::string(s.begin() + 6, s.end() - 1), expected);
}

TEST_F(AnswerPath, UpdatesWhileASentNotificationWaitsNeverBlock) {
    openConversation();
    link.updateAnswer([](PendingAnswer& a) { a.choiceHigh = a.choiceMid = a.choiceLow = 7; });
    listener.setHoldSent(true);
    unit.send('Y', 1);
    ASSERT_TRUE(listener.waitFor(WM_LINK_CHOICE_TAKEN));
    // The worker holds LinkLock and waits for the handler: a choice made now returns at once.
    auto made = std::async(std::launch::async, [&] {
        link.updateAnswer([](PendingAnswer& a) {
            a.choiceHigh = 0;
            a.choiceMid = 0x12;
        });
        link.updateAnswer([](PendingAnswer& a) { a.choiceLow = 0x34; });
    });
    EXPECT_EQ(made.wait_for(10s), std::future_status::ready);
    EXPECT_FALSE(unit.reply(100ms)) << "no reply while the handler is pending";
    listener.release();
    auto k = unit.reply();
    ASSERT_TRUE(k);
    EXPECT_EQ(k->letter, 'K');
    // The reset of 'Y' came first, then the new choice, whole.
    const Bytes s = status();
    EXPECT_EQ(Bytes(s.begin(), s.begin() + 3), (Bytes{0x00, 0x12, 0x34}));
}

TEST_F(AnswerPath, StopWhileASentNotificationIsPendingDoesNotHang) {
    openConversation();
    listener.setHoldSent(true);
    unit.send('Z', 1);
    ASSERT_TRUE(listener.waitFor(WM_LINK_BOX_TAKEN));
    auto stopped = std::async(std::launch::async, [&] { link.close(); });
    EXPECT_EQ(stopped.wait_for(10s), std::future_status::ready);
    EXPECT_FALSE(unit.reply(100ms)) << "a step cut short by stop sends nothing";
    listener.release();  // a handler that comes late finds nobody waiting
}
