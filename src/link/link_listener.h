#pragma once
// How the link tells the main window what it has filled.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "link/link_notifications.h"

namespace corvane {

// The hand-back of one sent notification. The handler calls complete() when it has handled
// the message; the link cancels it when it is stopped, so that the worker never waits for a
// handler that will not come.
class SentMessageReply {
public:
    void complete() { raise(done_); }
    void cancel() { raise(cancelled_); }
    // A handler that finds its message cancelled must not touch the link's records.
    bool isCancelled() const { return cancelled_.load(); }
    // Waits until handled or cancelled; true when handled.
    bool wait() {
        // Most handlers end within microseconds of their wake-up. Watching for the end a little
        // while first (yielding the processor, which the handler may need) spares the worker
        // being put to sleep and woken again, a second wake-up on top of the handler's own.
        const auto watchUntil = std::chrono::steady_clock::now() + kWatch;
        while (!finished() && std::chrono::steady_clock::now() < watchUntil) std::this_thread::yield();
        std::unique_lock lock(m_);
        cv_.wait(lock, [this] { return finished(); });
        return done_.load() && !cancelled_.load();
    }

private:
    static constexpr std::chrono::microseconds kWatch{50};

    bool finished() const { return done_.load() || cancelled_.load(); }
    void raise(std::atomic<bool>& flag) {
        {
            std::lock_guard lock(m_);  // a waiter checks the flags under it: no wake-up is lost
            flag.store(true);
        }
        cv_.notify_all();
    }

    std::mutex m_;
    std::condition_variable cv_;
    std::atomic<bool> done_{false};
    std::atomic<bool> cancelled_{false};
};

class LinkListener {
public:
    virtual ~LinkListener() = default;
    // Queued; the link does not wait.
    virtual void postNotification(LinkNotification notification) = 0;
    // The link waits (holding LinkLock) until reply->complete() or until it is stopped. The
    // handler runs on the listener's own thread and must not wait for LinkLock.
    virtual void sendNotification(LinkNotification notification, std::shared_ptr<SentMessageReply> reply) = 0;
    // The link is being stopped (true) or its worker has ended (false). A listener that makes
    // postNotification wait for room must return from that wait while stopping.
    virtual void setStopping(bool) {}
};

}  // namespace corvane
