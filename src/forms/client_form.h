#pragma once
// CClientForm: the surface a menu page is built on. Every PageControl of the open page becomes
// one child window, chosen by its type letter and placed on a 5-pixel grid. A page button's code
// (WM_BUTTON_CODE) is passed on unchanged to the target window, which hands it to the unit.
#include "content/menu_record.h"
#include "platform/window_message.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>

namespace corvane {

class CClientForm : public MessageWindow<QWidget> {
    Q_OBJECT
public:
    static constexpr int kGrid = 5;
    static constexpr int kWindowIdBase = 2000;  // a control's window id is its id + 2000

    explicit CClientForm(QWidget* parent = nullptr);

    // Creates the control's window when the record has none yet and stores it in the record;
    // a type letter without a window kind leaves the record without one.
    void addControl(PageControl& control);
    // Destroys the record's window, if it has one, and clears the field.
    void removeControl(PageControl& control);

    void setTarget(QObject* target) { target_ = target; }
    QObject* target() const { return target_; }

    // The pixel rectangle of a control's grid geometry.
    static QRect controlRect(const PageControl& control);
    // The window id given to a control's window, or -1 for another widget.
    static int windowIdOf(const QWidget* window);
    // The child window with that id, or nullptr.
    QWidget* findControlWindow(int windowId) const;

protected:
    std::intptr_t windowMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPointer<QObject> target_;
};

}  // namespace corvane
