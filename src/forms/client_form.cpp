#include "forms/client_form.h"

#include "controls/plain_pane.h"
#include "controls/skin_lines.h"
#include "forms/page_control_window.h"
#include "platform/window_messages.h"

namespace corvane {

namespace {
constexpr const char* kWindowIdProperty = "corvaneWindowId";
}

CClientForm::CClientForm(QWidget* parent) : MessageWindow<QWidget>(parent) { NoEraseBackground(this); }

QRect CClientForm::controlRect(const PageControl& control) {
    return rectLTRB(kGrid * control.left, kGrid * control.top, kGrid * control.right, kGrid * control.bottom);
}

int CClientForm::windowIdOf(const QWidget* window) {
    if (!window) return -1;
    const QVariant id = window->property(kWindowIdProperty);
    return id.isValid() ? id.toInt() : -1;
}

QWidget* CClientForm::findControlWindow(int windowId) const {
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (windowIdOf(child) == windowId) return child;
    return nullptr;
}

void CClientForm::addControl(PageControl& control) {
    if (control.window) return;
    const int windowId = control.id + kWindowIdBase;
    QWidget* window = createPageControlWindow(control, controlRect(control), this, windowId);
    if (window) window->setProperty(kWindowIdProperty, windowId);
    control.window = window;
}

void CClientForm::removeControl(PageControl& control) {
    QWidget* window = control.window;
    if (!window) return;
    control.window = nullptr;
    // The control may be the very button whose press led here: it leaves the form at once and
    // is deleted once its own event handling has returned.
    window->hide();
    window->setParent(nullptr);
    window->deleteLater();
}

std::intptr_t CClientForm::windowMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (message == WM_BUTTON_CODE) {
        sendWindowMessage(target_, WM_BUTTON_CODE, wParam, lParam);
        return 0;
    }
    return WindowMessageHandler::windowMessage(message, wParam, lParam);
}

void CClientForm::paintEvent(QPaintEvent*) { PaintPlainPane(this); }

}  // namespace corvane
