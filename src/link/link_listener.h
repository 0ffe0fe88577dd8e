#pragma once
// How the link tells the main window what it has filled.
#include <condition_variable>
#include <memory>
#include <mutex>

#include "link/link_messages.h"

namespace corvane {

// The hand-back of one sent notification. The handler calls complete() when it has handled
// the message; the link cancels it when it is stopped, so that the worker never waits for a
// handler that will not come.
class SentMessageReply {
public:
    void complete() {
        std::lock_guard lock(m_);
        done_ = true;
        cv_.notify_all();
    }
    void cancel() {
        std::lock_guard lock(m_);
        cancelled_ = true;
        cv_.notify_all();
    }
    // A handler that finds its message cancelled must not touch the link's records.
    bool isCancelled() const {
        std::lock_guard lock(m_);
        return cancelled_;
    }
    // Waits until handled or cancelled; true when handled.
    bool wait() {
        std::unique_lock lock(m_);
        cv_.wait(lock, [this] { return done_ || cancelled_; });
        return done_ && !cancelled_;
    }

private:
    mutable std::mutex m_;
    std::condition_variable cv_;
    bool done_ = false;
    bool cancelled_ = false;
};

class LinkListener {
public:
    virtual ~LinkListener() = default;
    // Queued; the link does not wait.
    virtual void postLinkMessage(const LinkMessage& message) = 0;
    // The link waits (holding LinkLock) until reply->complete() or until it is stopped. The
    // handler runs on the listener's own thread and must not wait for LinkLock.
    virtual void sendLinkMessage(const LinkMessage& message, std::shared_ptr<SentMessageReply> reply) = 0;
    // The link is being stopped (true) or its worker has ended (false). A listener that makes
    // postLinkMessage wait for room must return from that wait while stopping.
    virtual void setStopping(bool) {}
};

}  // namespace corvane
