// A soak of the link's threads, meant to run under ThreadSanitizer: the simulated unit's line
// at full speed, a window thread that handles the notifications, makes choices through the
// answer path, switches the trace and closes and reopens the link while the worker waits in a
// sent notification. Nothing may race, hang, or lose or reorder a choice.
//
// The normal run is short. CORVANE_SOAK_SECONDS=N runs for N seconds (and prints the counts).
#include <gtest/gtest.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <thread>

#include "soak_unit.h"
#include "soak_window.h"

using namespace corvane;
using namespace corvane::test;
using namespace std::chrono_literals;

namespace {
std::chrono::seconds soakDuration() {
    const char* s = std::getenv("CORVANE_SOAK_SECONDS");
    const long v = s ? std::strtol(s, nullptr, 10) : 0;
    return std::chrono::seconds(v > 0 ? v : 3);
}
}  // namespace

TEST(LinkSoak, ChoicesSurviveClosesTraceSwitchesAndSentNotifications) {
    const auto duration = soakDuration();
    std::string error;
    auto line = unitsim::UnitLine::openPty(error);
    ASSERT_TRUE(line) << error;
    const auto trace =
        std::filesystem::temp_directory_path() / ("corvane-soak-" + std::to_string(::getpid()) + ".trace");

    UnitLink link(20ms);
    SoakWindow window(link, line->slavePath(), trace.string(), 4);
    ASSERT_TRUE(window.start()) << "errno " << link.lastOpenError();

    // However short the run, it must have closed the link on a waiting worker and carried
    // choices across such closes.
    constexpr std::uint64_t kMinClosesWithSentPending = 10;
    constexpr std::uint64_t kMinChoices = 30;
    const auto start = std::chrono::steady_clock::now();
    SoakUnit unit(*line, window);
    bool unitOk = false;
    bool unitDone = false;
    std::mutex doneMutex;
    std::condition_variable doneCv;
    std::thread unitThread([&] {
        const bool ok = unit.run([&](const SoakUnit::Counts& c) {
            return std::chrono::steady_clock::now() - start >= duration &&
                   window.counts().closesWithSentPending.load() >= kMinClosesWithSentPending &&
                   c.choicesSeen >= kMinChoices;
        });
        std::lock_guard lock(doneMutex);
        unitOk = ok;
        unitDone = true;
        doneCv.notify_all();
    });

    // The unit reports a hang itself (no reply for 30 s on an open link); this bound only keeps
    // a wedged window thread from holding the suite.
    bool finished;
    {
        std::unique_lock lock(doneMutex);
        finished = doneCv.wait_for(lock, duration + 120s, [&] { return unitDone; });
    }
    if (!finished) {
        ADD_FAILURE() << "the soak made no end: choice " << window.currentChoice() << ", link open "
                      << window.linkOpen() << ", closes " << window.counts().closes.load();
        line->requestStop();
    }
    unitThread.join();
    window.stop();
    link.close();
    std::filesystem::remove(trace);

    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const auto& u = unit.counts();
    const auto& w = window.counts();
    std::printf(
        "soak: %.1f s, %llu commands, %llu replies, %llu resent after a close, %llu stray replies, "
        "%llu choices seen, %llu acknowledgements, %llu answer updates, %llu sent notifications handled, "
        "%llu posted, %llu closes (%llu with a sent notification pending), %llu trace switches\n",
        seconds, (unsigned long long)u.commands, (unsigned long long)u.replies, (unsigned long long)u.resends,
        (unsigned long long)u.strays, (unsigned long long)u.choicesSeen, (unsigned long long)u.acks,
        (unsigned long long)w.answerUpdates.load(), (unsigned long long)w.sentHandled.load(),
        (unsigned long long)w.posted.load(), (unsigned long long)w.closes.load(),
        (unsigned long long)w.closesWithSentPending.load(), (unsigned long long)w.traceSwitches.load());

    EXPECT_TRUE(unitOk);
    for (const auto& f : unit.faults()) ADD_FAILURE() << "unit: " << f;
    for (const auto& f : window.faults()) ADD_FAILURE() << "window: " << f;
    EXPECT_GE(w.closesWithSentPending.load(), kMinClosesWithSentPending);
    EXPECT_GE(u.choicesSeen, kMinChoices);
    // Every choice the window made but the last was seen by the unit, one by one.
    EXPECT_GE(u.choicesSeen + 1, window.currentChoice());
    EXPECT_GT(w.traceSwitches.load(), 0u);
}
