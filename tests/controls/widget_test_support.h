#pragma once
// Helpers for the widget tests: render a widget into an image, read pixels, send mouse input,
// and record the window messages a parent receives.
#include "platform/window_message.h"

#include <QColor>
#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

#include <vector>

namespace corvane::test {

inline QImage render(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    widget.render(&image);
    return image;
}

inline QColor pixel(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)); }

inline void press(QWidget& w, QPoint at) {
    QMouseEvent e(QEvent::MouseButtonPress, at, w.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &e);
}

inline void release(QWidget& w, QPoint at) {
    QMouseEvent e(QEvent::MouseButtonRelease, at, w.mapToGlobal(at), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &e);
}

inline void doubleClick(QWidget& w, QPoint at) {
    QMouseEvent e(QEvent::MouseButtonDblClick, at, w.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &e);
}

inline void move(QWidget& w, QPoint at, bool buttonHeld = false) {
    QMouseEvent e(QEvent::MouseMove, at, w.mapToGlobal(at), Qt::NoButton, buttonHeld ? Qt::LeftButton : Qt::NoButton,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &e);
}

inline void leave(QWidget& w) {
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(&w, &e);
}

// The cursor Qt shows with the pointer at a point of a window: that of the innermost widget
// there which has a cursor of its own, the arrow when none has.
inline Qt::CursorShape cursorShownAt(QWidget& window, QPoint at) {
    QWidget* w = window.childAt(at);
    if (!w) w = &window;
    for (; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        if (w->testAttribute(Qt::WA_SetCursor)) return w->cursor().shape();
    }
    return Qt::ArrowCursor;
}

struct Message {
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
};

// A plain parent window that records the private messages it receives.
class MessageRecorder : public MessageWindow<QWidget> {
public:
    std::vector<Message> messages;
    int count(std::uint32_t message) const {
        int n = 0;
        for (const auto& m : messages) n += m.message == message;
        return n;
    }

protected:
    std::intptr_t windowMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
        messages.push_back({message, wParam, lParam});
        return 0;
    }
};

}  // namespace corvane::test
