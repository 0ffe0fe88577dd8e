#include "platform/window_message.h"
#include "platform/window_messages.h"
#include "platform/dialog_units.h"
#include "link/link_messages.h"

#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace corvane {
namespace {

struct Received {
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    Qt::HANDLE thread;
};

class Recorder : public MessageWindow<QObject> {
public:
    std::vector<Received> received;

protected:
    std::intptr_t windowMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
        received.push_back({message, wParam, lParam, QThread::currentThreadId()});
        return static_cast<std::intptr_t>(wParam) * 2 + lParam;
    }
};

TEST(WindowMessage, PrivateNumbersAreDistinctFromTheLinksAndFromEachOther) {
    const std::vector<std::uint32_t> own = {WM_SCROLL_VERT, WM_SCROLL_HORZ, WM_SCROLL_WHEEL,
                                            WM_MENU_LAYOUT, WM_MENU_ITEM,   WM_BUTTON_ADVANCE,
                                            WM_BUTTON_CODE, WM_MENU_EDGE,   WM_KEYPAD_KEY};
    for (std::size_t i = 0; i < own.size(); ++i) {
        EXPECT_FALSE(own[i] >= WM_LINK_MENU && own[i] <= WM_LINK_REPORT) << own[i];
        for (std::size_t j = i + 1; j < own.size(); ++j) EXPECT_NE(own[i], own[j]);
    }
    EXPECT_EQ(WM_BUTTON_CODE, 11025u);
    EXPECT_EQ(WM_KEYPAD_KEY, 2024u);
}

TEST(WindowMessage, SendOnTheSameThreadRunsTheHandlerAtOnceAndReturnsItsResult) {
    Recorder recorder;
    EXPECT_EQ(sendWindowMessage(&recorder, WM_BUTTON_CODE, 0x123456, 7), 0x123456 * 2 + 7);
    ASSERT_EQ(recorder.received.size(), 1u);
    EXPECT_EQ(recorder.received[0].message, WM_BUTTON_CODE);
    EXPECT_EQ(recorder.received[0].lParam, 7);
}

TEST(WindowMessage, SignedAmountsTravelUnchanged) {
    Recorder recorder;
    sendWindowMessage(&recorder, WM_SCROLL_WHEEL, static_cast<std::uintptr_t>(-120), -5);
    ASSERT_EQ(recorder.received.size(), 1u);
    EXPECT_EQ(static_cast<std::intptr_t>(recorder.received[0].wParam), -120);
    EXPECT_EQ(recorder.received[0].lParam, -5);
}

TEST(WindowMessage, PostIsQueuedUntilTheEventLoopRuns) {
    Recorder recorder;
    EXPECT_TRUE(postWindowMessage(&recorder, WM_MENU_ITEM, 42, 0));
    EXPECT_TRUE(recorder.received.empty());
    QCoreApplication::sendPostedEvents(&recorder);
    ASSERT_EQ(recorder.received.size(), 1u);
    EXPECT_EQ(recorder.received[0].wParam, 42u);
    EXPECT_FALSE(postWindowMessage(nullptr, WM_MENU_ITEM));
}

TEST(WindowMessage, AReceiverWithoutAHandlerLeavesTheMessageUnhandled) {
    QObject plain;
    EXPECT_FALSE(trySendWindowMessage(&plain, WM_MENU_ITEM, 1, 2).has_value());
    EXPECT_EQ(sendWindowMessage(&plain, WM_MENU_ITEM, 1, 2), 0);
    EXPECT_FALSE(trySendWindowMessage(nullptr, WM_MENU_ITEM).has_value());
}

TEST(WindowMessage, SendFromAnotherThreadBlocksUntilTheReceiversThreadHandledIt) {
    Recorder recorder;
    std::atomic<bool> returned{false};
    std::optional<std::intptr_t> result;
    std::thread worker([&] {
        result = trySendWindowMessage(&recorder, WM_KEYPAD_KEY, 10, 1);
        returned = true;
    });
    // The handler can only run here, on the receiver's thread; the sender waits for it.
    while (recorder.received.empty()) QCoreApplication::sendPostedEvents(&recorder);
    worker.join();
    EXPECT_TRUE(returned);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, 21);
    EXPECT_EQ(recorder.received[0].thread, QThread::currentThreadId());
}

TEST(WindowMessage, SenderIsReleasedWhenItsMessageIsDiscardedUnhandled) {
    // A receiver that is destroyed drops its queued events the same way.
    Recorder recorder;
    std::optional<std::intptr_t> result = 99;
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        result = trySendWindowMessage(&recorder, WM_MENU_ITEM, 1, 0);
        returned = true;
    });
    while (!returned) QCoreApplication::removePostedEvents(&recorder, WindowMessageEvent::eventType());
    worker.join();
    EXPECT_FALSE(result.has_value());
    EXPECT_TRUE(recorder.received.empty());
}

TEST(WindowMessage, StopRequestReleasesAWaitingSender) {
    Recorder recorder;
    std::stop_source stop;
    std::optional<std::intptr_t> result = 99;
    std::thread worker([&] { result = trySendWindowMessage(&recorder, WM_MENU_ITEM, 1, 0, stop.get_token()); });
    stop.request_stop();
    worker.join();
    EXPECT_FALSE(result.has_value());
    // The queued message is still delivered later; nobody waits for it any more.
    QCoreApplication::sendPostedEvents(&recorder);
    EXPECT_EQ(recorder.received.size(), 1u);
}

TEST(DialogUnits, ConvertWithTheDialogFontsCellSize) {
    EXPECT_EQ(dialogUnitsToPixelsX(431), 646);
    EXPECT_EQ(dialogUnitsToPixelsY(286), 464);
    EXPECT_EQ(dialogUnitsToPixels(7, 23, 260, 14), QRect(10, 37, 390, 22));
}

}  // namespace
}  // namespace corvane
