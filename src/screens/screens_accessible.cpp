#include "screens/screens_accessible.h"

#include "controls/controls_accessible.h"
#include "forms/forms_accessible.h"
#include "platform/cp1252.h"
#include "screens/corvane_new_dlg.h"
#include "shell/shell_accessible.h"

namespace corvane {

namespace {

class StatusLineAccessible : public SkinTextAccessible {
public:
    explicit StatusLineAccessible(CCorvStatic* line) : SkinTextAccessible(line, QAccessible::StatusBar) {}
    QString shownText() const override { return spokenText(decodeCp1252(static_cast<CCorvStatic*>(widget())->text())); }
};

QAccessibleInterface* screensFactory(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (className == QLatin1String("corvane::CCorvStatic")) {
        auto* label = static_cast<CCorvStatic*>(object);
        if (label->controlId() == IDC_STATUS_TEXT && qobject_cast<CCorvaneNewDlg*>(widget->parentWidget()))
            return new StatusLineAccessible(label);
        return nullptr;  // the skinned controls' own
    }
    if (className == QLatin1String("corvane::CCorvaneNewDlg"))
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

}  // namespace

void installAccessibility() {
    installFormsAccessibility();
    installShellAccessibility();
    QAccessible::installFactory(screensFactory);
}

}  // namespace corvane
