#pragma once
// Window messages over Qt events: one custom event type carrying (message, wParam, lParam),
// post and send helpers, and the mix-in through which a window class handles its private
// messages by overriding one function.
#include <QEvent>
#include <QObject>
#include <QPointer>

#include <cstdint>
#include <memory>
#include <optional>
#include <stop_token>

namespace corvane {

namespace detail {
struct SendCompletion;
}

class WindowMessageEvent : public QEvent {
public:
    WindowMessageEvent(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
    ~WindowMessageEvent() override;

    // The one event type used for every window message.
    static QEvent::Type eventType();

    std::uint32_t message() const { return message_; }
    std::uintptr_t wParam() const { return wParam_; }
    std::intptr_t lParam() const { return lParam_; }

    // Set by the receiving handler; read back by the sender.
    std::intptr_t result() const { return result_; }
    bool handled() const { return handled_; }
    void setResult(std::intptr_t result) {
        result_ = result;
        handled_ = true;
    }

private:
    friend std::optional<std::intptr_t> trySendWindowMessage(QObject*, std::uint32_t, std::uintptr_t, std::intptr_t,
                                                             std::stop_token);
    std::uint32_t message_;
    std::uintptr_t wParam_;
    std::intptr_t lParam_;
    std::intptr_t result_ = 0;
    bool handled_ = false;
    // Set for a send from another thread: the event tells the waiting sender when it is done
    // with (handled, or discarded because the receiver went away).
    std::shared_ptr<detail::SendCompletion> completion_;
};

// Queues the message for the receiver's thread and returns at once. False when target is null.
bool postWindowMessage(QObject* target, std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);

// Delivers the message and returns the handler's result. On the receiver's own thread the
// handler runs at once; from another thread the message is queued and the caller blocks until
// the receiver's thread has handled it. Returns nothing when no handler took the message: the
// receiver does not handle window messages, was destroyed before handling it, or the stop
// token was triggered while waiting.
std::optional<std::intptr_t> trySendWindowMessage(QObject* target, std::uint32_t message, std::uintptr_t wParam = 0,
                                                  std::intptr_t lParam = 0, std::stop_token stop = {});

// As trySendWindowMessage, with 0 for a message nobody handled.
std::intptr_t sendWindowMessage(QObject* target, std::uint32_t message, std::uintptr_t wParam = 0,
                                std::intptr_t lParam = 0, std::stop_token stop = {});

// The receiving side. A window class derives from WindowMessageHandler (usually through
// MessageWindow<QtBase>) and overrides windowMessage().
class WindowMessageHandler {
public:
    virtual ~WindowMessageHandler() = default;

protected:
    // Handles one private message; the return value goes back to a sender.
    virtual std::intptr_t windowMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

    // For a window message event: runs windowMessage() and stores its result; true when the
    // event was a window message.
    bool dispatchWindowMessage(QEvent* event);
};

// Mix-in over a Qt widget or object class: routes window message events to windowMessage().
template <class QtBase>
class MessageWindow : public QtBase, public WindowMessageHandler {
public:
    using QtBase::QtBase;

protected:
    bool event(QEvent* event) override {
        if (dispatchWindowMessage(event)) return true;
        return QtBase::event(event);
    }
};

}  // namespace corvane
