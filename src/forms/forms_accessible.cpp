#include "forms/forms_accessible.h"

#include "controls/accessible_text.h"
#include "controls/controls_accessible.h"
#include "controls/corv_button.h"
#include "forms/choose_box.h"
#include "forms/client_area_wnd.h"
#include "forms/client_form.h"
#include "forms/client_wnd.h"
#include "forms/corv_menu.h"
#include "forms/menu_wnd.h"
#include "platform/cp1252.h"

#include <QCoreApplication>

namespace corvane {

namespace {

QAccessibleInterface* interfaceOf(QObject* object) { return QAccessible::queryAccessibleInterface(object); }

// The menu's entries as the children of its root or of an open branch; a closed branch has none.
std::vector<int> shownChildren(const CCorvMenu& menu, int index) {
    if (index < 0 || index >= menu.entryCount()) return {};
    const CCorvMenu::Entry& e = menu.entry(index);
    if (index > 0 && !e.expanded) return {};
    return e.children;
}

int indexAmong(const CCorvMenu& menu, const std::vector<int>& entries, const QAccessibleInterface* child) {
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (menu.button(entries[i]) == child->object()) return static_cast<int>(i);
    return -1;
}

// One entry of the function menu: a tree item at its level, a branch expandable and open or
// closed. "Press" opens or closes a branch and starts a leaf's function, as a click does.
class MenuEntryAccessible : public SkinButtonAccessible {
public:
    MenuEntryAccessible(CCorvButton* button, CCorvMenu* menu)
        : SkinButtonAccessible(button, QAccessible::TreeItem), menu_(menu) {}

    QString text(QAccessible::Text t) const override {
        const int index = ownIndex();
        if (t == QAccessible::Description && index > 0)
            return QCoreApplication::translate("corvane::Accessible", "level %1").arg(menu_->entry(index).depth + 1);
        return SkinButtonAccessible::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = SkinButtonAccessible::state();
        s.checkable = s.checked = false;
        const int index = ownIndex();
        if (index > 0 && menu_->entry(index).kind == CCorvMenu::KindBranch) {
            s.expandable = true;
            s.expanded = menu_->entry(index).expanded;
            s.collapsed = !s.expanded;
        }
        return s;
    }
    QAccessibleInterface* parent() const override {
        const int index = ownIndex();
        const int parentIndex = index > 0 ? menu_->entry(index).parent : 0;
        return parentIndex > 0 ? interfaceOf(menu_->button(parentIndex)) : interfaceOf(menu_);
    }
    int childCount() const override { return static_cast<int>(shownChildren(*menu_, ownIndex()).size()); }
    QAccessibleInterface* child(int i) const override {
        const std::vector<int> children = shownChildren(*menu_, ownIndex());
        if (i < 0 || i >= static_cast<int>(children.size())) return nullptr;
        return interfaceOf(menu_->button(children[static_cast<std::size_t>(i)]));
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child ? indexAmong(*menu_, shownChildren(*menu_, ownIndex()), child) : -1;
    }

private:
    // -1 once a new menu has replaced the one this entry belonged to.
    int ownIndex() const { return menu_ ? menu_->entryOf(widget()) : -1; }

    QPointer<CCorvMenu> menu_;
};

class MenuAccessible : public QAccessibleWidget {
public:
    explicit MenuAccessible(CCorvMenu* menu)
        : QAccessibleWidget(menu, QAccessible::Tree,
                            QCoreApplication::translate("corvane::Accessible", "Function menu")) {}
    int childCount() const override { return static_cast<int>(shownChildren(*menu(), 0).size()); }
    QAccessibleInterface* child(int i) const override {
        const std::vector<int> children = shownChildren(*menu(), 0);
        if (i < 0 || i >= static_cast<int>(children.size())) return nullptr;
        return interfaceOf(menu()->button(children[static_cast<std::size_t>(i)]));
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child ? indexAmong(*menu(), shownChildren(*menu(), 0), child) : -1;
    }

private:
    CCorvMenu* menu() const { return static_cast<CCorvMenu*>(widget()); }
};

// A choice box is a group named by its caption: the caption/value box inside says the current
// value, the button beside it steps to the next one.
class ChooseBoxAccessible : public QAccessibleWidget {
public:
    explicit ChooseBoxAccessible(CChooseBox* box) : QAccessibleWidget(box, QAccessible::Grouping) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return spokenText(decodeCp1252(static_cast<CChooseBox*>(widget())->captionText()));
        return QAccessibleWidget::text(t);
    }
};

class ChangeButtonAccessible : public SkinButtonAccessible {
public:
    using SkinButtonAccessible::SkinButtonAccessible;
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return QCoreApplication::translate("corvane::Accessible", "Next value");
        return SkinButtonAccessible::text(t);
    }
};

QAccessibleInterface* formsFactory(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (className == QLatin1String("corvane::CCorvButton")) {
        auto* button = static_cast<CCorvButton*>(object);
        if (auto* menu = qobject_cast<CCorvMenu*>(widget->parentWidget())) return new MenuEntryAccessible(button, menu);
        if (qobject_cast<CChooseBox*>(widget->parentWidget())) return new ChangeButtonAccessible(button);
        return nullptr;  // the skinned controls' own
    }
    if (className == QLatin1String("corvane::CCorvMenu")) return new MenuAccessible(static_cast<CCorvMenu*>(object));
    if (className == QLatin1String("corvane::CChooseBox"))
        return new ChooseBoxAccessible(static_cast<CChooseBox*>(object));
    if (className == QLatin1String("corvane::CMenuWnd"))
        return new QAccessibleWidget(widget, QAccessible::Pane,
                                     QCoreApplication::translate("corvane::Accessible", "Menu"));
    if (className == QLatin1String("corvane::CClientWnd"))
        return new QAccessibleWidget(widget, QAccessible::Pane,
                                     QCoreApplication::translate("corvane::Accessible", "Page"));
    if (className == QLatin1String("corvane::CClientAreaWnd"))
        return new QAccessibleWidget(widget, QAccessible::Client);
    if (className == QLatin1String("corvane::CClientForm")) return new QAccessibleWidget(widget, QAccessible::Form);
    return nullptr;
}

}  // namespace

void installFormsAccessibility() {
    installControlsAccessibility();
    // Installed later, asked first: the menu's entries before the plain skinned buttons.
    QAccessible::installFactory(formsFactory);
}

}  // namespace corvane
