#pragma once
// CClientAreaWnd: the viewport of the client window. It holds the client form, sizes it to at
// least 800 x 1340 pixels and moves it when the client window scrolls.
#include "forms/client_form.h"

#include <QObject>
#include <QSize>
#include <QWidget>

namespace corvane {

class CClientAreaWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMinimumFormWidth = 800;
    static constexpr int kFormHeight = 1340;

    explicit CClientAreaWnd(QWidget* parent);

    // Stores the window that receives page-button codes and gives it to the form.
    void setTarget(QObject* target);
    QObject* target() const { return target_; }
    // Puts the form back at the top-left corner, at least 800 wide and 1340 high, and returns
    // its size.
    QSize formSize();
    // Moves the form (with all its controls) by (dx, dy).
    void scrollContents(int dx, int dy);

    void addControl(const PageControl& control) { form_->addControl(control); }
    void removeControl(const PageControl& control) { form_->removeControl(control); }
    CClientForm& form() { return *form_; }

protected:
    // Paints only what the form leaves uncovered, below a form shorter than the area.
    void paintEvent(QPaintEvent* event) override;

private:
    QPointer<QObject> target_;
    CClientForm* form_;  // a child window: goes with the area
    int formWidth_ = 0;
};

}  // namespace corvane
