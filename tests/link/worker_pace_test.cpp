// The worker's pace: it goes from one poll step to the next without pausing, yet a silent or
// unplugged line costs no CPU, every choice still reaches the next reply, and stop still ends
// it while the unit keeps sending.
#include <time.h>

#include <atomic>
#include <future>
#include <thread>

#include "link_fixture.h"

using namespace corvane;
using namespace corvane::test;
using namespace std::chrono_literals;

namespace {

std::chrono::nanoseconds processCpuTime() {
    timespec ts{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return std::chrono::seconds(ts.tv_sec) + std::chrono::nanoseconds(ts.tv_nsec);
}

// CPU the whole process (in effect the worker: the test thread sleeps) spends while the line
// stays silent for one second. A worker that spins takes most of a core even on a busy machine.
std::chrono::milliseconds cpuOverASilentSecond() {
    const auto before = processCpuTime();
    std::this_thread::sleep_for(1s);
    return std::chrono::duration_cast<std::chrono::milliseconds>(processCpuTime() - before);
}

constexpr auto kIdleCpuBound = 150ms;  // 15% of a core: sanitizers and a loaded machine included

class WorkerPace : public LinkFixture {
protected:
    // A short read time-out makes the worker come round its loop a hundred times a second, so
    // anything that keeps it from blocking again shows at once.
    WorkerPace() : LinkFixture(10ms) {}
};

}  // namespace

TEST_F(WorkerPace, SilentOrUnpluggedLineCostsNoCpu) {
    openConversation();
    EXPECT_LT(cpuOverASilentSecond(), kIdleCpuBound) << "silent line";

    // A restarted worker must find the read blocking again, not the wake-up left from stop.
    link.stopWorker();
    link.startWorker();
    ASSERT_EQ(status().size(), 7u);
    EXPECT_LT(cpuOverASilentSecond(), kIdleCpuBound) << "silent line after a restart";

    // An unplugged device fails every read at once; the worker must still not spin on it.
    unit.closeMaster();
    EXPECT_LT(cpuOverASilentSecond(), kIdleCpuBound) << "unplugged device";
    EXPECT_TRUE(link.isOpen());
}

TEST_F(WorkerPace, EachChoiceReachesTheNextReplyWhenPollsComeBackToBack) {
    openConversation();
    // The unit polls again the moment a reply is in; the choice made in between must be in the
    // very next reply, whether the worker was already back in its read or not.
    for (int i = 0; i < 300; ++i) {
        const auto v = static_cast<std::uint8_t>(i % 250 + 1);
        link.updateAnswer([v](PendingAnswer& a) {
            a.choiceHigh = v;
            a.choiceLow = static_cast<std::uint8_t>(v ^ 0x55);
        });
        const Bytes s = status();
        ASSERT_GE(s.size(), 3u);
        ASSERT_EQ(s[0], v) << "poll " << i;
        ASSERT_EQ(s[2], v ^ 0x55) << "poll " << i;
    }
}

TEST_F(WorkerPace, StopEndsTheWorkerWhileTheUnitKeepsSending) {
    openConversation();
    std::atomic<bool> flooding{true};
    std::atomic<int> answered{0};
    auto unitSide = std::async(std::launch::async, [&] {
        while (flooding.load()) {
            unit.send('S', 1);
            if (unit.reply(500ms)) answered.fetch_add(1);
        }
    });
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (answered.load() < 50 && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(1ms);
    ASSERT_GE(answered.load(), 50) << "the unit's polls were not answered";
    auto stopped = std::async(std::launch::async, [&] { link.stopWorker(); });
    EXPECT_EQ(stopped.wait_for(5s), std::future_status::ready);
    flooding.store(false);
    unitSide.wait();
    stopped.wait();
    EXPECT_FALSE(link.isAlive());
    // Nothing is answered once stopped; the port is still open and a new worker talks again.
    unit.send('S', 1);
    EXPECT_FALSE(unit.reply(200ms));
    link.startWorker();
    EXPECT_EQ(status().size(), 7u);
}
