#pragma once
// Carries the link's notifications to a window on the user-interface thread. Every
// notification, posted or sent, waits in one queue in the order the link made them; the
// window's thread takes them one per turn of its event loop, so the window stays responsive
// and what it frees (the controls of a page it left) goes before the next notification.
//
// A unit that repeats a command cannot fill the queue: a posted notification folds into the last
// waiting one where the rule of its kind allows it (link/link_notifications.h: the folded one
// stands for both), and at most kMaxWaiting wait; a further post holds the worker until there is
// room or the link stops. A sent notification's handler completes the worker's wait; a stopped
// link abandons it.
#include <QObject>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

#include "link/link_listener.h"

namespace corvane {

class LinkWindowBridge : public QObject, public LinkListener {
public:
    static constexpr std::size_t kMaxWaiting = 32;
    // Handles one notification on the window's thread.
    using Handler = std::function<void(const LinkNotification&)>;

    // The bridge must live on the window's thread.
    explicit LinkWindowBridge(Handler handler, QObject* parent = nullptr);
    ~LinkWindowBridge() override;

    void postNotification(LinkNotification notification) override;
    void sendNotification(LinkNotification notification, std::shared_ptr<SentMessageReply> reply) override;
    void setStopping(bool stopping) override;

    // The unit went away: what it announced and the window has not handled yet is dropped.
    void discardWaiting();

    // The values frames of the waiting notifications not taken yet, in order; they stay to be
    // shown, marked as taken.
    std::vector<ValuesFrame> takeWaitingFrames();

    std::size_t waitingCount() const;
    // How many notifications were folded into a waiting one since the bridge was made.
    std::uint64_t foldedCount() const;

protected:
    bool event(QEvent* event) override;

private:
    struct Waiting {
        LinkNotification notification;
        std::shared_ptr<SentMessageReply> reply;  // null for a posted notification
    };
    // Queue lock held: asks the window's thread for a turn unless one is asked for already.
    void requestTurnLocked();
    void deliver(const Waiting& w);

    Handler handler_;

    mutable std::mutex mutex_;
    std::condition_variable room_;
    std::deque<Waiting> queue_;
    bool turnRequested_ = false;
    bool stopping_ = false;
    std::uint64_t folded_ = 0;
};

}  // namespace corvane
