#include "controls/controls_accessible.h"

#include "controls/button_types.h"
#include "controls/corv_button.h"
#include "controls/corv_message_box.h"
#include "controls/corv_notice.h"
#include "controls/corv_progress.h"
#include "controls/corv_scroll_bar.h"
#include "controls/corv_show_box.h"
#include "controls/corv_static.h"
#include "controls/corv_sys_button.h"
#include "controls/corv_work_bar.h"
#include "platform/cp1252.h"

#include <QCoreApplication>
#include <QPointer>

#include <functional>
#include <map>

namespace corvane {

namespace {

// Runs `press` on the control once the reader's request has been answered.
void pressLater(QWidget* control, std::function<void()> press) {
    QMetaObject::invokeMethod(
        control,
        [guard = QPointer<QWidget>(control), press = std::move(press)] {
            if (guard) press();
        },
        Qt::QueuedConnection);
}

class StaticAccessible : public SkinTextAccessible {
public:
    StaticAccessible(CCorvStatic* label) : SkinTextAccessible(label, QAccessible::StaticText) {}
    QString shownText() const override { return spokenText(decodeCp1252(static_cast<CCorvStatic*>(widget())->text())); }
};

class NoticeAccessible : public SkinTextAccessible {
public:
    NoticeAccessible(CCorvNotice* notice) : SkinTextAccessible(notice, QAccessible::StaticText) {}
    QString shownText() const override { return static_cast<CCorvNotice*>(widget())->notice(); }
};

// A named reading: the caption is the name, the value is read as text and, where it is a
// number, as a number.
class ShowBoxAccessible : public QAccessibleWidget, public ReadOnlyAccessibleText, public QAccessibleValueInterface {
public:
    explicit ShowBoxAccessible(CCorvShowBox* box) : QAccessibleWidget(box, QAccessible::EditableText) {}
    QString shownText() const override { return decodeCp1252(box()->value()).trimmed(); }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return spokenText(decodeCp1252(box()->caption()));
        if (t == QAccessible::Value) return shownText();
        return QAccessibleWidget::text(t);
    }
    QString text(int startOffset, int endOffset) const override {
        return ReadOnlyAccessibleText::text(startOffset, endOffset);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override {
        // The leading number of the value ("13.8" of "13.8 V"); none for a text.
        const QString value = shownText();
        const QString number = value.section(QLatin1Char(' '), 0, 0);
        bool ok = false;
        const double v = number.toDouble(&ok);
        return ok ? QVariant(v) : QVariant();
    }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return {}; }
    QVariant minimumValue() const override { return {}; }
    QVariant minimumStepSize() const override { return {}; }

private:
    CCorvShowBox* box() const { return static_cast<CCorvShowBox*>(widget()); }
};

class ProgressAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ProgressAccessible(CCorvProgress* bar) : QAccessibleWidget(bar, QAccessible::ProgressBar) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return QCoreApplication::translate("corvane::Accessible", "Progress");
        if (t == QAccessible::Value) {
            const int span = bar()->maximum() - bar()->minimum();
            const int percent = span > 0 ? (bar()->position() - bar()->minimum()) * 100 / span : 0;
            return QCoreApplication::translate("corvane::Accessible", "%1 %").arg(percent);
        }
        return QAccessibleWidget::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override { return bar()->position(); }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return bar()->maximum(); }
    QVariant minimumValue() const override { return bar()->minimum(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    CCorvProgress* bar() const { return static_cast<CCorvProgress*>(widget()); }
};

// The busy bar tells that something runs, not how far it has come.
class WorkBarAccessible : public QAccessibleWidget {
public:
    explicit WorkBarAccessible(CCorvWorkBar* bar) : QAccessibleWidget(bar, QAccessible::ProgressBar) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return QCoreApplication::translate("corvane::Accessible", "Busy");
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.busy = static_cast<CCorvWorkBar*>(widget())->isRunning();
        return s;
    }
};

class ScrollBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ScrollBarAccessible(CCorvScrollBar* bar) : QAccessibleWidget(bar, QAccessible::ScrollBar) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return bar()->orientation() == ScrollVertical
                       ? QCoreApplication::translate("corvane::Accessible", "Vertical scroll bar")
                       : QCoreApplication::translate("corvane::Accessible", "Horizontal scroll bar");
        if (t == QAccessible::Value) return QString::number(bar()->GetPos());
        return QAccessibleWidget::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override { return bar()->GetPos(); }
    // Scrolling is done with the keys and the wheel, which move the view with the bar.
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return bar()->maxPos(); }
    QVariant minimumValue() const override { return bar()->minimum(); }
    QVariant minimumStepSize() const override { return CCorvScrollBar::kLineStep; }

private:
    CCorvScrollBar* bar() const { return static_cast<CCorvScrollBar*>(widget()); }
};

class SysButtonAccessible : public QAccessibleWidget {
public:
    explicit SysButtonAccessible(CCorvSysButton* button) : QAccessibleWidget(button, QAccessible::Button) {}
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) return QAccessibleWidget::text(t);
        switch (button()->kind()) {
            case SysButtonClose: return QCoreApplication::translate("corvane::Accessible", "Close");
            case SysButtonMinimise: return QCoreApplication::translate("corvane::Accessible", "Minimise");
            default: return QCoreApplication::translate("corvane::Accessible", "Window size");
        }
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction()) pressLater(button(), [b = button()] { b->click(); });
    }

private:
    CCorvSysButton* button() const { return static_cast<CCorvSysButton*>(widget()); }
};

// The unit's message box: an alert named by its title whose text is its description, so a
// reader says both when it appears; each row is a label of its own as well.
class MessageBoxAccessible : public QAccessibleWidget {
public:
    explicit MessageBoxAccessible(CCorvMessageBox* box) : QAccessibleWidget(box, QAccessible::AlertMessage) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Description) {
            const auto* box = static_cast<CCorvMessageBox*>(widget());
            QStringList lines;
            for (const std::string& line : CCorvMessageBox::splitLines(box->text()))
                if (!line.empty()) lines << spokenText(decodeCp1252(line));
            return lines.join(QLatin1Char(' '));
        }
        return QAccessibleWidget::text(t);
    }
};

const QString kDecoration = QStringLiteral("corvane-decoration");

class DecorationAccessible : public QAccessibleWidget {
public:
    explicit DecorationAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Client) {}
    QAccessible::State state() const override {
        QAccessible::State s;
        s.invisible = true;
        return s;
    }
    QString text(QAccessible::Text) const override { return {}; }
};

using Maker = std::function<QAccessibleInterface*(QObject*)>;

template <typename Control, typename Interface>
Maker makerOf() {
    return [](QObject* object) { return new Interface(static_cast<Control*>(object)); };
}

QAccessibleInterface* controlsFactory(const QString& className, QObject* object) {
    static const std::map<QString, Maker> makers = {
        {QStringLiteral("corvane::CCorvButton"), makerOf<CCorvButton, SkinButtonAccessible>()},
        {QStringLiteral("corvane::CCorvSysButton"), makerOf<CCorvSysButton, SysButtonAccessible>()},
        {QStringLiteral("corvane::CCorvStatic"), makerOf<CCorvStatic, StaticAccessible>()},
        {QStringLiteral("corvane::CCorvNotice"), makerOf<CCorvNotice, NoticeAccessible>()},
        {QStringLiteral("corvane::CCorvShowBox"), makerOf<CCorvShowBox, ShowBoxAccessible>()},
        {QStringLiteral("corvane::CCorvProgress"), makerOf<CCorvProgress, ProgressAccessible>()},
        {QStringLiteral("corvane::CCorvWorkBar"), makerOf<CCorvWorkBar, WorkBarAccessible>()},
        {QStringLiteral("corvane::CCorvScrollBar"), makerOf<CCorvScrollBar, ScrollBarAccessible>()},
        {QStringLiteral("corvane::CCorvMessageBox"), makerOf<CCorvMessageBox, MessageBoxAccessible>()},
        {QStringLiteral("corvane::CCorvDialog"),
         [](QObject* o) { return new QAccessibleWidget(static_cast<QWidget*>(o), QAccessible::Dialog); }},
    };
    if (!object || !object->isWidgetType()) return nullptr;
    if (className == QLatin1String("QWidget") && object->objectName() == kDecoration)
        return new DecorationAccessible(static_cast<QWidget*>(object));
    const auto maker = makers.find(className);
    return maker == makers.end() ? nullptr : maker->second(object);
}

}  // namespace

SkinButtonAccessible::SkinButtonAccessible(CCorvButton* button, QAccessible::Role role)
    : QAccessibleWidget(button, role) {}

CCorvButton* SkinButtonAccessible::button() const { return static_cast<CCorvButton*>(widget()); }

QString SkinButtonAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name) {
        const QString own = widget()->accessibleName();
        return own.isEmpty() ? spokenText(button()->text()) : own;
    }
    return QAccessibleWidget::text(t);
}

QAccessible::State SkinButtonAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.pressed = button()->isDown();
    if (button()->style() & ButtonStyle::Toggle) {
        s.checkable = true;
        s.checked = button()->toggled();
    }
    return s;
}

QStringList SkinButtonAccessible::actionNames() const { return {pressAction(), setFocusAction()}; }

void SkinButtonAccessible::doAction(const QString& action) {
    if (action == pressAction())
        pressLater(button(), [b = button()] { b->pressByKey(); });
    else
        QAccessibleWidget::doAction(action);
}

SkinTextAccessible::SkinTextAccessible(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

QString SkinTextAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name) return shownText();
    return QAccessibleWidget::text(t);
}

void* SkinTextAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

void markAsDecoration(QWidget* widget) { widget->setObjectName(kDecoration); }

void installControlsAccessibility() { QAccessible::installFactory(controlsFactory); }

}  // namespace corvane
