#include "controls/accessible_announce.h"

#include <QAccessibleEvent>
#include <QTimerEvent>
#include <QWidget>

namespace corvane {

namespace {

QAccessibleInterface* readerOf(QWidget* control) { return QAccessible::queryAccessibleInterface(control); }

// Kept beside a control once it has changed under a listener: the pace of its values, and the
// text the listener heard last.
class Announcer : public QObject {
public:
    static Announcer& of(QWidget* control) {
        static const QString name = QStringLiteral("corvane-accessible-announcer");
        if (auto* found = control->findChild<QObject*>(name, Qt::FindDirectChildrenOnly))
            return *static_cast<Announcer*>(found);
        auto* made = new Announcer(control);
        made->setObjectName(name);
        return *made;
    }

    void valueChanged() { value_.changed(); }

    void nameChanged() {
        QAccessibleEvent event(control_, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
        textChanged();
    }

private:
    explicit Announcer(QWidget* control)
        : QObject(control),
          control_(control),
          value_(
              this,
              [control] {
                  QAccessibleInterface* reader = readerOf(control);
                  return reader ? reader->text(QAccessible::Value) : QString();
              },
              [this](const QString&) { sayValue(); }) {}

    void sayValue() {
        QAccessibleInterface* reader = readerOf(control_);
        if (!reader || !QAccessible::isActive()) return;
        if (QAccessibleValueInterface* value = reader->valueInterface()) {
            QAccessibleValueChangeEvent change(control_, value->currentValue());
            QAccessible::updateAccessibility(&change);
        }
        textChanged();
    }

    // Readers that follow the text hear the old text go and the new one come.
    void textChanged() {
        QAccessibleInterface* reader = readerOf(control_);
        const QAccessibleTextInterface* text = reader ? reader->textInterface() : nullptr;
        if (!text) return;
        const QString now = text->text(0, text->characterCount());
        if (now == lastText_) return;
        QAccessibleTextUpdateEvent update(control_, 0, lastText_, now);
        QAccessible::updateAccessibility(&update);
        lastText_ = now;
    }

    QWidget* control_;
    SettledValue value_;
    QString lastText_;  // empty until the first change, which is then said whole
};

}  // namespace

SettledValue::SettledValue(QObject* parent, std::function<QString()> current, std::function<void(const QString&)> say)
    : QObject(parent), current_(std::move(current)), say_(std::move(say)) {}

void SettledValue::changed() {
    if (!interval_.isActive()) interval_.start(kValueAnnouncementMs, this);
}

void SettledValue::timerEvent(QTimerEvent* event) {
    if (event->timerId() != interval_.timerId()) return;
    interval_.stop();
    const QString now = current_();
    if (saidAny_ && now == said_) return;
    saidAny_ = true;
    said_ = now;
    say_(now);
}

void announceValueChange(QWidget* control) {
    if (control && QAccessible::isActive()) Announcer::of(control).valueChanged();
}

void announceNameChange(QWidget* control) {
    if (control && QAccessible::isActive()) Announcer::of(control).nameChanged();
}

void announceStateChange(QWidget* control, QAccessible::State changed) {
    if (!control || !QAccessible::isActive()) return;
    QAccessibleStateChangeEvent event(control, changed);
    QAccessible::updateAccessibility(&event);
}

void announceChildrenChange(QWidget* control) {
    if (!control || !QAccessible::isActive()) return;
    QAccessibleEvent event(control, QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&event);
}

}  // namespace corvane
