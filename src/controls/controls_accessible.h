#pragma once
// How the skinned controls show themselves to assistive technology (a screen reader, a test
// script over AT-SPI): the role, name, value, states and actions of each custom-drawn class.
// The interfaces are registered with Qt by class name; Qt makes one per control when a reader
// first asks for it.
#include <QAccessibleWidget>

#include "controls/accessible_text.h"

namespace corvane {

class CCorvButton;

// Registers the skinned controls' interfaces with Qt; later calls do nothing.
void installControlsAccessibility();

// A widget that only decorates another (a focus mark): shown to assistive technology as an
// invisible object without a name, which readers pass over.
void markAsDecoration(QWidget* widget);

// A skinned button: its caption is its name, and "Press" does all that a click does, the
// notification to its parent included (a page button's code reaches the unit). The press is
// queued, so a reader's request returns before a dialog that the press opens runs.
class SkinButtonAccessible : public QAccessibleWidget {
public:
    explicit SkinButtonAccessible(CCorvButton* button, QAccessible::Role role = QAccessible::Button);
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

protected:
    CCorvButton* button() const;
};

// A label drawn by the skin: its text is its name and can be read by characters, words or lines.
class SkinTextAccessible : public QAccessibleWidget, public ReadOnlyAccessibleText {
public:
    SkinTextAccessible(QWidget* widget, QAccessible::Role role);
    QString text(QAccessible::Text t) const override;
    QString text(int startOffset, int endOffset) const override {
        return ReadOnlyAccessibleText::text(startOffset, endOffset);
    }
    void* interface_cast(QAccessible::InterfaceType type) override;
};

}  // namespace corvane
