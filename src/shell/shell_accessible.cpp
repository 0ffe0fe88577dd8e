#include "shell/shell_accessible.h"

#include "controls/accessible_text.h"
#include "controls/controls_accessible.h"
#include "shell/shell_message_box.h"

namespace corvane {

namespace {

// The shell's message box draws its text itself: an alert named by its title, whose text is its
// description and can be read as text.
class NoticeBoxAccessible : public QAccessibleWidget, public ReadOnlyAccessibleText {
public:
    explicit NoticeBoxAccessible(CCorvNoticeBox* box) : QAccessibleWidget(box, QAccessible::AlertMessage) {}
    QString shownText() const override { return spokenText(static_cast<CCorvNoticeBox*>(widget())->shownText()); }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Description) return shownText();
        return QAccessibleWidget::text(t);
    }
    QString text(int startOffset, int endOffset) const override {
        return ReadOnlyAccessibleText::text(startOffset, endOffset);
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
};

QAccessibleInterface* shellFactory(const QString& className, QObject* object) {
    if (object && object->isWidgetType() && className == QLatin1String("corvane::CCorvNoticeBox"))
        return new NoticeBoxAccessible(static_cast<CCorvNoticeBox*>(object));
    return nullptr;
}

}  // namespace

void installShellAccessibility() {
    installControlsAccessibility();
    QAccessible::installFactory(shellFactory);
}

}  // namespace corvane
