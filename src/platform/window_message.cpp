#include "platform/window_message.h"

#include <QCoreApplication>
#include <QThread>

#include <condition_variable>
#include <mutex>

namespace corvane {

namespace detail {
struct SendCompletion {
    std::mutex mutex;
    std::condition_variable_any done;
    bool finished = false;
    bool handled = false;
    std::intptr_t result = 0;
};
}  // namespace detail

QEvent::Type WindowMessageEvent::eventType() {
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

WindowMessageEvent::WindowMessageEvent(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
    : QEvent(eventType()), message_(message), wParam_(wParam), lParam_(lParam) {}

WindowMessageEvent::~WindowMessageEvent() {
    // Qt deletes a posted event after delivery, or unhandled when its receiver is destroyed;
    // either way the waiting sender is released here.
    if (!completion_) return;
    std::lock_guard lock(completion_->mutex);
    completion_->finished = true;
    completion_->handled = handled_;
    completion_->result = result_;
    completion_->done.notify_all();
}

bool postWindowMessage(QObject* target, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (!target) return false;
    QCoreApplication::postEvent(target, new WindowMessageEvent(message, wParam, lParam));
    return true;
}

std::optional<std::intptr_t> trySendWindowMessage(QObject* target, std::uint32_t message, std::uintptr_t wParam,
                                                  std::intptr_t lParam, std::stop_token stop) {
    if (!target) return std::nullopt;
    if (target->thread() == QThread::currentThread()) {
        WindowMessageEvent event(message, wParam, lParam);
        QCoreApplication::sendEvent(target, &event);
        if (!event.handled()) return std::nullopt;
        return event.result();
    }
    auto completion = std::make_shared<detail::SendCompletion>();
    auto* event = new WindowMessageEvent(message, wParam, lParam);
    event->completion_ = completion;
    QCoreApplication::postEvent(target, event);

    std::unique_lock lock(completion->mutex);
    if (!completion->done.wait(lock, stop, [&] { return completion->finished; })) return std::nullopt;
    if (!completion->handled) return std::nullopt;
    return completion->result;
}

std::intptr_t sendWindowMessage(QObject* target, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                                std::stop_token stop) {
    return trySendWindowMessage(target, message, wParam, lParam, std::move(stop)).value_or(0);
}

std::intptr_t WindowMessageHandler::windowMessage(std::uint32_t, std::uintptr_t, std::intptr_t) { return 0; }

bool WindowMessageHandler::dispatchWindowMessage(QEvent* event) {
    if (event->type() != WindowMessageEvent::eventType()) return false;
    auto* message = static_cast<WindowMessageEvent*>(event);
    message->setResult(windowMessage(message->message(), message->wParam(), message->lParam()));
    return true;
}

}  // namespace corvane
