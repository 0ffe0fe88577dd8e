#include "shell/link_window_bridge.h"

#include <QCoreApplication>
#include <QEvent>

#include "platform/window_message.h"

namespace corvane {

namespace {
// A sent link notification on its way to the user-interface thread.
class SentLinkEvent : public QEvent {
public:
    SentLinkEvent(const LinkMessage& message, std::shared_ptr<SentMessageReply> reply)
        : QEvent(type()), message(message), reply(std::move(reply)) {}
    // Dropped undelivered (the bridge went away): the worker must not wait for it.
    ~SentLinkEvent() override {
        if (reply) reply->complete();
    }
    static QEvent::Type type() {
        static const QEvent::Type t = static_cast<QEvent::Type>(QEvent::registerEventType());
        return t;
    }
    LinkMessage message;
    std::shared_ptr<SentMessageReply> reply;
};
}  // namespace

LinkWindowBridge::LinkWindowBridge(QObject* window, QObject* parent) : QObject(parent), window_(window) {}

void LinkWindowBridge::postLinkMessage(const LinkMessage& m) {
    // QPointer is read on the worker thread here; the window outlives the link it owns.
    postWindowMessage(window_.data(), m.message, static_cast<std::uintptr_t>(m.wParam),
                      static_cast<std::intptr_t>(m.lParam));
}

void LinkWindowBridge::sendLinkMessage(const LinkMessage& m, std::shared_ptr<SentMessageReply> reply) {
    QCoreApplication::postEvent(this, new SentLinkEvent(m, std::move(reply)));
}

bool LinkWindowBridge::event(QEvent* e) {
    if (e->type() != SentLinkEvent::type()) return QObject::event(e);
    auto* sent = static_cast<SentLinkEvent*>(e);
    // A link stopped meanwhile no longer waits: its records must not be touched for it.
    if (!sent->reply->isCancelled() && window_) {
        sendWindowMessage(window_.data(), sent->message.message, static_cast<std::uintptr_t>(sent->message.wParam),
                          static_cast<std::intptr_t>(sent->message.lParam));
    }
    sent->reply->complete();
    sent->reply.reset();
    return true;
}

}  // namespace corvane
