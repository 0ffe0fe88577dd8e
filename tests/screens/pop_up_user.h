#pragma once
// A scripted user for pop-ups that wait in a nested event loop: each step runs once its
// condition holds, checked by a timer that fires in whatever event loop is turning. A modal
// dialog still open after the time-out is rejected, so a failing test ends instead of hanging.
#include <QApplication>
#include <QKeyEvent>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>
#include <utility>

namespace corvane::test {

// Types the text into the widget one character at a time, as a keyboard with any layout would
// (QTest's own typing only knows the keys of a Latin-1 keyboard).
inline void typeText(QWidget* widget, const QString& text) {
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QString character = text.mid(i, length);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, character);
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, character);
        QApplication::sendEvent(widget, &release);
        i += length;
    }
}

// Chooses `path` in a file dialog the way a user typing it into the name field would (a path
// given to selectFile() does not reach a name field that has the focus).
inline void chooseFile(QFileDialog* dialog, const QString& path) {
    dialog->selectFile(path);
    if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) name->setText(path);
    static_cast<QDialog*>(dialog)->accept();
}

class PopUpUser {
public:
    explicit PopUpUser(int timeoutMs = 20000) : timeoutMs_(timeoutMs) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
        timer_.start();
        clock_.start();
    }

    // Runs `action` once `ready` holds and every earlier step has run.
    void when(std::function<bool()> ready, std::function<void()> action) {
        steps_.emplace_back(std::move(ready), std::move(action));
    }
    bool done() const { return steps_.empty(); }
    bool timedOut() const { return timedOut_; }

private:
    void tick() {
        if (!steps_.empty() && steps_.front().first()) {
            auto action = std::move(steps_.front().second);
            steps_.pop_front();
            clock_.restart();
            // Run from a timer of its own: an action may start a nested wait (a question the
            // file dialog asks), in which this timer must go on firing for the next step.
            QTimer::singleShot(0, &timer_, std::move(action));
            return;
        }
        if (clock_.elapsed() > timeoutMs_) {
            if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                timedOut_ = true;
                modal->reject();
            }
        }
    }

    QTimer timer_;
    QElapsedTimer clock_;
    int timeoutMs_;
    bool timedOut_ = false;
    std::deque<std::pair<std::function<bool()>, std::function<void()>>> steps_;
};

}  // namespace corvane::test
