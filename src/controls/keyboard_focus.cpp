#include "controls/keyboard_focus.h"

#include "controls/controls_accessible.h"
#include "controls/corv_sys_button.h"
#include "controls/palette.h"
#include "controls/skin_lines.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

namespace corvane {

namespace {

bool isNavigationKey(int key) {
    switch (key) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right: return true;
        default: return false;
    }
}

void setKeyboardDriven(QWidget* window, bool driven) {
    if (!window || window->testAttribute(Qt::WA_KeyboardFocusChange) == driven) return;
    window->setAttribute(Qt::WA_KeyboardFocusChange, driven);
    // The focused control draws or drops its mark.
    if (QWidget* focus = window->focusWidget()) focus->update();
}

// Watches every key press and mouse press of the application.
class KeyboardFocusTracker : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::KeyPress && type != QEvent::MouseButtonPress) return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget) return false;
        if (type == QEvent::KeyPress) {
            if (isNavigationKey(static_cast<QKeyEvent*>(event)->key())) setKeyboardDriven(widget->window(), true);
        } else {
            setKeyboardDriven(widget->window(), false);
        }
        return false;
    }
};

// The first control of the window's focus chain that Tab reaches, caption buttons left out.
QWidget* firstControl(QWidget* window) {
    for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain()) {
        if (!window->isAncestorOf(w) || qobject_cast<CCorvSysButton*>(w)) continue;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window) && w->isEnabled()) return w;
    }
    return nullptr;
}

// Hands the focus to a pop-up on every show and back on every hide.
class FocusHandOver : public QObject {
public:
    explicit FocusHandOver(QWidget* popUp) : QObject(popUp), popUp_(popUp) { popUp->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != popUp_) return false;
        if (event->type() == QEvent::Show)
            take();
        else if (event->type() == QEvent::Hide)
            handBack();
        return false;
    }

private:
    void take() {
        // The control of the owner window that the keys return to: the focused one, or the one
        // the owner last focused while another pop-up had the keys.
        QWidget* owner = popUp_->parentWidget() ? popUp_->parentWidget()->window() : nullptr;
        QWidget* focus = QApplication::focusWidget();
        if (!focus || !owner || focus->window() != owner) focus = owner ? owner->focusWidget() : nullptr;
        previous_ = focus ? focus : owner;
        // The keys start at the pop-up's first control, never at a caption button: Enter there
        // would close the pop-up instead of answering it. A pop-up without controls (a notice)
        // takes them itself; otherwise the window system's activation would hand them to the
        // first caption button.
        if (!popUp_->focusWidget()) {
            if (QWidget* first = firstControl(popUp_))
                first->setFocus(Qt::OtherFocusReason);
            else
                popUp_->setFocus(Qt::OtherFocusReason);
        }
        popUp_->raise();
        // Where no window manager hands out the keyboard, this is what gives it to the pop-up.
        popUp_->activateWindow();
    }

    void handBack() {
        QWidget* active = QApplication::activeWindow();
        // Another window took the keys meanwhile (a newer pop-up): it keeps them.
        if (active && active != popUp_) return;
        QWidget* target = previous_;
        if (!target || !target->isVisible()) target = popUp_->parentWidget();
        // A window that waits modally keeps the keys before any other.
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != popUp_) target = modal;
        if (!target || !target->isVisible()) return;
        target->window()->activateWindow();
        if (target != target->window() || !target->window()->focusWidget()) target->setFocus(Qt::OtherFocusReason);
    }

    QWidget* popUp_;
    QPointer<QWidget> previous_;
};

// A frame in the focus colour over a field (edit, list, text) while it has the keyboard's focus:
// the field's own drawing shows none. It lets every click through to the field.
class FieldFocusMark : public QWidget {
public:
    explicit FieldFocusMark(QWidget* field) : QWidget(field), field_(field) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        markAsDecoration(this);
        hide();
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::FocusIn:
            case QEvent::FocusOut:
            case QEvent::Paint:
            case QEvent::Resize: follow(); break;
            default: break;
        }
        return false;
    }
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        drawKeyboardFocusMark(p, rect(), 0);
        drawKeyboardFocusMark(p, rect(), 1);
    }

private:
    void follow() {
        const bool shown = showsKeyboardFocus(field_);
        if (shown) {
            setGeometry(field_->rect());
            raise();
        }
        if (shown != isVisible()) setVisible(shown);
    }

    QWidget* field_;
};

}  // namespace

void showKeyboardFocusOn(QWidget* field) {
    if (field) new FieldFocusMark(field);
}

void trackKeyboardFocus() {
    static QPointer<KeyboardFocusTracker> tracker;
    QCoreApplication* app = QCoreApplication::instance();
    if (tracker || !app) return;
    tracker = new KeyboardFocusTracker(app);
    app->installEventFilter(tracker);
}

bool showsKeyboardFocus(const QWidget* widget) {
    return widget && widget->hasFocus() && widget->window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

void markKeyboardNavigation(QWidget* widget) {
    if (widget) setKeyboardDriven(widget->window(), true);
}

void moveFocusByKey(QWidget* target, bool forward) {
    if (!target) return;
    markKeyboardNavigation(target);
    target->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

ButtonKey buttonKeyOf(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Select: return ButtonKey::Press;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right: return ButtonKey::Arrow;
        default: return ButtonKey::Other;
    }
}

void drawKeyboardFocusMark(QPainter& painter, const QRect& rect, int inset) {
    const int l = rect.left() + inset, t = rect.top() + inset;
    const int r = rect.left() + rect.width() - inset - 1, b = rect.top() + rect.height() - inset - 1;
    if (r <= l || b <= t) return;
    drawSkinPolyline(painter, {{l, t}, {r, t}, {r, b}, {l, b}, {l, t}}, ColourHighlight);
}

int scrollPositionShowing(int position, int visible, int top, int bottom) {
    if (bottom > position + visible) position = bottom - visible;
    if (top < position) position = top;
    return position;
}

void takeFocusWhenShown(QWidget* popUp) {
    if (popUp) new FocusHandOver(popUp);
}

}  // namespace corvane
