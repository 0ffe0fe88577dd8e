// The link's notifications reach a window on the Qt event loop; sent ones hold the worker
// only until the handler ran, and a link closed meanwhile never waits or calls the handler.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <future>
#include <vector>

#include "shell/link_window_bridge.h"
#include "link/unit_link.h"
#include "pty_unit.h"

using namespace corvane;
using namespace std::chrono_literals;

namespace {
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
    std::vector<std::uint32_t> messages;
    LinkWindowBridge bridge([&](const LinkNotification& n) {
        messages.push_back(messageOf(n));
        if (const auto* request = std::get_if<LinkValueRequest>(&n)) {
            auto records = link.lockRecords();
            link.valueTable().addReplyValue("v" + std::to_string(request->first));
            link.valueTable().closeReply();
        }
    });
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
    EXPECT_EQ(messages, (std::vector<std::uint32_t>{WM_LINK_SHOW_PAGE, WM_LINK_VALUE_REQUEST}));
    link.close();
}

TEST(LinkWindowBridge, ClosingWhileASentMessageWaitsSkipsItsHandler) {
    test::PtyUnit unit;
    ASSERT_TRUE(unit.ok());
    UnitLink link(100ms);
    std::vector<std::uint32_t> messages;
    LinkWindowBridge bridge([&](const LinkNotification& n) { messages.push_back(messageOf(n)); });
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
    EXPECT_TRUE(messages.empty());
}

// A unit that repeats itself: what may fold into the waiting notification does (a jump to the
// same page, lines and text for the same control, progress of the same bar, values), everything
// else waits whole and in order, at most kMaxWaiting of them, and a flood beyond that holds the
// unit's next reply until the window takes one (or the link is closed).
TEST(LinkWindowBridge, RepeatsFoldAndAFloodIsHeldAtTheBound) {
    test::PtyUnit unit;
    ASSERT_TRUE(unit.ok());
    UnitLink link(100ms);
    std::vector<LinkNotification> handled;
    LinkWindowBridge bridge([&](const LinkNotification& n) { handled.push_back(n); });
    ASSERT_TRUE(link.openByName(unit.slavePath()));
    link.setMainWindow(&bridge);
    link.startWorker();
    using B = std::vector<std::uint8_t>;

    // The event loop does not turn, as under a window that is still busy.
    for (int n = 0; n < 20; ++n) ASSERT_TRUE(unit.exchange('J', 1, B{0, 7}));
    ASSERT_TRUE(unit.exchange('J', 1, B{0, 8}));  // another page: never folded away
    ASSERT_TRUE(unit.exchange('L', 1, B{3, 'o', 'n', 'e', '|', 't', 'w', 'o', '^'}));
    ASSERT_TRUE(unit.exchange('L', 1, B{3, 't', 'h', 'r', 'e', 'e', '^'}));  // the same list box
    ASSERT_TRUE(unit.exchange('L', 1, B{0, 'a', '^'}));                      // the list window's lines
    ASSERT_TRUE(unit.exchange('L', 1, B{0, 'b', '^'}));
    ASSERT_TRUE(unit.exchange('D', 1, B{1, 1, 'x', '^'}));
    ASSERT_TRUE(unit.exchange('D', 1, B{2, 2, 'y', '^'}));
    ASSERT_TRUE(unit.exchange('P', 1, B{5, '9', '|', '1', '|'}));
    ASSERT_TRUE(unit.exchange('P', 1, B{6, '9', '|', '2', '|'}));  // another bar
    EXPECT_EQ(bridge.waitingCount(), 8u);
    const std::size_t boxes = LinkWindowBridge::kMaxWaiting - 8;
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
    EXPECT_EQ(std::get<LinkShowPage>(handled[0]).pageId, 7u);
    EXPECT_EQ(std::get<LinkShowPage>(handled[1]).pageId, 8u);
    auto lines = [&](std::size_t i) { return std::get<LinkList>(handled[i]).items; };
    EXPECT_EQ(lines(2), std::vector<std::string>{"three"});
    EXPECT_EQ(lines(3), std::vector<std::string>{"a"});
    EXPECT_EQ(lines(4), std::vector<std::string>{"b"});
    const auto& values = std::get<LinkValues>(handled[5]).frames;
    ASSERT_EQ(values.size(), 2u) << "both frames of values are kept";
    EXPECT_EQ(values[0].present, (std::vector<std::pair<int, std::string>>{{1, "x"}}));
    EXPECT_EQ(values[1].present, (std::vector<std::pair<int, std::string>>{{2, "y"}}));
    EXPECT_LE(values[0].arrival, values[1].arrival);
    EXPECT_EQ(std::get<LinkProgress>(handled[6]).position, 1);
    EXPECT_EQ(std::get<LinkProgress>(handled[7]).target, 6u);
    for (std::size_t n = 0; n <= boxes; ++n) {
        const std::string text = n < boxes ? std::string(1, static_cast<char>('A' + n)) : "z";
        EXPECT_EQ(std::get<LinkBox>(handled[8 + n]).text, text) << n;
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
