// The link's notifications reach a window on the Qt event loop; sent ones hold the worker
// only until the handler ran, and a link closed meanwhile never waits or calls the handler.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <future>
#include <vector>

#include "shell/link_window_bridge.h"
#include "link/unit_link.h"
#include "platform/window_message.h"
#include "pty_unit.h"

using namespace corvane;
using namespace std::chrono_literals;

namespace {
class RecordingWindow : public MessageWindow<QObject> {
public:
    explicit RecordingWindow(UnitLink& link) : link_(link) {}
    std::vector<std::uint32_t> messages;

protected:
    std::intptr_t windowMessage(std::uint32_t message, std::uintptr_t w, std::intptr_t) override {
        messages.push_back(message);
        if (message == WM_LINK_VALUE_REQUEST) {
            auto records = link_.lockRecords();
            link_.valueTable().addReplyValue("v" + std::to_string(w));
            link_.valueTable().closeReply();
        }
        return 1;
    }

private:
    UnitLink& link_;
};

// Runs the Qt event loop until the future is ready.
template <typename T>
T pumpUntil(std::future<T>& f) {
    QElapsedTimer timer;
    timer.start();
    while (f.wait_for(1ms) != std::future_status::ready && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return f.get();
}
}  // namespace

TEST(LinkWindowBridge, PostedAndSentMessagesReachTheWindowInOrder) {
    test::PtyUnit unit;
    ASSERT_TRUE(unit.ok());
    UnitLink link(100ms);
    RecordingWindow window(link);
    LinkWindowBridge bridge(&window);
    ASSERT_TRUE(link.openByName(unit.slavePath()));
    link.setMainWindow(&bridge);
    link.startWorker();

    auto exchange = std::async(std::launch::async, [&] {
        unit.exchange('J', 1, {0, 7});
        return unit.exchange('R', 1, {4, 4});
    });
    const auto reply = pumpUntil(exchange);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->letter, 'O');
    EXPECT_EQ(std::string(reply->data.begin(), reply->data.end()), "v4^");
    QCoreApplication::processEvents();
    EXPECT_EQ(window.messages, (std::vector<std::uint32_t>{WM_LINK_SHOW_PAGE, WM_LINK_VALUE_REQUEST}));
    link.close();
}

TEST(LinkWindowBridge, ClosingWhileASentMessageWaitsSkipsItsHandler) {
    test::PtyUnit unit;
    ASSERT_TRUE(unit.ok());
    UnitLink link(100ms);
    RecordingWindow window(link);
    LinkWindowBridge bridge(&window);
    ASSERT_TRUE(link.openByName(unit.slavePath()));
    link.setMainWindow(&bridge);
    link.startWorker();
    unit.send('S', 1);
    ASSERT_TRUE(unit.reply());
    unit.send('Y', 1);
    // The event loop does not run: the worker waits for the handler until the link closes.
    const auto start = std::chrono::steady_clock::now();
    while (!link.waitingForWindow() && std::chrono::steady_clock::now() - start < 10s) std::this_thread::sleep_for(1ms);
    ASSERT_TRUE(link.waitingForWindow());
    auto closed = std::async(std::launch::async, [&] { return link.close(); });
    ASSERT_EQ(closed.wait_for(10s), std::future_status::ready);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.messages.empty());
}

// A unit that repeats itself: what the next notification replaces folds into the waiting one,
// everything else waits whole and in order, at most kMaxWaiting of them, and a flood beyond
// that holds the unit's next reply until the window takes one (or the link is closed).
TEST(LinkWindowBridge, RepeatsFoldAndAFloodIsHeldAtTheBound) {
    test::PtyUnit unit;
    ASSERT_TRUE(unit.ok());
    UnitLink link(100ms);
    QObject window;
    std::vector<LinkMessage> handled;
    LinkWindowBridge bridge(&window, [&](const LinkMessage& m) { handled.push_back(m); });
    ASSERT_TRUE(link.openByName(unit.slavePath()));
    link.setMainWindow(&bridge);
    link.startWorker();
    using B = std::vector<std::uint8_t>;

    // The event loop does not turn, as under a window that is still busy.
    for (std::uint8_t page = 1; page <= 50; ++page) ASSERT_TRUE(unit.exchange('J', 1, B{0, page}));
    ASSERT_TRUE(unit.exchange('L', 1, B{3, 'o', 'n', 'e', '|', 't', 'w', 'o', '^'}));
    ASSERT_TRUE(unit.exchange('L', 1, B{3, 't', 'h', 'r', 'e', 'e', '^'}));  // the same list box
    ASSERT_TRUE(unit.exchange('L', 1, B{0, 'a', '^'}));                      // the list window's lines
    ASSERT_TRUE(unit.exchange('L', 1, B{0, 'b', '^'}));
    ASSERT_TRUE(unit.exchange('P', 1, B{5, '9', '|', '1', '|'}));
    ASSERT_TRUE(unit.exchange('P', 1, B{6, '9', '|', '2', '|'}));  // another bar
    EXPECT_EQ(bridge.waitingCount(), 6u);
    const std::size_t boxes = LinkWindowBridge::kMaxWaiting - 6;
    // Boxes never fold (a poll between them, as 'B' frames in a row make one box).
    for (std::size_t n = 0; n < boxes; ++n) {
        ASSERT_TRUE(unit.exchange('S', 1));
        ASSERT_TRUE(unit.exchange('B', 1, B{'t', static_cast<std::uint8_t>('A' + n), '^'}));
    }
    ASSERT_TRUE(unit.exchange('S', 1));
    unit.send('B', 1, B{'t', 'z', '^'});
    EXPECT_FALSE(unit.reply(300ms)) << "the worker waits for room";
    EXPECT_EQ(bridge.waitingCount(), LinkWindowBridge::kMaxWaiting);

    QElapsedTimer timer;
    timer.start();
    while (handled.size() < LinkWindowBridge::kMaxWaiting + 1 && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    ASSERT_EQ(handled.size(), LinkWindowBridge::kMaxWaiting + 1);
    EXPECT_TRUE(unit.reply()) << "room again: the held frame is answered";
    EXPECT_EQ(handled[0].message, WM_LINK_SHOW_PAGE);
    EXPECT_EQ(handled[0].wParam, 50u);
    auto lines = [&](std::size_t i) { return std::get<ListContent>(*handled[i].content).items; };
    EXPECT_EQ(lines(1), std::vector<std::string>{"three"});
    EXPECT_EQ(lines(2), std::vector<std::string>{"a"});
    EXPECT_EQ(lines(3), std::vector<std::string>{"b"});
    EXPECT_EQ(std::get<ProgressContent>(*handled[4].content).position, 1);
    EXPECT_EQ(std::get<ProgressContent>(*handled[5].content).target, 6u);
    for (std::size_t n = 0; n <= boxes; ++n) {
        const std::string text = n < boxes ? std::string(1, static_cast<char>('A' + n)) : "z";
        EXPECT_EQ(std::get<BoxContent>(*handled[6 + n].content).text, text) << n;
    }

    // Closing the link ends the worker's wait for room.
    for (std::size_t n = 0; n <= LinkWindowBridge::kMaxWaiting; ++n) unit.send('B', 1, B{'t', 'x', '^'});
    timer.restart();
    while (bridge.waitingCount() < LinkWindowBridge::kMaxWaiting && timer.elapsed() < 10000)
        std::this_thread::sleep_for(1ms);
    ASSERT_EQ(bridge.waitingCount(), LinkWindowBridge::kMaxWaiting);
    auto closed = std::async(std::launch::async, [&] { return link.close(); });
    EXPECT_EQ(closed.wait_for(10s), std::future_status::ready);
}
