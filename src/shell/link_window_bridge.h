#pragma once
// Carries the link's notifications to a window on the user-interface thread. Posted ones
// become queued window messages; a sent one is queued too and its handler's end completes the
// worker's wait, so the worker is never blocked inside this class and a stopped link can
// abandon the wait at any time.
#include <QObject>
#include <QPointer>

#include "link/link_listener.h"

namespace corvane {

class LinkWindowBridge : public QObject, public LinkListener {
public:
    // `window` receives the messages through its windowMessage() handler. The bridge must live
    // on the window's thread.
    explicit LinkWindowBridge(QObject* window, QObject* parent = nullptr);

    void postLinkMessage(const LinkMessage& message) override;
    void sendLinkMessage(const LinkMessage& message, std::shared_ptr<SentMessageReply> reply) override;

protected:
    bool event(QEvent* event) override;

private:
    QPointer<QObject> window_;
};

}  // namespace corvane
