#pragma once
// Tells assistive technology (a screen reader over AT-SPI) that a custom-drawn control changed.
// Each call returns at once while no assistive technology listens.
#include <QAccessible>
#include <QBasicTimer>
#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace corvane {

// Values that change quickly (readings, progress) are told at most once per interval, with the
// value that stands when the interval ends: a listener hears settled values, about ten a second
// at most, and never a queue of stale ones.
inline constexpr int kValueAnnouncementMs = 100;

// The control's value changed.
void announceValueChange(QWidget* control);
// The control's name changed (a label's or the status line's text, a button's caption); told at
// once, and as a text change to readers that follow the text.
void announceNameChange(QWidget* control);
// States the control shows changed (a toggle, a branch opened or closed, a running bar).
void announceStateChange(QWidget* control, QAccessible::State changed);
// The control's accessible children changed (a branch shows or hides its entries).
void announceChildrenChange(QWidget* control);

// The pace of value announcements: the first change opens an interval; when it ends, the value
// then standing is said, unless it is the one said last.
class SettledValue : public QObject {
public:
    SettledValue(QObject* parent, std::function<QString()> current, std::function<void(const QString&)> say);
    void changed();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    std::function<QString()> current_;
    std::function<void(const QString&)> say_;
    QBasicTimer interval_;
    bool saidAny_ = false;
    QString said_;
};

}  // namespace corvane
