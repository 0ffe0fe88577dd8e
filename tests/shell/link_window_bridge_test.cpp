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
