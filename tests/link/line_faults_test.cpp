// Faults on the line as the worker meets them: a unit that stops reading the replies, a stop
// that cuts a step short, a device that hangs up, and signals in the middle of a frame.
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <future>
#include <thread>

#include "link/posix_serial_port.h"
#include "link_fixture.h"

using namespace corvane;
using namespace corvane::test;
using namespace std::chrono_literals;

namespace {

class LineFaults : public LinkFixture {
protected:
    // The largest replies: 246 DATA bytes per 'F'.
    void loadFileForTheUnit() {
        Bytes file(200000);
        for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<std::uint8_t>(i * 7);
        ASSERT_TRUE(withRecords([&] { return link.transferRecord().load(file.data(), file.size(), "/tmp/BIG.BIN"); }));
    }
    // Frames the unit sends without reading a reply. Once the worker waits in a write it reads
    // no more, and the line takes only so much: what did not fit is left unsent.
    // Returns how many were sent whole.
    std::size_t sendChunkRequests(int n) {
        Bytes all;
        const Bytes f = encodeFrame('F', 1, {});
        for (int i = 0; i < n; ++i) all.insert(all.end(), f.begin(), f.end());
        return unit.sendBytesWithin(all, 2s) / f.size();
    }
};

TEST_F(LineFaults, CloseReturnsWhileTheUnitNeverReadsItsReplies) {
    openConversation(255);
    loadFileForTheUnit();
    sendChunkRequests(600);  // more replies than a pseudo-terminal holds
    // The replies fill the line and the worker waits for room in a write.
    ASSERT_TRUE(unit.waitUntilPcStalls(300ms, 20s)) << "the replies never filled the line";

    const auto closing = std::chrono::steady_clock::now();
    auto closed = std::async(std::launch::async, [&] { return link.close(); });
    ASSERT_EQ(closed.wait_for(5s), std::future_status::ready) << "stop did not reach the blocked write";
    RecordProperty(
        "close_us",
        static_cast<int>(
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - closing).count()));
    EXPECT_FALSE(link.isOpen());
    EXPECT_FALSE(link.isAlive());

    // The port was given back whole: it opens again and the conversation goes on.
    unit.drain();
    ASSERT_TRUE(link.openByName(unit.slavePath())) << std::strerror(link.lastOpenError());
    link.startWorker();
    const Bytes s = status();
    EXPECT_EQ(s.size(), 7u);
}

TEST_F(LineFaults, ASlowReaderGetsEveryReplyWhole) {
    openConversation(255);
    loadFileForTheUnit();
    constexpr int kRequests = 400;
    ASSERT_EQ(sendChunkRequests(kRequests), static_cast<std::size_t>(kRequests));
    ASSERT_TRUE(unit.waitUntilPcStalls(300ms, 20s));
    // Now read: the worker's writes go on from where each one stopped.
    FrameDecoder decoder;
    int frames = 0;
    while (frames < kRequests) {
        const Bytes got = unit.readBytes(1, 10s);
        ASSERT_EQ(got.size(), 1u) << "after " << frames << " replies";
        if (auto f = decoder.push(got[0])) {
            ASSERT_EQ(f->letter, 'I');
            EXPECT_EQ(f->data.size(), 246u);
            ++frames;
        }
    }
    EXPECT_EQ(decoder.rejected(), 0u) << "no reply was cut or interleaved";
    EXPECT_TRUE(link.isAlive());
}

TEST_F(LineFaults, StepCutShortByStopLeavesWhatTheUnitLastSaw) {
    openConversation();
    expectK(unit.exchange('T', 1,
                          bytesOf("\x09"
                                  "old text^")));
    const Bytes statusReply = status();
    listener.setHoldSent(true);
    unit.send('R', 1, Bytes{1, 2});
    ASSERT_TRUE(listener.waitFor(WM_LINK_VALUE_REQUEST));
    // The window writes half an answer, then the link is closed under it.
    withRecords([&] { link.valueTable().addReplyValue("half"); });
    auto closed = std::async(std::launch::async, [&] { return link.close(); });
    ASSERT_EQ(closed.wait_for(5s), std::future_status::ready);
    listener.release();
    listener.setHoldSent(false);

    ASSERT_TRUE(link.openByName(unit.slavePath()));
    link.startWorker();
    // An unknown letter repeats the last reply the unit actually got: the status reply.
    auto q = unit.exchange('Q', 1);
    ASSERT_TRUE(q);
    EXPECT_EQ(q->letter, 'A');
    EXPECT_EQ(q->data, statusReply);
    // The next text starts afresh.
    expectK(unit.exchange('T', 1,
                          bytesOf("\x09"
                                  "new^")));
    ASSERT_TRUE(listener.waitFor(WM_LINK_TEXT, 2));
    withRecords([&] { EXPECT_EQ(link.textRecord().text(), "new"); });
}

class GoneLine : public LinkFixture {
protected:
    GoneLine() : LinkFixture(500ms) {}  // the unit's own per-byte time-out
};

TEST_F(GoneLine, HangUpDropsTheAliveFlagAtOnceWithoutSpinning) {
    openConversation();
    ASSERT_TRUE(link.isAlive());
    const auto start = std::chrono::steady_clock::now();
    unit.closeMaster();
    while (link.isAlive() && std::chrono::steady_clock::now() - start < 10s) std::this_thread::sleep_for(5ms);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(link.isAlive());
    EXPECT_TRUE(link.lineGone());
    // 101 misses of 500 ms would take 50 s; a gone line is told at once.
    EXPECT_LT(took, 5s);
    const std::uint32_t missesThen = link.missCount();
    std::this_thread::sleep_for(300ms);
    EXPECT_LE(link.missCount(), missesThen + 2) << "one paced attempt per time-out, no spinning";
    EXPECT_TRUE(link.isOpen()) << "the link itself decides nothing; the supervision does";

    const auto closing = std::chrono::steady_clock::now();
    EXPECT_TRUE(link.close());
    EXPECT_LT(std::chrono::steady_clock::now() - closing, 5s);
    EXPECT_FALSE(link.lineGone());
}

std::atomic<int> signalsTaken{0};
void countSignal(int) { signalsTaken.fetch_add(1); }

TEST(LineSignals, SignalsInTheMiddleOfAFrameKeepItsBytes) {
    struct sigaction sa {};
    sa.sa_handler = countSignal;  // no SA_RESTART: poll and read see EINTR
    sigemptyset(&sa.sa_mask);
    struct sigaction old {};
    ASSERT_EQ(::sigaction(SIGUSR1, &sa, &old), 0);

    PtyUnit unit;
    ASSERT_TRUE(unit.ok());
    PosixSerialPort port(2000ms);
    ASSERT_TRUE(port.open(unit.slavePath()));
    const Bytes frame = encodeFrame('T', 0, bytesOf("hello"));

    std::promise<pthread_t> readerId;
    auto read = std::async(std::launch::async, [&] {
        readerId.set_value(::pthread_self());
        ReceivedFrame f;
        FrameReader reader;
        const FrameReadResult r = reader.read(port, f);
        return std::make_pair(r, f);
    });
    const pthread_t reader = readerId.get_future().get();
    std::atomic<bool> done{false};
    std::thread pinger([&] {
        while (!done.load()) {
            ::pthread_kill(reader, SIGUSR1);
            std::this_thread::sleep_for(1ms);  // pacing of the signals, not a wait for an event
        }
    });

    unit.sendBytes(Bytes(frame.begin(), frame.begin() + 5));
    const int before = signalsTaken.load();
    // The reader now waits for the rest of the frame while signals keep arriving.
    while (signalsTaken.load() < before + 30 && read.wait_for(0ms) != std::future_status::ready)
        std::this_thread::sleep_for(1ms);
    unit.sendBytes(Bytes(frame.begin() + 5, frame.end()));
    const auto [result, got] = read.get();
    done = true;
    pinger.join();
    ::sigaction(SIGUSR1, &old, nullptr);

    ASSERT_EQ(result, FrameReadResult::Ok);
    EXPECT_EQ(got.command, 'T');
    EXPECT_EQ(std::string(got.data.begin(), got.data.begin() + got.dataLength), "hello");
}

}  // namespace
