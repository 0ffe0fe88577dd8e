#include "shell/link_window_bridge.h"

#include <QCoreApplication>
#include <QEvent>

namespace corvane {

namespace {
// Asks the bridge for one turn on its thread.
QEvent::Type turnEventType() {
    static const QEvent::Type t = static_cast<QEvent::Type>(QEvent::registerEventType());
    return t;
}
}  // namespace

LinkWindowBridge::LinkWindowBridge(Handler handler, QObject* parent) : QObject(parent), handler_(std::move(handler)) {}

LinkWindowBridge::~LinkWindowBridge() {
    // Nothing will handle what still waits: a worker waiting for a sent one goes on.
    discardWaiting();
}

void LinkWindowBridge::requestTurnLocked() {
    if (turnRequested_ || queue_.empty()) return;
    turnRequested_ = true;
    QCoreApplication::postEvent(this, new QEvent(turnEventType()));
}

void LinkWindowBridge::postNotification(LinkNotification n) {
    std::unique_lock lock(mutex_);
    // Only into the last one waiting: a fold never moves a notification past another.
    if (!queue_.empty() && !queue_.back().reply && foldInto(queue_.back().notification, n)) {
        ++folded_;
        return;
    }
    room_.wait(lock, [this] { return queue_.size() < kMaxWaiting || stopping_; });
    queue_.push_back({std::move(n), nullptr});
    requestTurnLocked();
}

void LinkWindowBridge::sendNotification(LinkNotification n, std::shared_ptr<SentMessageReply> reply) {
    // The worker waits for this one anyway: it never waits for room as well.
    std::lock_guard lock(mutex_);
    queue_.push_back({std::move(n), std::move(reply)});
    requestTurnLocked();
}

void LinkWindowBridge::setStopping(bool stopping) {
    std::lock_guard lock(mutex_);
    stopping_ = stopping;
    room_.notify_all();
}

void LinkWindowBridge::discardWaiting() {
    std::deque<Waiting> dropped;
    {
        std::lock_guard lock(mutex_);
        dropped.swap(queue_);
        room_.notify_all();
    }
    for (const Waiting& w : dropped)
        if (w.reply) w.reply->complete();
}

std::vector<ValuesFrame> LinkWindowBridge::takeWaitingFrames() {
    std::vector<ValuesFrame> frames;
    std::lock_guard lock(mutex_);
    for (Waiting& w : queue_) {
        auto* values = std::get_if<LinkValues>(&w.notification);
        if (!values) continue;
        frames.insert(frames.end(), values->frames.begin() + static_cast<std::ptrdiff_t>(values->taken),
                      values->frames.end());
        values->taken = values->frames.size();
    }
    return frames;
}

std::size_t LinkWindowBridge::waitingCount() const {
    std::lock_guard lock(mutex_);
    return queue_.size();
}

std::uint64_t LinkWindowBridge::foldedCount() const {
    std::lock_guard lock(mutex_);
    return folded_;
}

bool LinkWindowBridge::event(QEvent* e) {
    if (e->type() != turnEventType()) return QObject::event(e);
    Waiting next;
    {
        std::lock_guard lock(mutex_);
        turnRequested_ = false;
        if (queue_.empty()) return true;
        next = std::move(queue_.front());
        queue_.pop_front();
        room_.notify_all();
        // Asked before the handler runs: a handler that waits in a nested event loop (a
        // modal pop-up) still gets the notifications behind it.
        requestTurnLocked();
    }
    deliver(next);
    return true;
}

void LinkWindowBridge::deliver(const Waiting& w) {
    // A link stopped meanwhile no longer waits: its records must not be touched for it.
    const bool cancelled = w.reply && w.reply->isCancelled();
    if (!cancelled && handler_) handler_(w.notification);
    if (w.reply) w.reply->complete();
}

}  // namespace corvane
